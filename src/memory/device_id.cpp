#include "memory/device_id.h"

#include "memory/chip_steps.h"

namespace kalmar {

std::uint16_t readDeviceId(TForm1& form) {
  form.platform.setPriorityClass(PriorityClass::RealTime);
  const std::uint16_t id = readDeviceIdWord(form.chip);
  form.platform.setPriorityClass(PriorityClass::Normal);
  return id;
}

}  // namespace kalmar
