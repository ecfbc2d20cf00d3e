// A chip entered at low voltage only: its profile sets the line's VPP guard
// and choosing another chip lifts it; the pin test, whose fourth step
// switches VPP on, runs only once the user confirms that no chip is on the
// adapter, and the guard is back after it.
#include "cli/pin_test.h"

#include <gtest/gtest.h>

#include "device/chip_selection.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

TEST(PinTest, ALowVoltageChipKeepsVppOffUntilTheUserConfirmsNoChip) {
  FormRig rig(sim::ChipKind::PIC16F1827);  // reports VPP on its MCLR
  rig.start();
  CatalogueEntry lowVoltage = *findChip("PIC16F628A");  // a row with the capability
  lowVoltage.lowVoltageEntry = true;
  useProfile(rig.form, lowVoltage);
  ASSERT_TRUE(rig.form.chip.line.lowVoltageEntry());

  cli::Options options;
  options.autoSteps = true;
  options.stepMs = 1;
  rig.form.chip.line.EnterProgrammingMode();  // a command's own entry: no VPP
  rig.form.chip.line.ExitProgrammingMode(true);
  EXPECT_FALSE(cli::runPinTest(rig.form, options, false));
  EXPECT_EQ(rig.sim.log().violations(), 0u) << rig.sim.log().eventsText();

  options.yes = true;
  EXPECT_TRUE(cli::runPinTest(rig.form, options, false));
  EXPECT_NE(rig.sim.log().eventsText().find("could have been damaged"), std::string::npos)
      << rig.sim.log().eventsText();
  EXPECT_TRUE(rig.form.chip.line.lowVoltageEntry());

  selectChip(rig.form, *findChip("PIC16F628A"));
  EXPECT_FALSE(rig.form.chip.line.lowVoltageEntry());
}

}  // namespace
}  // namespace kalmar::testing
