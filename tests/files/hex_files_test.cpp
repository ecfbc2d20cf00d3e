// HEX files as others write them: the project's own test programs
// (tests/programs, assembled by gpasm) and real files of public projects.
// Every one loads (or is refused for a reason named here), and writing the
// buffer back gives the same buffer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "device/catalogue.h"
#include "device/chip_selection.h"
#include "files/hex_load.h"
#include "files/hex_writer.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kPrograms = KALMAR_PROGRAMS_DIR;

// The real files of public projects: where KALMAR_PUBLIC_HEX names them, or
// beside the project; tests on them skip when they are not there.
fs::path publicFiles() {
  const char* named = std::getenv("KALMAR_PUBLIC_HEX");
  return named != nullptr ? fs::path(named) : fs::path(KALMAR_TESTDATA_DIR);
}

struct Loaded {
  bool good;
  Buffer buffer;
  std::vector<RecordedMessage> messages;
};

Loaded loadAs(const std::string& chip, const std::string& path) {
  FormRig rig;
  rig.start();
  selectChipByName(rig.form, chip);
  rig.host.defaultAnswer = MessageResult::Cancel;  // keep configuration words as written
  bool good = loadHexFile(rig.form, path);
  return {good, rig.form.buffer, rig.host.messages};
}

// Loads every file of every chip folder under root and writes each back;
// the warnings a file may give are configuration corrections (none where
// `warnings` is false). Returns the number of files.
int loadAndWriteBackEveryFile(const fs::path& root, bool warnings) {
  int files = 0;
  for (const auto& folder : fs::directory_iterator(root)) {
    if (!folder.is_directory()) continue;
    const std::string chip = folder.path().filename().string();
    // Folders of chips Kalmar does not program yet are someone else's test data.
    if (findChip(chip) == nullptr) continue;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      SCOPED_TRACE(entry.path().string());
      ++files;
      Loaded first = loadAs(chip, entry.path().string());
      EXPECT_TRUE(first.good);
      EXPECT_TRUE(warnings || first.messages.empty());
      for (const auto& message : first.messages)
        EXPECT_EQ(message.caption, "Предупреждение.") << message.text;
      if (!first.good) continue;

      const DeviceProfile profile = profileOf(*findChip(chip));
      FormRig writer;
      const fs::path copy = writer.directory / "copy.hex";
      std::ofstream(copy, std::ios::binary)
          << bufferToHex(first.buffer, profile.programWords, profile.dataBytes);
      Loaded second = loadAs(chip, copy.string());
      EXPECT_TRUE(second.good);
      EXPECT_EQ(second.buffer.program, first.buffer.program);
      EXPECT_EQ(second.buffer.ids, first.buffer.ids);
      EXPECT_EQ(second.buffer.config, first.buffer.config);
      EXPECT_EQ(second.buffer.data, first.buffer.data);
    }
  }
  return files;
}

TEST(OwnPrograms, EveryFileLoadsWithoutAQuestionAndWritesBackTheSameBuffer) {
  EXPECT_GE(loadAndWriteBackEveryFile(kPrograms, false), static_cast<int>(catalogue().size()));
}

// What the end-to-end tests rely on: every chip of the catalogue has a
// program reaching its last word and byte, with four IDs and a different
// byte in every data cell; the chips with a factory calibration word have
// one program without a word there and one with a RETLW of its own.
TEST(OwnPrograms, EveryChipIsFilledToItsLastWordAndByte) {
  for (const CatalogueEntry& chip : catalogue()) {
    SCOPED_TRACE(chip.name);
    const DeviceProfile profile = profileOf(chip);
    const auto top = static_cast<std::size_t>(profile.programWords - 1);
    const Loaded filled = loadAs(chip.name, (kPrograms / chip.name / "filled.hex").string());
    ASSERT_TRUE(filled.good);
    const std::size_t last = profile.calibrationPreserved ? top - 1 : top;
    EXPECT_EQ(filled.buffer.program[last] & 0x3800, 0x2000) << "a CALL at the last word";
    EXPECT_TRUE(!profile.calibrationPreserved || filled.buffer.program[top] == kBlankWord);
    const auto bytes = static_cast<std::size_t>(profile.dataBytes);
    const std::set<std::uint8_t> distinct(filled.buffer.data.begin(),
                                          filled.buffer.data.begin() + bytes);
    EXPECT_EQ(distinct.size(), bytes);
    for (std::uint16_t id : filled.buffer.ids) EXPECT_NE(id, kBlankWord);

    EXPECT_TRUE(profile.configWords < 2 || filled.buffer.config2 != kBlankWord);

    const fs::path own = kPrograms / chip.name / "own_calibration.hex";
    const bool calibrated = profile.calibrationPreserved || profile.calibrationWordAt != 0;
    ASSERT_EQ(fs::exists(own), calibrated);
    if (!calibrated) continue;
    const Loaded withOwn = loadAs(chip.name, own.string());
    ASSERT_TRUE(withOwn.good);
    if (profile.calibrationPreserved) {
      EXPECT_EQ(withOwn.buffer.program[top], 0x345C);
    }
    // A calibration word in configuration space is kept apart from the program.
    if (profile.calibrationWordAt != 0) {
      EXPECT_EQ(withOwn.buffer.fileCalibration, std::uint16_t{0x2A5C});
      EXPECT_EQ(withOwn.buffer.program[top], filled.buffer.program[top]);
    }
  }
}

TEST(RealHexFiles, EveryFileLoadsAndWritesBackTheSameBuffer) {
  const fs::path folder = publicFiles();
  if (!fs::exists(folder)) GTEST_SKIP() << "no public HEX files at " << folder;
  EXPECT_GE(loadAndWriteBackEveryFile(folder, true), 30);
}

TEST(RealHexFiles, MidFileAddressRecordNoLongerReplacesTheResetVector) {
  const fs::path file = publicFiles() / "PIC12F675" / "rasberryrabbit__PIC12F675MPPT__12f675 MPPT.hex";
  if (!fs::exists(file)) GTEST_SKIP() << "no test data at " << file;
  Loaded loaded = loadAs("PIC12F675", file.string());
  ASSERT_TRUE(loaded.good);
  EXPECT_EQ(loaded.buffer.program[0], 0x28FE) << "GOTO 0FEh";
}

TEST(HexWriter, LayoutAndBlankRecords) {
  Buffer buffer;
  buffer.program[0] = 0x2805;
  buffer.program[0x3FF] = 0x3412;
  buffer.config = 0x3FF1;
  buffer.ids = {1, 2, 3, 4};
  buffer.data[1] = 0x5A;
  const std::string hex = bufferToHex(buffer, 1024, 64);
  EXPECT_EQ(hex,
            ":100000000528FF3FFF3FFF3FFF3FFF3FFF3FFF3F11\r\n"
            ":1007F000FF3FFF3FFF3FFF3FFF3FFF3FFF3F123401\r\n"
            ":084000000100020003000400AE\r\n"
            ":02400E00F13F80\r\n"
            ":10420000FF005A00FF00FF00FF00FF00FF00FF005B\r\n"
            ":00000001FF\r\n");
}

}  // namespace
}  // namespace kalmar::testing
