// kalmar.exe --port ftdi: the window on an FT232R board through FTDI's D2XX,
// here the stand-in ftd2xx.dll beside the tests with a simulated adapter
// and chip behind its pins, on the real clock.
#include <stdlib.h>

#include <fstream>

#include "sim/chip_file.h"
#include "win32/window_rig.h"

namespace kalmar::win32 {
namespace {

void setEnvironment(const std::string& name, const std::string& value) {
  _putenv((name + "=" + value).c_str());  // the stand-in reads the C library's copy
}

// The stand-in's report: its violation count and the lines' bytes when
// taken and given back.
std::string reportLine(const std::filesystem::path& report, const std::string& key) {
  std::ifstream in(report);
  std::string word, value;
  while (in >> word) {
    if (word == key && in >> value) return value;
  }
  return "-";
}

TEST(Win32Window, ProgramsReadsAndErasesThroughTheFt232r) {
  const auto place = std::filesystem::temp_directory_path() / "kalmar_win32_ftdi";
  std::filesystem::create_directories(place);
  for (const char* chip : {"PIC16F628A", "PIC12F675"}) {
    SCOPED_TRACE(chip);
    const auto chipFile = place / (std::string(chip) + ".chip");
    const auto report = place / (std::string(chip) + ".report");
    std::filesystem::remove(chipFile);
    std::filesystem::remove(report);
    setEnvironment("KALMAR_STANDIN_CHIP", chipFile.string());
    setEnvironment("KALMAR_STANDIN_KIND", chip);
    setEnvironment("KALMAR_STANDIN_REPORT", report.string());
    {
      WindowRig rig(chip, false, "ftdi");
      rig.menu({"Настройка", "Микроконтроллер", chip});
      rig.programReadAndErase(chip);
      EXPECT_NE(Controls::textOf(rig.window->window()).find("адаптер: FT232R"), std::string::npos);
      for (const std::string& message : rig.messages)  // the port opened and never failed
        EXPECT_EQ(message.find("порт"), std::string::npos) << message;
    }
    EXPECT_EQ(reportLine(report, "violations"), "0");
    EXPECT_EQ(reportLine(report, "requested"), "0F");
    EXPECT_EQ(reportLine(report, "released"), "0F");
  }
  setEnvironment("KALMAR_STANDIN_CHIP", "");
  std::error_code ignored;
  std::filesystem::remove_all(place, ignored);
}

}  // namespace
}  // namespace kalmar::win32
