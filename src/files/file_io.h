#pragma once

#include <string>

namespace kalmar {

// Whole-file reads and writes; false with the system's reason on failure.
bool readFile(const std::string& path, std::string& bytes, std::string& error);
// Creates or replaces the file.
bool writeFile(const std::string& path, const std::string& bytes, std::string& error);
// Writes a temporary file beside the target and renames it over the target,
// so the old file stays whole until the new one is.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace kalmar
