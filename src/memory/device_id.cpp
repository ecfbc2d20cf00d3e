#include "memory/device_id.h"

#include <array>
#include <utility>

#include "link/line_protocol.h"
#include "memory/config_word.h"

namespace kalmar {

namespace {

// Microchip's device IDs (bits 13:5) of the chips that have one.
constexpr std::array<std::pair<std::uint16_t, const char*>, 7> kDeviceIds = {{
    {0x0560, "PIC16F84A"},
    {0x07A0, "PIC16F627"},
    {0x07C0, "PIC16F628"},
    {0x1040, "PIC16F627A"},
    {0x1060, "PIC16F628A"},
    {0x0F80, "PIC12F629"},
    {0x0FC0, "PIC12F675"},
}};

}  // namespace

std::uint16_t readDeviceId(TForm1& form) {
  LineProtocol& line = form.line;
  form.platform.setPriorityClass(PriorityClass::RealTime);
  line.EnterProgrammingMode();
  moveIntoConfigurationSpace(form, 6);
  const std::uint16_t id = line.readBackWord(command::kReadDataProgram, Sampler::Read6);
  line.ExitProgrammingMode(false);
  form.platform.setPriorityClass(PriorityClass::Normal);
  return id;
}

std::string chipOfDeviceId(std::uint16_t id) {
  for (const auto& [deviceId, name] : kDeviceIds)
    if ((id & kDeviceIdMask) == deviceId) return name;
  return {};
}

bool hasDeviceId(const std::string& chip) {
  for (const auto& [deviceId, name] : kDeviceIds)
    if (chip == name) return true;
  return false;
}

}  // namespace kalmar
