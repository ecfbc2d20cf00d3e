#pragma once

#include <filesystem>
#include <string>

namespace kalmar {

// What differs between the systems in naming and replacing files. The
// program keeps every file name as UTF-8 text; Windows names files in UTF-16.

// The file a UTF-8 name stands for.
std::filesystem::path pathOf(const std::string& utf8Name);
// A path back as UTF-8 text.
std::string nameOf(const std::filesystem::path& path);

// Puts `from` in the place of `to` in one step, replacing a file that is
// there: a reader sees the old file or the new one, never a part. False with
// the system's reason when it could not.
bool replaceFile(const std::string& from, const std::string& to, std::string& error);

// Removes a file; quiet when there is none.
void removeFile(const std::string& name);

}  // namespace kalmar
