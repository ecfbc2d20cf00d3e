#pragma once

#include <cstdint>
#include <optional>

#include "window/form1.h"

namespace kalmar {

// The value a loaded configuration word should be corrected to for the
// selected chip; empty when the word is plausible as it stands.
std::optional<std::uint16_t> proposedConfigWord(const DeviceProfile& profile, std::uint16_t word);

// Offers the correction of an implausible configuration word from a file.
void Check_Slov_cfg_file(TForm1& form);

}  // namespace kalmar
