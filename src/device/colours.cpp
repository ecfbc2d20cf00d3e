#include "device/colours.h"

namespace kalmar {

void F_Clr(TForm1& form, const ColourTriple& colours) {
  form.window.colours.shown = colours;
}

namespace {

constexpr std::array<ColourTriple, 6> kSchemes = {{
    {0x000268, 0x785107, 0x000000},  // "Темная 1"
    {0x785107, 0x785107, 0x000000},  // "Темная 2"
    {0x000268, 0x000268, 0x000000},  // "Темная 3"
    {0x8BE6F5, 0xF5E08B, 0xEAE8EE},  // "Светлая 1"
    {0xD8E0FE, 0xFBE4DB, 0xDAFCFB},  // "Светлая 2"
    {0x000268, 0x785107, 0x000000},  // "По умолчанию"
}};

}  // namespace

const ColourTriple& colourScheme(int index) {
  return kSchemes.at(static_cast<std::size_t>(index));
}

// "По умолчанию" (5) has the colours of "Темная 1" and is never derived.
int presetIndexFor(const ColourTriple& colours) {
  for (int i = 0; i < 5; ++i)
    if (colours == colourScheme(i)) return i;
  return 6;
}

}  // namespace kalmar
