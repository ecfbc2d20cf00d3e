#include "files/listing_export.h"

#include <gtest/gtest.h>

#include <fstream>

#include "device/chip_selection.h"
#include "files/cp1251.h"
#include "files/hex_load.h"
#include "files/listing_command.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

struct ListingRig : FormRig {
  explicit ListingRig(const char* chip = "PIC16F84") {
    start();
    selectChipByName(form, chip);
  }
  void disassemble(std::initializer_list<std::pair<int, std::uint16_t>> words) {
    for (auto [address, word] : words)
      form.buffer.disassembly[static_cast<std::size_t>(address)] = word;
    form.buffer.disassemblyNeeded = true;
    Button18Click(form);
  }
  // The code lines of the export: between the start marker and the ID section.
  std::vector<std::string> codeLines() {
    auto lines = listingFileLines(form);
    auto begin = std::find(lines.begin(), lines.end(),
                           ";Начало исполняемого кода =============================");
    auto end = std::find(lines.begin(), lines.end(), "ORG  0x2000  ; Идентификатор");
    return std::vector<std::string>(begin + 2, end - 1);
  }
};

TEST(ListingView, BuildsColumnsOnceAndShowsThemAgain) {
  ListingRig rig;
  rig.form.window.Edit4.Text = "Буфер (x.hex)";
  rig.disassemble({{0, 0x2805}, {5, 0x0000}});
  const WindowState& w = rig.form.window;
  EXPECT_TRUE(w.GroupBox9Visible);
  ASSERT_EQ(w.Memo14.size(), 1024u);
  EXPECT_EQ(w.Memo14[0], "GOTO        L_0005");
  EXPECT_EQ(w.Memo14[1], "  ---");
  EXPECT_EQ(w.Memo15[5], "L_0005:");
  EXPECT_EQ(w.Memo15[0], " ");
  EXPECT_EQ(w.Edit6.Text, "Буфер (x.hex)");
  EXPECT_FALSE(rig.form.buffer.disassemblyNeeded);
  EXPECT_FALSE(w.routes.N4.Enabled);
  EXPECT_TRUE(w.routes.N28.Enabled);
  EXPECT_TRUE(w.routes.SpeedButton5.Enabled);
  EXPECT_EQ(w.StatusBar1, " Последнее выполненое действие: дизассемблирование.");
  EXPECT_EQ(w.ProgressBar1, 106);

  SpeedButton6Click(rig.form);
  EXPECT_FALSE(w.GroupBox9Visible);
  EXPECT_TRUE(w.routes.N4.Enabled);
  EXPECT_FALSE(w.routes.N28.Enabled);
  EXPECT_TRUE(w.routes.SpeedButton5.Enabled);

  rig.form.buffer.disassembly[0] = 0x0000;  // changed without the flag: not decoded
  rig.recordProgress();
  Button18Click(rig.form);
  EXPECT_EQ(w.Memo14[0], "GOTO        L_0005");
  EXPECT_TRUE(rig.progress.empty());
  Memo2Click(rig.form);
  EXPECT_EQ(w.Memo2Height(), 43);
  SpeedButton6Click(rig.form);
  EXPECT_EQ(w.Memo2Height(), 13);
}

TEST(ListingExport, CodeLinesSkipErasedRunsWithOrg) {
  ListingRig rig;
  rig.disassemble({{0, 0x2805}, {5, 0x0000}});
  EXPECT_EQ(rig.codeLines(), (std::vector<std::string>{"          GOTO        L_0005", "ORG  0005h",
                                                       "L_0005:   NOP"}));
  ListingRig labelled;
  labelled.disassemble({{0, 0x2803}, {1, 0x0185}});  // target 3 is erased
  EXPECT_EQ(labelled.codeLines(), (std::vector<std::string>{"          GOTO        L_0003",
                                                            "          CLRF        PORTA   ;  *",
                                                            "ORG  0003h", "L_0003:"}));
  ListingRig erased;
  erased.disassemble({});
  EXPECT_TRUE(erased.codeLines().empty());
}

TEST(ListingExport, FileLayoutHeaderSectionsAndClosing) {
  ListingRig rig("PIC12F675");
  rig.form.buffer.ids = {1, 2, 3, 0x3FFF};
  rig.form.buffer.config = 0x3184;
  rig.form.buffer.data[127] = 0x5A;
  rig.disassemble({});
  const auto lines = listingFileLines(rig.form);
  EXPECT_EQ(lines[0], "; 07.12.2026  12:00:00");
  EXPECT_EQ(lines[1], ";Файл получен при дизассемблировании программой \"Kalmar\"");
  EXPECT_EQ(lines[3], ";Микроконтроллер - PIC12F675");
  EXPECT_EQ(lines[5], "; описание опеpационных pегистpов");
  EXPECT_EQ(utf8ToCp1251(lines[5]).find("p"), 14u) << "a Latin p";
  EXPECT_EQ(lines[6], ";    БАНК 0");
  EXPECT_EQ(lines[12], "GPIO   EQU     05h");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ANSEL   EQU     9FH"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      ";ВНИМАНИЕ! При дизассемблировании регистры из Банка 1 с адресами "),
            lines.end());
  auto ids = std::find(lines.begin(), lines.end(), "ORG  0x2000  ; Идентификатор");
  ASSERT_NE(ids, lines.end());
  EXPECT_EQ(*(ids - 1), "");
  EXPECT_EQ(*(ids + 1), "          DATA     0x0001");
  EXPECT_EQ(*(ids + 4), "          DATA     0x3FFF");
  EXPECT_EQ(*(ids + 6), "ORG  0x2007  ; Слово конфигурации");
  EXPECT_EQ(*(ids + 7), "          DATA     0x3184");
  EXPECT_EQ(*(ids + 9), "ORG  0x2100  ; Память данных");
  EXPECT_EQ(*(ids + 10 + 127), "          DATA     0x5A");
  EXPECT_EQ(*(ids + 10 + 128), "");
  EXPECT_EQ(
      std::vector<std::string>(lines.end() - 8, lines.end()),
      (std::vector<std::string>{"", "          END", "", "", "; * Коментарий",
                                "; Нет однозначности в отношении указанного в строке регистра.",
                                "; По умолчанию указан регистр из Банка 0.", ""}));

  ListingRig small;
  small.disassemble({});
  const auto smallLines = listingFileLines(small.form);
  EXPECT_EQ(std::count_if(smallLines.begin(), smallLines.end(),
                          [](const std::string& l) {
                            return l.rfind("          DATA     0x", 0) == 0 && l.size() == 23;
                          }),
            64);
  EXPECT_NE(std::find(smallLines.begin(), smallLines.end(), ";если 1 - Банк 1"), smallLines.end());

  // A chip with a register file: its registers bank by bank, the four-bank
  // warning where banks 2 and 3 have registers.
  small.form.chip.profile.registers = RegisterSet::F87;
  const auto fileLines = listingFileLines(small.form);
  const auto has = [&fileLines](const char* line) {
    return std::find(fileLines.begin(), fileLines.end(), line) != fileLines.end();
  };
  EXPECT_TRUE(has("OPTION_REG EQU     81h"));
  EXPECT_TRUE(has(";    БАНК 2"));
  EXPECT_TRUE(has("EEDATA  EQU     10Ch"));
  EXPECT_TRUE(has(";    БАНК 3"));
  EXPECT_TRUE(has(";6 и 5 регистра STATUS. Комбинация 00 соотвеиствует Банку0, 01 - Банк1 "));
  small.form.chip.profile.registers = RegisterSet::F683;
  const auto twoBanks = listingFileLines(small.form);
  EXPECT_NE(std::find(twoBanks.begin(), twoBanks.end(), "EEDAT   EQU     9Ah"), twoBanks.end());
  EXPECT_NE(std::find(twoBanks.begin(), twoBanks.end(), ";если 1 - Банк 1"), twoBanks.end());

  // Two configuration words: the second at 2008h, the line after the first.
  small.form.chip.profile.configWords = 2;
  small.form.buffer.config2 = 0x0002;
  const auto twoLines = listingFileLines(small.form);
  auto config = std::find(twoLines.begin(), twoLines.end(), "ORG  0x2007  ; Слова конфигурации");
  ASSERT_NE(config, twoLines.end());
  EXPECT_EQ(*(config + 2), "          DATA     0x0002");
  EXPECT_EQ(*(config + 3), "");
}

TEST(ListingExport, SavesCp1251WithDefaultExtensionAndReportsFailures) {
  ListingRig rig("PIC16F628A");
  rig.disassemble({{0, 0x2805}});
  const std::string base = (rig.directory / "prog").string();
  rig.host.queueSaveFile(base);
  SpeedButton5Click(rig.form);
  EXPECT_EQ(rig.host.saveRequests.at(0).filter, "*.asm");
  std::ifstream in(base + ".txt", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
  EXPECT_NE(bytes.find(utf8ToCp1251(";Микроконтроллер - PIC16F628A\r\n")), std::string::npos);
  EXPECT_NE(bytes.find(utf8ToCp1251(
                ";6 и 5 регистра STATUS. Комбинация 00 соотвеиствует Банку0, 01 - Банк1 \r\n")),
            std::string::npos);
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вы. действие: дизассемблированные данные сохранены в файле " + base + ".txt");
  EXPECT_EQ(withDefaultExtension("dir.v2/prog"), "dir.v2/prog.txt");
  EXPECT_EQ(withDefaultExtension("prog.asm"), "prog.asm");

  rig.host.queueSaveFile(std::nullopt);
  Button19Click(rig.form);
  EXPECT_EQ(rig.form.window.StatusBar1, " Последнее выполненное действие: отмена сохранения файла");

  rig.host.queueSaveFile((rig.directory / "missing" / "x.asm").string());
  rig.host.expectMessage(MessageResult::Ok);
  N28Click(rig.form);
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].icon, MessageIcon::Error);
  EXPECT_NE(rig.form.window.StatusBar1.find("неудачная попытка сохранить файл"), std::string::npos);
  EXPECT_TRUE(rig.form.window.Enabled);
}

TEST(ListingExport, ShortInstructionColumnCountsAsErased) {
  ListingRig rig;
  rig.disassemble({{0, 0x0000}});
  selectChipByName(rig.form, "PIC16F84A");  // empties the instruction column
  EXPECT_TRUE(rig.codeLines().empty());
}

}  // namespace
}  // namespace kalmar::testing
