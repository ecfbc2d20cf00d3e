#include "system/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

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

#if defined(_WIN32)
namespace {
std::string windowsErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide = length > 0 ? std::wstring(text, length) : L"ошибка " + std::to_wstring(code);
  if (text != nullptr) LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.'))
    wide.pop_back();
  return nameOf(std::filesystem::path(wide));
}
}  // namespace
#endif

bool replaceFile(const std::string& from, const std::string& to, std::string& error) {
#if defined(_WIN32)
  // rename() refuses an existing target on Windows; MoveFileEx replaces it
  // within the volume as one step.
  if (MoveFileExW(pathOf(from).c_str(), pathOf(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  error = windowsErrorText(GetLastError());
  return false;
#else
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = std::strerror(errno);
  return false;
#endif
}

void removeFile(const std::string& name) {
  std::error_code ignored;
  std::filesystem::remove(pathOf(name), ignored);
}

}  // namespace kalmar
