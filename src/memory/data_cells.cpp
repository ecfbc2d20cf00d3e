#include "memory/data_cells.h"

#include "model/hex_text.h"

namespace kalmar {

bool parseHexCell(const std::string& text, unsigned& value) {
  if (text.empty() || text.size() > 4) return false;
  value = 0;
  for (char c : text) {
    const int digit = hexDigitValue(c);  // a free position "_" or any other character fails
    if (digit < 0) return false;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  return true;
}

bool parseFullCell(const std::string& text, std::size_t width, unsigned& value) {
  return text.size() == width && parseHexCell(text, value);
}

void setDataCellText(TForm1& form, int n, const std::string& text) {
  if (n < 1 || n > kMaxDataBytes) return;
  std::string& cell = form.window.dataCells[static_cast<std::size_t>(n - 1)];
  if (cell == text) return;
  cell = text;
  MaskEdit1Change(form, n);
}

void MaskEdit1Change(TForm1& form, int n) {
  if (form.fillLock || n < 1 || n > kMaxDataBytes) return;
  form.entryError = false;
  const std::size_t index = static_cast<std::size_t>(n - 1);
  unsigned value = 0;
  if (parseFullCell(form.window.dataCells[index], 2, value)) {
    form.buffer.dataEdit[index] = static_cast<std::uint8_t>(value);
    return;
  }
  form.window.dataCells[index] = hex2(form.buffer.dataEdit[index]);
  form.entryError = true;
  form.host.beep();
}

void ClearME(TForm1& form) {
  for (int n = 1; n <= form.chip.profile.dataBytes; ++n) {
    setDataCellText(form, n, "FF");
    form.host.pump();
  }
}

}  // namespace kalmar
