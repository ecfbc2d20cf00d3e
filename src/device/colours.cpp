#include "device/colours.h"

namespace kalmar {

void F_Clr(TForm1& form, const ColourTriple& colours) {
  form.window.colours.shown = colours;
}

int presetIndexFor(const ColourTriple& colours) {
  static const ColourTriple kSchemes[5] = {
      {0x000268, 0x785107, 0x000000}, {0x785107, 0x785107, 0x000000},
      {0x000268, 0x000268, 0x000000}, {0x8BE6F5, 0xF5E08B, 0xEAE8EE},
      {0xD8E0FE, 0xFBE4DB, 0xDAFCFB},
  };
  for (int i = 0; i < 5; ++i)
    if (colours == kSchemes[i]) return i;
  return 6;
}

}  // namespace kalmar
