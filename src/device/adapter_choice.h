#pragma once

#include <optional>
#include <string>

#include "model/host.h"
#include "model/platform.h"

namespace kalmar {

// On the Windows NT family the parallel port needs the port driver
// (Smport.sys in the start-up folder) or the port library beside the
// program, and most PCs of the last fifteen years have neither, nor the
// port itself. Such a PC is told once, at the first start of the window,
// what it can use instead, and the user's choice is kept in a file of its
// own in the start-up folder, so that Kalmar.cfg keeps its lines: the
// FT232R from then on, or the program without a port and without the box.
inline constexpr const char* kAdapterChoiceFileName = "Kalmar.adapter";
inline constexpr const char* kChoiceFt232r = "ftdi";
inline constexpr const char* kChoiceParallelPort = "lpt";

// The kept choice, when there is one.
std::optional<std::string> rememberedAdapter(Platform& platform);

// The port the window starts on when none is named: "ftdi" when the user
// has chosen the FT232R, nothing for the parallel port. Asks (and keeps
// the answer) only where the parallel port cannot be reached and nothing
// was chosen before.
std::optional<std::string> portAtStart(Platform& platform, Host& host, bool portLibraryPresent);

}  // namespace kalmar
