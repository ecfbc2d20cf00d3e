#include "memory/config_space_words.h"

#include "memory/chip_steps.h"
#include "memory/config_word.h"
#include "memory/operation_frame.h"
#include "model/config_fields.h"

namespace kalmar {

namespace {

constexpr int kSecondWordOffset = 8;  // 2008h

}  // namespace

bool secondConfigMatches(const DeviceProfile& profile, std::uint16_t readBack,
                         std::uint16_t written) {
  const std::uint16_t bits = profile.configSpace ? profile.configSpace->implemented[1] : 0x3FFF;
  return ((readBack ^ written) & bits) == 0;
}

void readConfigSpaceWords(TForm1& form) {
  const DeviceProfile& profile = form.chip.profile;
  if (profile.configWords > 1)
    form.buffer.config2 = readConfigurationSpaceWord(form.chip, kSecondWordOffset);
  if (profile.calibrationWordAt != 0)
    form.buffer.chipCalibration =
        readConfigurationSpaceWord(form.chip, profile.calibrationWordAt - profile.configBase);
}

Outcome writeSecondConfigWord(TForm1& form, const char* failedAction) {
  const DeviceProfile& profile = form.chip.profile;
  if (profile.configWords < 2) return Outcome::done({});
  const std::uint16_t word = form.buffer.config2;
  const std::uint16_t readBack = programConfigurationSpaceWord(form.chip, kSecondWordOffset, word);
  if (secondConfigMatches(profile, readBack, word)) return Outcome::done({});
  return reportFailure(form, kConfigWriteCaption, configMismatchText(word, readBack), failedAction);
}

}  // namespace kalmar
