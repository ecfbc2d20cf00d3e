#include "fuzz_entries.h"

#include <string>

#include "device/catalogue.h"
#include "device/chip_selection.h"
#include "device/settings_file.h"
#include "files/hex_load.h"
#include "link/line_protocol.h"
#include "sim/chip_file.h"

namespace kalmar::fuzz {

namespace {

// Answers every question with OK or Cancel in turn and forgets the rest.
class QuietHost final : public Host {
 public:
  void pump() override {}
  MessageResult messageBox(const std::string&, const std::string&, MessageIcon,
                           MessageButtons) override {
    ok_ = !ok_;
    return ok_ ? MessageResult::Ok : MessageResult::Cancel;
  }
  void beep() override {}
  std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
  std::optional<std::uint32_t> pickColour(std::uint32_t) override { return {}; }
  void shellOpen(const std::string&) override {}

 private:
  bool ok_ = false;
};

class FixedPlatform final : public Platform {
 public:
  std::int64_t timeOfDayMs() override { return 0; }
  std::string dateTimeText() override { return "01.01.2026  00:00:00"; }
  void setPriorityClass(PriorityClass) override {}
  bool fileExists(const std::string&) override { return false; }
  std::string currentDirectory() override { return "/nonexistent"; }
  SystemKind systemKind() override { return SystemKind::Other; }
};

}  // namespace

void loadHex(const std::uint8_t* data, std::size_t size) {
  NonePort port;
  VirtualPerformanceCounter counter;
  TimingState timing(counter);
  LineProtocol line(port, timing);
  QuietHost host;
  FixedPlatform platform;
  TForm1 form(host, platform, line);
  if (size > 0) {
    const auto& chips = catalogue();
    selectChipByName(form, chips[data[0] % chips.size()].name);
    ++data;
    --size;
  }
  loadHexBytes(form, "fuzz.hex", std::string(reinterpret_cast<const char*>(data), size));
}

void parseSettingsFile(const std::uint8_t* data, std::size_t size) {
  (void)parseSettings(std::string_view(reinterpret_cast<const char*>(data), size));
}

void parseChipFile(const std::uint8_t* data, std::size_t size) {
  auto parsed = sim::chipFromText(std::string(reinterpret_cast<const char*>(data), size));
  if (parsed.chip) (void)sim::chipToText(*parsed.chip);
}

}  // namespace kalmar::fuzz
