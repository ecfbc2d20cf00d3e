#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "desktop/masked_cell.h"
#include "memory/id_locations.h"
#include "model/form1.h"
#include "win32/controls.h"
#include "win32/subclassed.h"

namespace kalmar::win32 {

// A masked hex cell of the data memory grid or the ID group: an EDIT
// control that takes keys by the rules of desktop::MaskedCell ("NN" or
// "NNNN", free positions as "_") and forwards what the user does to the
// window's cell handlers: the text as the mask shows it, key releases with
// the caret, presses, releases and focus. Program-made changes go through
// show(), which never reports back.
class CellEdit : private Subclassed {
 public:
  // Data cells have no border; ID cells (framed) have one.
  CellEdit(Controls& controls, const std::string& name, int digits, bool framed, HWND parent,
           const desktop::Rect& rect);

  using Subclassed::hwnd;
  const std::string& name() const { return name_; }

  // Shows the model's text unless the cell already shows it.
  void show(const std::string& text);
  // The caret as the handlers see it: the start of the selection.
  int caret() const;
  int selectionLength() const;
  // The selection from `start`, `length` positions long (the caret at its end).
  void select(int start, int length);
  void setReadOnly(bool readOnly);
  bool readOnly() const;

  std::function<void(const std::string&)> onEdited;
  std::function<void(CellKey, int caret)> onKeyUp;
  std::function<void()> onPress;
  std::function<void()> onRelease;
  std::function<void()> onFocusIn;
  // Tab (true) or Shift+Tab (false); false when the cell has no neighbour
  // that way, and the focus goes on to the window's next control.
  std::function<bool(bool forward)> onTab;

 private:
  LRESULT message(UINT message, WPARAM w, LPARAM l) override;
  LRESULT dialogCode(WPARAM w, LPARAM l);
  bool keyDown(WPARAM key);
  void moveCaret(WPARAM key, bool extend);
  void character(wchar_t c);
  void focusIn();
  void tab(bool forward);
  // The text and selection as the control has them now.
  desktop::MaskedCell state() const;
  // Shows an edited state; reports the text when it changed.
  void apply(const desktop::MaskedCell& cell, bool changed);
  void paste();
  void cut();

  Controls& controls_;
  std::string name_;
  int digits_;
  std::string shown_;
  bool pressed_ = false;
};

// What the focused cell's selection is, for the handlers that read it.
void noteSelection(TForm1& form, const CellEdit& cell);
// The window learns that a cell the user clicked or entered has the focus
// before its handlers run.
void takeFocus(TForm1& form, const CellEdit& cell);
// Gives a cell the selection the handlers left.
void applySelection(const TForm1& form, CellEdit& cell);

}  // namespace kalmar::win32
