#pragma once

#include <array>
#include <cstdint>

#include "model/form1.h"

namespace kalmar {

using ColourTriple = std::array<std::uint32_t, 3>;

// Paints the window with colour 1 (buffer contents), 2 (listing), 3 (window text).
void F_Clr(TForm1& form, const ColourTriple& colours);

// The six schemes of the list "Быстрая" (index 6, "Произвольная", has none).
const ColourTriple& colourScheme(int index);

// The scheme list entry that matches saved colours at start-up: 0-4 for the
// schemes, 6 ("Произвольная") for anything else.
int presetIndexFor(const ColourTriple& colours);

}  // namespace kalmar
