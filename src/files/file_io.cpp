#include "files/file_io.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "system/files.h"
#include "system/system_reason.h"

namespace kalmar {

bool readFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
              std::string& error) {
  std::error_code code;
  const std::filesystem::path file = pathOf(path);
  const auto status = std::filesystem::status(file, code);
  if (code) {
    error = systemReason(code);
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    error = std::filesystem::is_directory(status) ? "это папка, а не файл" : "это не обычный файл";
    return false;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = systemReason(errno);
    return false;
  }
  const std::uintmax_t size = std::filesystem::file_size(file, code);
  if (!code && size > maxBytes) {
    error = "файл больше " + std::to_string(maxBytes) + " байт";
    return false;
  }
  // Room for one byte past the size; a file that grew meanwhile is read on,
  // never past one byte beyond the limit.
  std::string contents((code ? maxBytes : static_cast<std::size_t>(size)) + 1, '\0');
  std::size_t count = 0;
  for (;;) {
    in.read(contents.data() + count, static_cast<std::streamsize>(contents.size() - count));
    count += static_cast<std::size_t>(in.gcount());
    if (!in || count > maxBytes) break;  // the end, an error, or past the limit
    contents.resize(std::min(maxBytes + 1, contents.size() * 2));
  }
  if (in.bad()) {
    error = systemReason(errno);
    return false;
  }
  if (count > maxBytes) {
    error = "файл больше " + std::to_string(maxBytes) + " байт";
    return false;
  }
  contents.resize(count);
  bytes = std::move(contents);
  return true;
}

bool writeFile(const std::string& path, const std::string& bytes, std::string& error) {
  std::ofstream out(pathOf(path), std::ios::binary | std::ios::trunc);
  if (!out) {
    error = systemReason(errno);
    return false;
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) {
    error = systemReason(errno);
    return false;
  }
  return true;
}

bool writeFileAtomically(const std::string& given, const std::string& bytes, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code code;
  // A device or a pipe (/dev/stdout, say) is written as it is; a link is
  // followed, so that its target gets the new contents, not the link.
  const fs::path file = pathOf(given);
  const fs::file_status status = fs::status(file, code);
  if (fs::exists(status) && !fs::is_regular_file(status)) return writeFile(given, bytes, error);
  const std::string path =
      fs::is_symlink(fs::symlink_status(file, code)) ? nameOf(fs::canonical(file, code)) : given;
  const std::string temporary = path + ".tmp";
  if (!writeFile(temporary, bytes, error) || !replaceFile(temporary, path, error)) {
    removeFile(temporary);
    return false;
  }
  return true;
}

}  // namespace kalmar
