// The chip catalogue and the simulator keep their own tables on purpose:
// the simulator checks the core. Every fact they share must agree.
#include "device/catalogue.h"

#include <gtest/gtest.h>

#include "model/config_fields.h"
#include "sim/chip_kind.h"
#include "sim/family_rules.h"

namespace kalmar::testing {
namespace {

Family familyOf(sim::SimFamily family) {
  switch (family) {
    case sim::SimFamily::F84:
      return Family::Family84;
    case sim::SimFamily::F62x:
    case sim::SimFamily::F62xA:
      return Family::Family62x;
    case sim::SimFamily::F12F6:
      return Family::Family12F6xx;
    case sim::SimFamily::F81x:
    case sim::SimFamily::F716:
    case sim::SimFamily::F683:
    case sim::SimFamily::F87xA:
    case sim::SimFamily::F88x:
    case sim::SimFamily::F1xxx:
      return Family::FieldTable;
  }
  return Family::Family84;
}

TEST(Catalogue, AgreesWithTheSimulatorOnEveryChip) {
  for (const CatalogueEntry& row : catalogue()) {
    SCOPED_TRACE(row.name);
    const std::optional<sim::ChipKind> kind = sim::chipKindFromName(row.name);
    ASSERT_TRUE(kind.has_value()) << "no simulator model";
    const sim::ChipTraits& sim = sim::traitsOf(*kind);
    EXPECT_EQ(row.family, familyOf(sim.family));
    EXPECT_EQ(row.layout == ConfigLayout::F62xA, sim.family == sim::SimFamily::F62xA);
    EXPECT_EQ(row.programWords, sim.programWords);
    EXPECT_EQ(row.dataBytes, sim.dataBytes);
    EXPECT_EQ(row.deviceId == 0 ? 0x3FFF : row.deviceId, sim.deviceId);
    EXPECT_EQ(~row.implementedConfigBits & 0x3FFF, sim.configZeroBits);
    EXPECT_EQ(row.cycles.programOnlyUs > 0, sim.hasProgramOnlyCommand);
    // The chips that keep factory values are those the simulator erases alone.
    const bool factoryValues = sim.family == sim::SimFamily::F12F6;
    EXPECT_EQ(row.calibrationPreserved, factoryValues);
    EXPECT_EQ(row.erase == EraseSequence::BulkOnly, factoryValues);
    // The host's waits cover what the simulated chip needs.
    EXPECT_GE(row.cycles.programWordUs * 1000LL, sim.programNs);
    EXPECT_GE(row.cycles.dataByteUs * 1000LL, sim.dataNs);
    EXPECT_GE(row.cycles.bulkEraseUs * 1000LL, sim.bulkEraseNs);
    // The chips with write latches: their words, End Programming and times.
    if (row.rowWords == 1) continue;
    EXPECT_EQ(row.configWords, sim.hasConfig2 ? 2 : 1);
    const int latches = sim.latchWords != 0 ? sim.latchWords : sim::rulesOf(sim.family)->latchWords;
    EXPECT_EQ(row.rowWords, latches);
    EXPECT_EQ(row.calibrationWordAt, sim.calibrationAt);
    EXPECT_EQ(row.endCommand, sim.endCommand);
    EXPECT_EQ(row.beginProgrammingEnded, sim.programNs > 0 && !sim.programOnlyCycle &&
                                             !sim::rulesOf(sim.family)->erasingCycleTimesItself);
    EXPECT_EQ(row.erase == EraseSequence::ChipErase, sim.chipEraseNs > 0);
    EXPECT_GE(row.cycles.programOnlyUs * 1000LL, sim.programOnlyNs);
    EXPECT_GE(row.cycles.configWordUs * 1000LL,
              row.wordCycleCommand == 0x18 ? sim.programOnlyNs : sim.programNs);
    EXPECT_GE(row.cycles.chipEraseUs * 1000LL, sim.chipEraseNs);
    ASSERT_NE(row.configSpace, nullptr);
    EXPECT_EQ(row.configSpace->words, row.configWords);
    EXPECT_EQ(row.configSpace->implemented[0], row.implementedConfigBits);
    if (sim.hasConfig2) {
      EXPECT_EQ(row.configSpace->implemented[1], ~sim.config2ZeroBits & 0x3FFF);
    }
  }
}

TEST(Catalogue, AWindowStartsWithTheDefaultChipsRow) {
  EXPECT_EQ(DeviceProfile{}, profileOf(defaultChip()));
}

TEST(Catalogue, DeviceIdsNameTheirChipWhateverTheRevision) {
  EXPECT_STREQ(findChipByDeviceId(0x1066)->name, "PIC16F628A");
  EXPECT_STREQ(findChipByDeviceId(0x0FDF)->name, "PIC12F675");
  EXPECT_EQ(findChipByDeviceId(0x3FFF), nullptr);
  EXPECT_EQ(findChipByDeviceId(0x0000), nullptr);
}

}  // namespace
}  // namespace kalmar::testing
