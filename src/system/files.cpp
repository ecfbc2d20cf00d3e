#include "system/files.h"

#include <cerrno>
#include <cstdio>

#include "system/system_reason.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace kalmar {

std::filesystem::path pathOf(const std::string& utf8Name) {
#if defined(_WIN32)
  return std::filesystem::path(std::u8string(utf8Name.begin(), utf8Name.end()));
#else
  return std::filesystem::path(utf8Name);
#endif
}

std::string nameOf(const std::filesystem::path& path) {
#if defined(_WIN32)
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
#else
  return path.string();
#endif
}

bool replaceFile(const std::string& from, const std::string& to, std::string& error) {
#if defined(_WIN32)
  // rename() refuses an existing target on Windows; MoveFileEx replaces it
  // within the volume as one step.
  if (MoveFileExW(pathOf(from).c_str(), pathOf(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  error = windowsReason(GetLastError());
  return false;
#else
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = systemReason(errno);
  return false;
#endif
}

void removeFile(const std::string& name) {
  std::error_code ignored;
  std::filesystem::remove(pathOf(name), ignored);
}

}  // namespace kalmar
