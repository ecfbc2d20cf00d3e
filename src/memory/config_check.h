#pragma once

#include <cstdint>
#include <optional>

#include "model/form1.h"

namespace kalmar {

// The value a loaded configuration word should be corrected to for the
// selected chip; empty when the word is plausible as it stands.
std::optional<std::uint16_t> proposedConfigWord(const DeviceProfile& profile, std::uint16_t word);

// How the offer's text begins: a front end that answers questions itself
// tells this one (declining keeps the word; the command goes on) from the
// ones that stop a command.
inline constexpr const char* kCorrectionOfferStart =
    "В прочитанном файле для данного микроконтроллера";

// Offers the correction of an implausible configuration word from a file.
void Check_Slov_cfg_file(TForm1& form);

// Whether these configuration words clear the LVP bit of a chip entered at
// low voltage only: written, they would leave it reachable only by the
// high voltage this adapter must not give it.
bool clearsLowVoltageEntry(const DeviceProfile& profile, std::uint16_t config,
                           std::uint16_t config2);

}  // namespace kalmar
