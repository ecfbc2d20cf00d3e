#include "files/hex_load.h"
#include "files/hex_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "device/chip_selection.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

struct LoadRig : FormRig {
  explicit LoadRig(const char* chip = "PIC16F84") {
    start();
    selectChipByName(form, chip);
  }
  std::string write(const std::string& name, const std::string& text) {
    const std::string path = (directory / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  bool load(const std::string& text) { return loadHexFile(form, write("test.hex", text)); }
  RecordedMessage onlyMessage() {
    EXPECT_EQ(host.messages.size(), 1u);
    if (host.messages.empty()) return {};
    return host.messages.back();
  }
};

const char* const kCannotUse = "Не возможно использовать открываемый файл.\r\n";

TEST(HexLoad, EmptyFileLoadsABlankBuffer) {
  LoadRig rig;
  rig.form.buffer.program[3] = 0x1111;
  rig.form.buffer.ids[0] = 0x0001;
  rig.form.buffer.data[5] = 0x55;
  EXPECT_TRUE(rig.load("\r\n   \n"));
  EXPECT_EQ(rig.form.buffer.program[3], 0x3FFF);
  EXPECT_EQ(rig.form.buffer.ids[0], 0x3FFF);
  EXPECT_EQ(rig.form.buffer.data[5], 0xFF);
  EXPECT_TRUE(rig.form.buffer.disassemblyNeeded);
  EXPECT_EQ(rig.form.window.Edit4.Hint, "Отображено состояние буфера");
  EXPECT_EQ(rig.form.window.ProgressBar1, 106);
  EXPECT_TRUE(rig.form.window.routes.N15.Enabled);
  EXPECT_TRUE(rig.form.window.routes.SpeedButton4.Enabled);
  EXPECT_FALSE(rig.form.window.routes.PIC2.Enabled);
}

TEST(HexLoad, StoresEveryAreaOfTheLayout) {
  LoadRig rig("PIC16F628");
  rig.host.expectMessage(MessageResult::Cancel);  // 3FF1h is implausible for a 16F628
  EXPECT_TRUE(
      rig.load(":020000000528D1\n"  // GOTO 5 at word 0
               ":02080000FF3FB8\n"  // word 400h: allowed on a 2048-word chip
               ":02400E00F13F80\n"  // configuration word 3FF1h
               ":084000000100020003000400AE\n"
               ":02420000341276\n"  // data byte 0 = 34h, the high byte dropped
               ":00000001FF\n"
               ":02000200FF3FBE\n"));  // after the end record: still loaded
  const Buffer& b = rig.form.buffer;
  EXPECT_EQ(b.program[0], 0x2805);
  EXPECT_EQ(b.program[0x400], 0x3FFF);
  EXPECT_EQ(b.program[1], 0x3FFF);
  EXPECT_EQ(b.config, 0x3FF1);
  EXPECT_EQ(b.ids, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(b.data[0], 0x34);
  EXPECT_EQ(b.disassembly[0], 0x2805);
  EXPECT_EQ(rig.form.window.idCells[3], "0004");
  EXPECT_EQ(rig.form.window.dataCells[0], "34");
  EXPECT_EQ(rig.form.window.programColumns[0].substr(0, 6), "2805\r\n");
  EXPECT_EQ(rig.form.window.GroupBox7.Caption, "Конфигурация  3FF1");
}

TEST(HexLoad, LowerCaseDigitsAndWordsAboveFourteenBits) {
  LoadRig rig;
  EXPECT_TRUE(rig.load(":02000000ffff00\n"));
  EXPECT_EQ(rig.form.buffer.program[0], 0xFFFF) << "values are stored as read";
}

TEST(HexLoad, EachFormatErrorHasItsMessage) {
  struct Case {
    const char* file;
    const char* text;
  };
  for (Case c : {
           Case{":020000000528D1\nX1\n", "Не верный первый символ в строке 2."},
           Case{":02000000052 8D1\n", "В строке 1 найден неформатный символ -    "},
           Case{":020000000528D1 \n", "В строке 1 найден неформатный символ -    "},
           Case{":02000000G528D1\n", "В строке 1 найден неформатный символ -   G"},
           Case{"\n\n  :020800000528C9\n",
                "Неверная адресация.\r\nВ строке 1 указан адрес, превышающий допустимый 0400h."},
           Case{":020000000528D2\n", "Ошибка контрольной суммы в строке 1."},
           Case{":020000000528D\n", "Ошибка контрольной суммы в строке 1."},
           Case{":020000000528D100\n", "Ошибка контрольной суммы в строке 1."},
           Case{":0200\n", "Ошибка контрольной суммы в строке 1."},
           Case{":\n", "Ошибка контрольной суммы в строке 1."},
       }) {
    SCOPED_TRACE(c.file);
    LoadRig rig;
    rig.host.expectMessage(MessageResult::Ok);
    EXPECT_FALSE(rig.load(c.file));
    const RecordedMessage message = rig.onlyMessage();
    EXPECT_EQ(message.caption,
              "Ошибка при открытии файла " + (rig.directory / "test.hex").string());
    EXPECT_EQ(message.text, kCannotUse + std::string(c.text));
    EXPECT_EQ(message.icon, MessageIcon::Error);
  }
}

TEST(HexLoad, FailedLoadKeepsWhatWasReadButBlocksWritingIt) {
  LoadRig rig;
  rig.host.expectMessage(MessageResult::Ok);
  EXPECT_FALSE(rig.load(":020000000528D1\n:02000200FF3FBD\n"));
  const std::string path = (rig.directory / "test.hex").string();
  EXPECT_EQ(rig.form.buffer.program[0], 0x2805) << "accepted records stay";
  EXPECT_FALSE(rig.form.buffer.disassemblyNeeded);
  EXPECT_EQ(rig.form.window.Edit4.Text, "Буфер ");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненое действие: неудачная попытка прочитать файл " + path);
  EXPECT_TRUE(rig.form.window.Enabled);
  const RouteState& r = rig.form.window.routes;
  for (const MenuItem* item : {&r.N15, &r.N31, &r.N37, &r.N38, &r.SpeedButton12, &r.SpeedButton13})
    EXPECT_FALSE(item->Enabled) << item->Caption;
  EXPECT_TRUE(rig.load(":020000000528D1\n"));
  EXPECT_TRUE(r.N15.Enabled) << "a good load enables them again";
}

TEST(HexLoad, AddressLimitsFollowTheChip) {
  LoadRig f84;
  f84.host.expectMessage(MessageResult::Ok);
  EXPECT_TRUE(f84.load(":104270000102030405060708090A0B0C0D0E0F10B6\n"));
  EXPECT_EQ(f84.form.buffer.data[0x38], 0x01);
  EXPECT_FALSE(f84.load(":104272000102030405060708090A0B0C0D0E0F10B4\n"));

  LoadRig f628("PIC16F628");
  EXPECT_TRUE(f628.load(":10427200FF00FF00FF00FF00FF00FF00FF00FF0044\n"));
}

TEST(HexLoad, The648AKeepsItsUpperWordsAndDataBytes) {
  const std::string words =
      ":021000003412A8\n"       // word 800h
      ":041FFC0078169A2B8E\n";  // words FFEh, FFFh
  const std::string bytes =
      ":0243000080003B\n"               // data byte 80h
      ":0843F800A100A200A300A40033\n";  // data bytes FCh-FFh
  LoadRig f648("PIC16F648A");
  f648.recordProgress();
  EXPECT_TRUE(f648.load(words + bytes + ":024400001100A9\n"));  // 4400h: taken, stored nowhere
  const Buffer& buffer = f648.form.buffer;
  EXPECT_EQ(buffer.program[0x800], 0x1234);
  EXPECT_EQ(buffer.program[0xFFE], 0x1678);
  EXPECT_EQ(buffer.program[0xFFF], 0x2B9A);
  EXPECT_EQ(buffer.data[0x80], 0x80);
  EXPECT_EQ(buffer.data[0xFC], 0xA1);
  EXPECT_EQ(buffer.data[0xFF], 0xA4);
  EXPECT_EQ(f648.form.window.dataCells[0xFF], "A4");
  EXPECT_EQ(*std::max_element(f648.progress.begin(), f648.progress.end()), 106)
      << "256 cells fill the bar's last 30 steps once";
  for (const char* beyond : {":041FFE0000000000DF\n", ":024402001100A7\n"}) {
    f648.host.expectMessage(MessageResult::Ok);
    EXPECT_FALSE(f648.load(beyond)) << beyond;
  }

  // The PIC16F628A as before: word 800h and data from 4302h on are refused,
  // a record at 4300h is taken and stored nowhere.
  LoadRig f628a("PIC16F628A");
  EXPECT_TRUE(f628a.load(":0243000080003B\n"));
  EXPECT_EQ(f628a.form.buffer.data, Buffer().data);
  for (const char* refused : {":021000003412A8\n", ":0843F800A100A200A300A40033\n"}) {
    f628a.host.expectMessage(MessageResult::Ok);
    EXPECT_FALSE(f628a.load(refused)) << refused;
    EXPECT_NE(f628a.host.messages.back().text.find("Неверная адресация."), std::string::npos);
  }
}

// 4010h is the word at 2008h: the second configuration word of a chip that
// has two (compilers write both in one record at 400Eh), the calibration
// word of a chip that keeps one there (taken note of, never the chip's),
// nothing on the others.
TEST(HexLoad, TheWordAt2008hFollowsTheChip) {
  const std::string both = ":04400E00FB3F030071\n";
  const std::string second = ":024010000200AC\n";
  const std::string calibration = ":024010008034FA\n";
  LoadRig two;
  two.form.chip.profile.configWords = 2;
  EXPECT_TRUE(two.load(both));
  EXPECT_EQ(two.form.buffer.config, 0x3FFB);
  EXPECT_EQ(two.form.buffer.config2, 0x0003);
  EXPECT_TRUE(two.load(second));
  EXPECT_EQ(two.form.buffer.config2, 0x0002);
  EXPECT_NE(bufferToHex(two.form.buffer, 1024, 64, 2).find(":024010000200AC\r\n"),
            std::string::npos);
  EXPECT_EQ(bufferToHex(two.form.buffer, 1024, 64).find(":02401000"), std::string::npos);

  LoadRig calibrated;
  calibrated.form.chip.profile.calibrationWordAt = 0x2008;
  EXPECT_TRUE(calibrated.load(calibration));
  EXPECT_EQ(calibrated.form.buffer.fileCalibration, 0x3480);
  EXPECT_EQ(calibrated.form.buffer.config2, kBlankWord);
  EXPECT_TRUE(calibrated.load(both));
  EXPECT_EQ(calibrated.form.buffer.config, 0x3FFB) << "the word at 2008h is no configuration";
  EXPECT_EQ(calibrated.form.buffer.fileCalibration, 0x0003);
  EXPECT_TRUE(calibrated.load(""));
  EXPECT_FALSE(calibrated.form.buffer.fileCalibration) << "it belongs to the file loaded";

  LoadRig one;
  EXPECT_TRUE(one.load(second + calibration));
  EXPECT_EQ(one.form.buffer.config2, kBlankWord);
  EXPECT_FALSE(one.form.buffer.fileCalibration);
}

TEST(HexLoad, WordsWithNoPlaceAreDropped) {
  LoadRig rig("PIC16F628A");
  // Six ID words, a data record that starts at 41FFh and one that runs past byte 127.
  EXPECT_TRUE(
      rig.load(":0C4000000100020003000400050006009F\n"
               ":0441FF00AA00BB0057\n"
               ":0842FC00110022003300440010\n"));
  EXPECT_EQ(rig.form.buffer.ids, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(rig.form.buffer.data[0], 0xBB);
  EXPECT_EQ(rig.form.buffer.data[126], 0x11);
  EXPECT_EQ(rig.form.buffer.data[127], 0x22);
}

TEST(HexLoad, AddressRecordsStoreNothingAndNonZeroBasesAreRefused) {
  LoadRig rig;
  EXPECT_TRUE(rig.load(":020000000528D1\n:020000040000FA\n:0400000300000000F9\n:00000001FF\n"));
  EXPECT_EQ(rig.form.buffer.program[0], 0x2805) << "the reset vector survives";
  rig.host.expectMessage(MessageResult::Ok);
  EXPECT_FALSE(rig.load(":020000040001F9\n:02000000FF3FC0\n"));
  EXPECT_NE(rig.onlyMessage().text.find("Неверная адресация."), std::string::npos);
}

// The PIC12F1822 family's files reach configuration space (8000h) and data
// memory (F000h) through an extended linear address of 1, as gpasm writes
// them: read there, written back the same way; a base of 2 stays refused.
TEST(HexLoad, ExtendedAddressesReachConfigurationAndDataAt8000h) {
  LoadRig rig("PIC16F88");  // two words as fields; the rest as the PIC16F1827
  DeviceProfile& chip = rig.form.chip.profile;
  chip.programWords = 4096;
  chip.dataBytes = 256;
  chip.configWords = 2;
  chip.calibrationWordAt = 0x8009;
  chip.configBase = 0x8000;
  const std::string file =
      ":020000040000FA\n:040000001230002892\n:020000040001F9\n"
      ":080000000100020003000400EE\n:06000E00E43FFF3E5C2A06\n:06E00000110022003300B4\n"
      ":02E1FE004400DB\n:00000001FF\n";
  ASSERT_TRUE(rig.load(file));
  const Buffer& buffer = rig.form.buffer;
  EXPECT_EQ(buffer.program[0], 0x3012);
  EXPECT_EQ(buffer.ids, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(buffer.config, 0x3FE4);
  EXPECT_EQ(buffer.config2, 0x3EFF);
  EXPECT_EQ(buffer.fileCalibration, std::uint16_t{0x2A5C});  // kept apart, never written
  EXPECT_EQ(buffer.data[0], 0x11);
  EXPECT_EQ(buffer.data[2], 0x33);
  EXPECT_EQ(buffer.data[255], 0x44);
  const std::string written = bufferToHex(buffer, 4096, 256, 2, 0x8000);
  EXPECT_NE(written.find(":020000040001F9\r\n:080000000100020003000400EE\r\n"), std::string::npos)
      << written;
  LoadRig again("PIC16F88");
  again.form.chip.profile = chip;
  ASSERT_TRUE(again.load(written));
  EXPECT_EQ(again.form.buffer.data, buffer.data);
  EXPECT_EQ(again.form.buffer.config2, buffer.config2);

  LoadRig beyond;
  beyond.form.chip.profile = chip;
  beyond.host.expectMessage(MessageResult::Ok);
  EXPECT_FALSE(beyond.load(":020000040002F8\n:00000001FF\n"));
}

TEST(HexLoad, CommentsAfterTheEndRecordEndTheFile) {
  LoadRig rig("PIC16F628A");
  EXPECT_TRUE(rig.load(":020000000528D1\r\n:00000001FF\r\n;PIC16F628A\r\n;CRC=1234\r\n"));
  EXPECT_EQ(rig.form.buffer.program[0], 0x2805);
}

TEST(HexLoad, CancelledDialogAndUnreadableFile) {
  LoadRig rig;
  rig.form.window.Edit4.Text = "Микроконтроллер";
  rig.host.queueOpenFile(std::nullopt);
  Button14Click(rig.form);
  EXPECT_EQ(rig.host.openRequests.at(0).filter, "*.hex");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненое действие: неудачная попытка открыть файл.");
  EXPECT_EQ(rig.form.window.Edit4.Text, "Микроконтроллер");

  const std::string missing = (rig.directory / "missing.hex").string();
  rig.host.queueOpenFile(missing);
  rig.host.expectMessage(MessageResult::Ok);
  Button14Click(rig.form);
  EXPECT_EQ(rig.onlyMessage().caption, "Ошибка при открытии файла " + missing);
  EXPECT_NE(rig.onlyMessage().text.find("Не удалось прочитать файл."), std::string::npos);
  EXPECT_TRUE(rig.form.window.Enabled);
  EXPECT_EQ(rig.form.window.Edit4.Text, "Буфер ");
}

TEST(HexLoad, LongPathsAreShortenedInTheCaption) {
  EXPECT_EQ(shortenedPath("/home/user/a.hex"), "/home/user/a.hex");
  EXPECT_EQ(shortenedPath("/home/user/projects/abc.hex"), "\\ .. user/projects/abc.hex");
  EXPECT_EQ(shortenedPath("/дом/пользователь/проект.hex"), "\\ .. льзователь/проект.hex");
  LoadRig rig;
  const std::string path = rig.write("abcdefghijklmnopqrstuvwxyz.hex", "");
  EXPECT_TRUE(loadHexFile(rig.form, path));
  EXPECT_EQ(rig.form.window.Edit4.Text, "Буфер (\\ .. jklmnopqrstuvwxyz.hex)");
}

TEST(HexLoad, ProgressFollowsTheRecordAddress) {
  LoadRig rig("PIC16F628");
  rig.recordProgress();
  EXPECT_TRUE(rig.load(":02080000FF3FB8\n:02400000FF3F80\n"));
  // Row 80h of 256 rows gives 35; the ID record shows a full bar.
  EXPECT_NE(std::find(rig.progress.begin(), rig.progress.end(), 35), rig.progress.end());
  EXPECT_EQ(rig.progress.back(), 106);
}

}  // namespace
}  // namespace kalmar::testing
