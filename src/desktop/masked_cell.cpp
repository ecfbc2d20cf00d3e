#include "desktop/masked_cell.h"

#include <algorithm>

namespace kalmar::desktop {

MaskedCell::MaskedCell(int digits) : text_(static_cast<std::size_t>(std::max(digits, 0)), kBlank) {}

bool MaskedCell::fits(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

std::string MaskedCell::masked(std::string_view text, int digits) {
  std::string result;
  for (char c : text) {
    if (static_cast<int>(result.size()) >= digits) break;
    if (fits(static_cast<unsigned char>(c))) result += c;
  }
  result.resize(static_cast<std::size_t>(std::max(digits, 0)), kBlank);
  return result;
}

void MaskedCell::setText(std::string_view text) {
  text_ = masked(text, digits());
  caret_ = anchor_ = 0;
}

void MaskedCell::setShown(std::string_view shown) {
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const char c = i < shown.size() ? shown[i] : kBlank;
    text_[i] = fits(static_cast<unsigned char>(c)) ? c : kBlank;
  }
}

void MaskedCell::select(int anchor, int caret) {
  anchor_ = std::clamp(anchor, 0, digits());
  caret_ = std::clamp(caret, 0, digits());
}

bool MaskedCell::clearSelection() {
  if (!hasSelection()) return false;
  const int start = selectionStart();
  const std::string before = text_;
  std::fill_n(text_.begin() + start, selectionLength(), kBlank);
  caret_ = anchor_ = start;
  return text_ != before;
}

bool MaskedCell::type(char32_t c) {
  return paste(std::u32string_view(&c, 1));
}

bool MaskedCell::paste(std::u32string_view text) {
  const std::string before = text_;
  clearSelection();
  for (char32_t c : text) {
    if (caret_ >= digits()) break;
    if (!fits(c)) continue;
    text_[static_cast<std::size_t>(caret_)] = static_cast<char>(c);
    ++caret_;
  }
  anchor_ = caret_;
  return text_ != before;
}

bool MaskedCell::backspace() {
  if (hasSelection()) return clearSelection();
  if (caret_ == 0) return false;
  --caret_;
  anchor_ = caret_;
  const bool changed = text_[static_cast<std::size_t>(caret_)] != kBlank;
  text_[static_cast<std::size_t>(caret_)] = kBlank;
  return changed;
}

bool MaskedCell::del() {
  if (hasSelection()) return clearSelection();
  if (caret_ >= digits()) return false;
  const bool changed = text_[static_cast<std::size_t>(caret_)] != kBlank;
  text_[static_cast<std::size_t>(caret_)] = kBlank;
  return changed;
}

void MaskedCell::moveTo(int position, bool extend) {
  caret_ = std::clamp(position, 0, digits());
  if (!extend) anchor_ = caret_;
}

void MaskedCell::home(bool extend) { moveTo(0, extend); }
void MaskedCell::end(bool extend) { moveTo(digits(), extend); }
void MaskedCell::left(bool extend) { moveTo(caret_ - 1, extend); }
void MaskedCell::right(bool extend) { moveTo(caret_ + 1, extend); }

}  // namespace kalmar::desktop
