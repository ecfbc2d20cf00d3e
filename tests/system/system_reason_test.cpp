#include "system/system_reason.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace kalmar {
namespace {

TEST(SystemReason, SaysTheUsualErrnoValuesInRussian) {
  EXPECT_EQ(systemReason(ENOENT), "нет такого файла или папки");
  EXPECT_EQ(systemReason(EACCES), "нет прав доступа");
  EXPECT_EQ(systemReason(ENOSPC), "диск заполнен");
  EXPECT_EQ(systemReason(EBUSY), "устройство занято");
  EXPECT_EQ(systemReason(EROFS), "диск только для чтения");
}

TEST(SystemReason, KeepsTheNumberOfAWindowsCode) {
  EXPECT_EQ(windowsReason(5), "нет прав доступа (ошибка 5)");
  EXPECT_EQ(windowsReason(32), "файл занят другой программой (ошибка 32)");
  EXPECT_EQ(windowsReason(126), "не найдена библиотека или нужный ей модуль (ошибка 126)");
}

TEST(SystemReason, NamesACodeItDoesNotKnowByItsNumber) {
  EXPECT_EQ(systemReason(100000), "системная ошибка 100000");
  EXPECT_EQ(windowsReason(99999), "системная ошибка 99999");
}

// What the C++ library's filesystem reports on this system, never its
// English text.
TEST(SystemReason, ReadsAFilesystemErrorInRussian) {
  std::error_code code;
  std::filesystem::directory_iterator entries("no-such-folder", code);
  ASSERT_TRUE(code);
  const std::string reason = systemReason(code);
  EXPECT_EQ(reason.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos) << reason;
  EXPECT_EQ(reason.find("системная ошибка"), std::string::npos) << reason;
  EXPECT_EQ(systemReason(std::make_error_code(std::errc::permission_denied)), "нет прав доступа");
}

}  // namespace
}  // namespace kalmar
