#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "desktop/layout.h"

namespace kalmar::win32 {

// The window's child controls by component name ("GroupBox2", "MaskEdit17",
// "SpeedButton12"), its fonts and its DPI scale. Everything is placed in
// the 96-DPI pixels of desktop/layout.h and scaled here to the screen's DPI.
class Controls {
 public:
  // dpi 0: the system's.
  explicit Controls(int dpi = 0);
  ~Controls();
  Controls(const Controls&) = delete;
  Controls& operator=(const Controls&) = delete;

  // A child window of a system class (L"BUTTON", L"EDIT", ...) or of one of
  // the program's own, named and given the window's font.
  HWND make(const wchar_t* windowClass, const std::string& name, const std::string& text,
            DWORD style, HWND parent, const desktop::Rect& rect, DWORD exStyle = 0);
  // A container of the program's own class: the client area, a group
  // (framed, with its caption drawn in the window's text colour), or a plain
  // panel. It passes its children's notices to the handlers given here.
  HWND makePanel(const std::string& name, const std::string& caption, bool framed, HWND parent,
                 const desktop::Rect& rect);
  // What a child control's WM_COMMAND notice (BN_CLICKED, EN_CHANGE, ...) does.
  void onCommand(HWND control, std::function<void(WORD code)> handler);
  // A tooltip for a control (its hint).
  void setHint(HWND control, const std::string& hint);
  // A group's caption in a colour of its own (the data memory editor's), not `text`.
  void setCaptionColour(HWND panel, COLORREF colour);

  // The panels' colours: the text (00BBGGRR) and background of the window.
  COLORREF text = RGB(0, 0, 0);
  COLORREF background = GetSysColor(COLOR_BTNFACE);
  // A control or group took the keyboard focus (by a click or a key).
  std::function<void(const std::string& name)> onFocus;
  // A right click in a panel (screen coordinates), for the groups' pop-up menus.
  std::function<void(HWND panel, POINT at)> onContextMenu;
  // Colours of an edit or static child (WM_CTLCOLOR...): the brush, or null for the system's.
  std::function<HBRUSH(HWND control, HDC dc)> colourOf;
  // Owner-drawn children (WM_DRAWITEM): true when drawn.
  std::function<bool(const DRAWITEMSTRUCT& item)> drawItem;

  // Moves a control to a rectangle of 96-DPI pixels.
  void place(HWND control, const desktop::Rect& rect) const;
  HWND find(const std::string& name) const;
  std::string nameOf(HWND control) const;
  void forget(HWND control);
  // Every named control, in name order.
  void forEachNamed(const std::function<void(const std::string& name, HWND control)>& visit) const {
    for (const auto& [name, control] : byName_) visit(name, control);
  }
  // Forgets the names of a window and every control inside it (a closed dialog).
  void forgetWithin(HWND ancestor);

  int scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
  int unscale(int pixels) const { return MulDiv(pixels, 96, dpi_); }
  // A rectangle of 96-DPI pixels on the screen, scaled by its edges: two
  // rectangles that meet, or stand level, at 96 DPI do so at every DPI.
  RECT scaled(const desktop::Rect& rect) const {
    return {scale(rect.left), scale(rect.top), scale(rect.right()), scale(rect.bottom())};
  }
  int dpi() const { return dpi_; }
  HFONT font() const { return font_; }
  HFONT boldFont() const { return bold_; }
  // A font of the window's face at this many 96-DPI pixels.
  HFONT fontOf(int pixels, bool bold);

  // The control's text, set only when it differs (no flicker, no change notices).
  static void setText(HWND control, const std::string& text);
  static std::string textOf(HWND control);

 private:
  int dpi_ = 96;
  HFONT font_ = nullptr;
  HFONT bold_ = nullptr;
  std::map<std::string, HWND> byName_;
  std::map<HWND, std::string> names_;
  std::map<std::pair<int, bool>, HFONT> fonts_;
  std::map<HWND, std::function<void(WORD)>> commands_;
  std::map<HWND, bool> framed_;
  std::map<HWND, COLORREF> captionColours_;
  HWND tooltip_ = nullptr;
  HBRUSH backgroundBrush_ = nullptr;
  COLORREF brushColour_ = 0;

  static LRESULT CALLBACK panelProc(HWND panel, UINT message, WPARAM w, LPARAM l);
  LRESULT panelMessage(HWND panel, UINT message, WPARAM w, LPARAM l);
  HBRUSH childColours(UINT message, HDC dc, HWND child);
  void focusOnClick(HWND panel);
  void paintPanel(HWND panel);
  HBRUSH backgroundBrush();
};

// Registers a window class of the program's own (the arrow cursor, the
// given background brush or none); registering it again does nothing.
void registerWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr);

// A control's enabled and visible flags, changed only when they differ.
void setEnabled(HWND control, bool enabled);
void setVisible(HWND control, bool visible);

}  // namespace kalmar::win32
