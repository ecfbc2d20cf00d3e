#pragma once

#include <cstddef>
#include <string>

namespace kalmar {

// The largest files the program reads; anything larger is refused unread.
inline constexpr std::size_t kMaxHexFileBytes = 16u << 20;
inline constexpr std::size_t kMaxSettingsFileBytes = 64u << 10;

// Whole-file reads and writes; false with the reason on failure. A read takes
// only a regular file of at most maxBytes: a directory, a device or a pipe
// never ends or never holds a file, and is refused before it is read.
bool readFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
              std::string& error);
// Creates or replaces the file.
bool writeFile(const std::string& path, const std::string& bytes, std::string& error);
// Writes a temporary file beside the target and renames it over the target,
// so the old file stays whole until the new one is. A device or pipe is
// written in place; a symbolic link's target is replaced.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace kalmar
