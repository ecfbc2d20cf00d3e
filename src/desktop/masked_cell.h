#pragma once

#include <string>
#include <string_view>

namespace kalmar::desktop {

// A masked hex cell of the data memory grid or the ID group, as a line
// edit with the input mask "NN;_" or "NNNN;_" takes keys: the text always
// has exactly `digits` positions, a free one shown as '_'; a letter or digit
// fills the position at the caret and the caret moves past it (whether it
// is a hex digit is for the window's handlers to decide); Backspace and
// Delete free positions instead of shortening the text. The caret stands
// between positions, 0..digits; a selection runs from the anchor to the
// caret, either way.
class MaskedCell {
 public:
  static constexpr char kBlank = '_';

  explicit MaskedCell(int digits);

  // The text as the mask shows a program-made text: its letters and digits
  // in order, as many as there are positions, the rest free.
  static std::string masked(std::string_view text, int digits);
  // A letter or digit of ASCII: what the mask's 'N' lets in.
  static bool fits(char32_t c);

  // A program-made text; the caret goes to the first position.
  void setText(std::string_view text);
  // The text as a cell shows it, position by position: '_' (or anything
  // else a position cannot hold) stays a free position where it stands.
  // The caret and selection stay.
  void setShown(std::string_view shown);
  const std::string& text() const { return text_; }
  int digits() const { return static_cast<int>(text_.size()); }

  int caret() const { return caret_; }
  int anchor() const { return anchor_; }
  int selectionStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  int selectionLength() const { return anchor_ < caret_ ? caret_ - anchor_ : anchor_ - caret_; }
  bool hasSelection() const { return anchor_ != caret_; }
  // The caret at `caret`, the selection from `anchor` (both kept in 0..digits).
  void select(int anchor, int caret);

  // A typed character. With a selection, the selection is freed first and
  // the character goes to its start, even when the character is refused.
  // True when the text changed.
  bool type(char32_t c);
  // Pasted text: each fitting character in turn, as typed; the others are
  // skipped, and what does not fit before the end is dropped.
  bool paste(std::u32string_view text);
  bool backspace();
  bool del();  // Delete
  // Frees the selection (a cut, after the copy). True when the text changed.
  bool clearSelection();

  // Caret moves; `extend` keeps the anchor (Shift), otherwise the selection
  // goes. Left and Right step from the caret, not from the selection's ends.
  void home(bool extend);
  void end(bool extend);
  void left(bool extend);
  void right(bool extend);

 private:
  void moveTo(int position, bool extend);
  std::string text_;
  int caret_ = 0;
  int anchor_ = 0;
};

}  // namespace kalmar::desktop
