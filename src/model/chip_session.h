#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "model/device_profile.h"

namespace kalmar {

class LineProtocol;

// Everything a step that only talks to the chip needs, and nothing of the
// window: the line to the adapter, the selected chip, the pace of its
// programming cycles and the factory values kept across an erase. The
// window owns one. The BG bits read with the calibration word go into the
// buffer's configuration word (the user may choose others), not here.
struct ChipSession {
  explicit ChipSession(LineProtocol& line) : line(line) {}

  LineProtocol& line;
  DeviceProfile profile;
  // Cycles wait the chip's own times (its catalogue row), not 1000 units:
  // the whole-chip programming after a bulk erase, nothing else.
  bool chipsOwnPace = false;
  // The calibration word (RETLW at the last address) read before an erase.
  std::optional<std::uint16_t> savedCalibration;
  // A calibration word given by hand, written instead of the one kept.
  std::optional<std::uint16_t> calibrationOverride;
  // Told the calibration word and BG bits read before an erase.
  std::function<void(std::uint16_t calibration, std::uint8_t bg)> onFactoryValuesRead;
};

}  // namespace kalmar
