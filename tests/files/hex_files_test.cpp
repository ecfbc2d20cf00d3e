// Real HEX files from public projects: every one loads (or is refused for a
// reason named here), and writing the buffer back gives the same buffer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "device/chip_selection.h"
#include "files/hex_load.h"
#include "files/hex_writer.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kTestData = KALMAR_TESTDATA_DIR;

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

TEST(RealHexFiles, EveryFileLoadsAndWritesBackTheSameBuffer) {
  if (!fs::exists(kTestData)) GTEST_SKIP() << "no test data at " << kTestData;
  int files = 0;
  for (const auto& folder : fs::directory_iterator(kTestData)) {
    if (!folder.is_directory()) continue;
    const std::string chip = folder.path().filename().string();
    // Folders of chips Kalmar does not program yet are someone else's test data.
    if (findChip(chip) == nullptr) continue;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      SCOPED_TRACE(entry.path().string());
      ++files;
      Loaded first = loadAs(chip, entry.path().string());
      EXPECT_TRUE(first.good);
      for (const auto& message : first.messages)
        EXPECT_EQ(message.caption, "Предупреждение.") << message.text;
      if (!first.good) continue;

      const DeviceProfile profile = profileOf(*findChip(chip));
      FormRig writer;
      const fs::path copy = writer.directory / "copy.hex";
      std::ofstream(copy, std::ios::binary)
          << bufferToHex(first.buffer, profile.programWords, profile.dataBytes);
      Loaded second = loadAs(chip, copy.string());
      ASSERT_TRUE(second.good);
      EXPECT_EQ(second.buffer.program, first.buffer.program);
      EXPECT_EQ(second.buffer.ids, first.buffer.ids);
      EXPECT_EQ(second.buffer.config, first.buffer.config);
      EXPECT_EQ(second.buffer.data, first.buffer.data);
    }
  }
  EXPECT_GE(files, 30);
}

TEST(RealHexFiles, MidFileAddressRecordNoLongerReplacesTheResetVector) {
  const fs::path file = kTestData / "PIC12F675" / "rasberryrabbit__PIC12F675MPPT__12f675 MPPT.hex";
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
