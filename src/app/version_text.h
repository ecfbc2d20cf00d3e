#pragma once

#include <string>

namespace kalmar {

// What `--version` prints: the program's name and version, then the
// copyright and licence lines, as GNU programs do.
std::string versionText(const std::string& program);

}  // namespace kalmar
