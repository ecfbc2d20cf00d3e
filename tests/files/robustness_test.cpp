// Whatever a file holds, the parsers neither crash nor step outside their
// arrays: real files and records mutated byte by byte, replayed through the
// fuzzing entries (run under the sanitizers by ./test.sh --sanitize).
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "files/file_io.h"
#include "files/hex_load.h"
#include "fuzz_entries.h"
#include "sim/chip_file.h"
#include "support/chip_rig.h"

namespace kalmar::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> seeds() {
  std::vector<std::string> inputs = {
      ":020000000528D1\n:00000001FF\n",
      ":0C4000000100020003000400050006009F\n:0441FF00AA00BB0057\n",
      ":02400E00F13F80\n:020000040001F9\n",
      "\x01:10427200FF00FF00FF00FF00FF00FF00FF00FF0044\n",
      "Kalmar simulated chip\nchip PIC12F675\nconfig 2FFF\npm 03F8 1 2 3 4 5 6 7 8\ndm 7F 01\n",
      "\xEC\xE8\xEA\r\nPIC16F628A\r\n\r\n$278\r\n\r\n$00000080\r\n$00785107\r\n$00000000\r\n\r\n$"
      "3FFF",
  };
  // The small files among the project's own test programs and the public ones.
  for (const fs::path folder : {KALMAR_PROGRAMS_DIR, KALMAR_TESTDATA_DIR}) {
    if (!fs::exists(folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      std::string bytes, error;
      if (entry.is_regular_file() && entry.path().extension() != ".md" &&
          readFile(entry.path().string(), kMaxHexFileBytes, bytes, error) && bytes.size() < 4000)
        inputs.push_back(bytes);
    }
  }
  return inputs;
}

std::string mutate(std::string input, std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 4);
  std::uniform_int_distribution<int> byte(0, 255);
  const int edits = 1 + static_cast<int>(random() % 8);
  for (int i = 0; i < edits && !input.empty(); ++i) {
    const std::size_t at = random() % input.size();
    switch (kind(random)) {
      case 0:
        input[at] = static_cast<char>(byte(random));
        break;
      case 1:
        input.erase(at, 1 + random() % 4);
        break;
      case 2:
        input.insert(at, 1, "0123456789ABCDEF:\r\n "[random() % 21]);
        break;
      case 3:
        input.resize(at);
        break;
      default:
        input.insert(at, input.substr(0, random() % 40));
        break;
    }
  }
  return input;
}

TEST(Robustness, MutatedInputsNeverCrashAnyParser) {
  std::mt19937 random(20261207);
  int runs = 0;
  for (const std::string& seed : seeds()) {
    for (int i = 0; i < 40; ++i) {
      const std::string input = i == 0 ? seed : mutate(seed, random);
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(input.data());
      fuzz::loadHex(bytes, input.size());
      fuzz::parseSettingsFile(bytes, input.size());
      fuzz::parseChipFile(bytes, input.size());
      ++runs;
    }
  }
  EXPECT_GT(runs, 200);
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

#if !defined(_WIN32)  // FIFOs, /dev/zero and links are Unix things
// What is no file, or too large a one, is refused unread: the buffer, the
// chip and the settings stay as they were.
TEST(BoundedInput, NoFileAndHugeFilesAreRefusedUnread) {
  ChipRig rig(sim::ChipKind::PIC16F628A);
  rig.form.buffer.program[3] = 0x1234;
  const fs::path folder = rig.directory / "folder";
  const fs::path fifo = rig.directory / "fifo";
  const fs::path huge = rig.directory / "huge.hex";
  fs::create_directory(folder);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::ofstream(huge) << std::string(kMaxHexFileBytes + 1, ':');
  rig.host.defaultAnswer = MessageResult::Ok;
  for (const fs::path& path : {folder, fifo, fs::path("/dev/zero"), huge}) {
    SCOPED_TRACE(path.string());
    EXPECT_FALSE(loadHexFile(rig.form, path.string()));
    EXPECT_EQ(rig.form.buffer.program[3], 0x1234);
    EXPECT_NE(rig.host.messages.back().text.find("Причина: "), std::string::npos);
    EXPECT_FALSE(rig.form.window.routes.N15.Enabled) << "nothing to write";
    EXPECT_FALSE(sim::loadChipFile(path.string()).chip);
  }
  std::string bytes, error;
  const fs::path exact = rig.directory / "exact.cfg";
  std::ofstream(exact) << std::string(kMaxSettingsFileBytes, 'x');
  EXPECT_TRUE(readFile(exact.string(), kMaxSettingsFileBytes, bytes, error)) << error;
  EXPECT_EQ(bytes.size(), kMaxSettingsFileBytes);
  EXPECT_FALSE(readFile(exact.string(), kMaxSettingsFileBytes - 1, bytes, error));
  fs::create_symlink("/dev/zero", rig.directory / "Kalmar.cfg");
  rig.start();  // the defaults, at once
  EXPECT_EQ(rig.form.chip.profile.name, "PIC16F84");
}
#endif

}  // namespace
}  // namespace kalmar::testing
