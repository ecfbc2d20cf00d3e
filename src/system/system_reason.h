#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace kalmar {

// Why the system refused to open, read, write or rename a file or device, as
// a short Russian phrase in lower case, to follow "Причина: " or a colon.
// The same on every system: the C library's own texts are English.

// An errno value: "нет прав доступа"; one not known here,
// "системная ошибка N".
std::string systemReason(int errnoValue);

// A Windows error code (GetLastError) with its number kept, which tells the
// exact cause where the phrase is general: "нет прав доступа (ошибка 5)";
// one not known here, "системная ошибка N". Known on every system, so that
// it is tested on Linux too.
std::string windowsReason(std::uint32_t code);

// A std::filesystem or stream error: its errno value, or on Windows the
// system's own code.
std::string systemReason(const std::error_code& code);

}  // namespace kalmar
