#include "support/chip_rig.h"

#include "link/slowdown.h"

namespace kalmar::testing {

void ChipRig::selectSlowdown(double factor) {
  selectSlowdownFactor(form.window.slowdown, form.chip.line.timing(), factor);
}

}  // namespace kalmar::testing
