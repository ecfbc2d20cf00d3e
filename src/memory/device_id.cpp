#include "memory/device_id.h"

#include "link/line_protocol.h"
#include "memory/config_word.h"

namespace kalmar {

std::uint16_t readDeviceId(TForm1& form) {
  LineProtocol& line = form.chip.line;
  form.platform.setPriorityClass(PriorityClass::RealTime);
  line.EnterProgrammingMode();
  moveIntoConfigurationSpace(form, 6);
  const std::uint16_t id = line.readBackWord(command::kReadDataProgram, Sampler::Read6);
  line.ExitProgrammingMode(false);
  form.platform.setPriorityClass(PriorityClass::Normal);
  return id;
}

}  // namespace kalmar
