#include "device/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "device/chip_selection.h"
#include "device/colours.h"
#include "files/cp1251.h"
#include "link/programmer_check.h"
#include "memory/config_check.h"
#include "port/port_router.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

std::string fileText(const std::string& chip, const std::string& port, const std::string& c1,
                     const std::string& c2, const std::string& c3, const std::string& config) {
  return utf8ToCp1251("микроконтроллер\r\n" + chip + "\r\nпорт\r\n" + port + "\r\nцвет\r\n" + c1 +
                      "\r\n" + c2 + "\r\n" + c3 + "\r\nслово конфигурации\r\n" + config);
}

std::string goodFile(const std::string& chip = "PIC16F84A", const std::string& port = "$278",
                     const std::string& colour1 = "$008BE6F5",
                     const std::string& config = "$3FF1") {
  return fileText(chip, port, colour1, "$00F5E08B", "$00EAE8EE", config);
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SettingsFile, AcceptsGoodValuesAndRefusesEachBadLine) {
  auto good = parseSettings(goodFile());
  ASSERT_TRUE(good);
  EXPECT_EQ(good->chip, "PIC16F84A");
  EXPECT_EQ(good->dataRegister, 0x278);
  EXPECT_EQ(good->colours[0], 0x8BE6F5u);
  EXPECT_EQ(good->config, 0x3FF1);
  EXPECT_TRUE(parseSettings(goodFile("PIC16F84A", "888")));  // 378h in decimal
  EXPECT_TRUE(parseSettings(goodFile("PIC16F84A", "$378", "$008BE6F5", "$3FFF")));
  EXPECT_TRUE(parseSettings(goodFile() + "\r\nextra line"));

  for (const std::string& bad :
       {goodFile("pic16f84a"), goodFile("PIC16F84A ", "$378"), goodFile("PIC16F84A", "$3BC"),
        goodFile("PIC16F84A", "LPT1"), goodFile("PIC16F84A", "$378", "$785107"),
        goodFile("PIC16F84A", "$378", "$00GGGGGG"),
        goodFile("PIC16F84A", "$378", "$00000080", "$4000"),
        goodFile("PIC16F84A", "$378", "$00000080", "$3FFF0"),
        goodFile("PIC16F84A", "$378", "$00000080", "-0001"), std::string(),
        fileText("PIC16F84", "$378", "$0", "", "", "")}) {
    EXPECT_FALSE(parseSettings(bad)) << cp1251ToUtf8(bad);
  }
  std::string nineLines = goodFile();
  nineLines.erase(nineLines.rfind("\r\n"));
  EXPECT_FALSE(parseSettings(nineLines));
}

TEST(SettingsFile, WritesTenCp1251LinesWithoutAFinalLineEnd) {
  SettingsValues values;
  values.chip = "PIC16F628";
  values.dataRegister = 0x278;
  values.colours = {0x8BE6F5, 0xF5E08B, 0xEAE8EE};
  values.config = 0xFFFF;
  const std::string bytes = formatSettings(values);
  EXPECT_EQ(bytes, fileText("PIC16F628", "$278", "$008BE6F5", "$00F5E08B", "$00EAE8EE", "$FFFF"));
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xECu) << "'м' in Windows-1251";
  EXPECT_NE(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_FALSE(parseSettings(bytes)) << "a word above 3FFFh makes the next start take the defaults";
}

TEST(Startup, GoodFileSelectsChipPortColoursAndWord) {
  FormRig rig;
  writeFile(rig.directory / "Kalmar.cfg", goodFile("PIC16F84A", "$278", "$008BE6F5", "$0005"));
  rig.start();
  const WindowState& w = rig.form.window;
  EXPECT_EQ(rig.form.chip.profile.name, "PIC16F84A");
  EXPECT_EQ(w.Caption, " Kalmar   // микроконтроллер PIC16F84A   // порт LPT2(278h)");
  EXPECT_EQ(chipMenuItem(rig.form.window, *findChip("PIC16F84A")).Caption, "PIC16F84A ^");
  EXPECT_EQ(chipMenuItem(rig.form.window, *findChip("PIC16F84")).Caption, "PIC16F84");
  EXPECT_EQ(w.chipMenu.LPT2278h1.Caption, "LPT2 (278h) ^");
  EXPECT_EQ(rig.form.buffer.config, 0x0005);
  EXPECT_TRUE(w.CheckBox[3].Checked);
  EXPECT_EQ(w.colours.shown, (ColourTriple{0x8BE6F5, 0xF5E08B, 0xEAE8EE}));
  EXPECT_EQ(w.colours.ComboBox1Tag, 3) << "Светлая 1";
  EXPECT_EQ(rig.sim.adapter.dataRegister(), 0x0F) << "the adapter is left idle";
}

TEST(Startup, UnusableFileTakesTheDefaultsSilently) {
  FormRig unknownChip;  // a chip of a later version, or a name mistyped
  writeFile(unknownChip.directory / "Kalmar.cfg", goodFile("PIC18F4550"));
  unknownChip.start();
  EXPECT_EQ(unknownChip.form.chip.profile.name, "PIC16F84");
  EXPECT_EQ(chipMenuItem(unknownChip.form.window, defaultChip()).Caption, "PIC16F84 ^");
  EXPECT_TRUE(unknownChip.form.window.GroupBox5.Visible);
  EXPECT_TRUE(unknownChip.host.messages.empty());

  FormRig rig;
  writeFile(rig.directory / "Kalmar.cfg", goodFile("PIC16F628", "$3BC"));
  rig.start();
  EXPECT_EQ(rig.form.chip.profile.name, "PIC16F84");
  EXPECT_EQ(rig.form.port.dataRegister, 0x378);
  EXPECT_EQ(rig.form.window.Caption, " Kalmar   // микроконтроллер PIC16F84   // порт LPT1(378h)");
  EXPECT_EQ(rig.form.buffer.config, 0x3FFB);
  EXPECT_EQ(rig.form.window.GroupBox5.Caption, "Конфигурация  3FFB");
  EXPECT_EQ(rig.form.window.colours.shown, (ColourTriple{0x000080, 0x785107, 0}));
  EXPECT_EQ(rig.form.window.colours.ComboBox1Tag, 0);
  EXPECT_TRUE(rig.host.messages.empty());
}

TEST(Startup, ShutdownWritesWhatTheNextStartReads) {
  FormRig first;
  first.start();
  selectChipByName(first.form, "PIC16F628");
  LPT2278h1Click(first.form);
  first.form.window.colours.saved = {0x8BE6F5, 0xF5E08B, 0xEAE8EE};
  FormClose(first.form);
  const std::string bytes = readFile(first.directory / "Kalmar.cfg");
  EXPECT_EQ(bytes, fileText("PIC16F628", "$278", "$008BE6F5", "$00F5E08B", "$00EAE8EE", "$3F18"));
  EXPECT_FALSE(std::filesystem::exists(first.directory / "Kalmar.cfg.tmp"));

  FormRig second;
  writeFile(second.directory / "Kalmar.cfg", bytes);
  second.start();
  EXPECT_EQ(second.form.chip.profile.name, "PIC16F628");
  EXPECT_EQ(second.form.window.colours.ComboBox1Tag, 3);

  FormRig defaults;
  defaults.start();
  FormClose(defaults.form);
  FormRig third;
  writeFile(third.directory / "Kalmar.cfg", readFile(defaults.directory / "Kalmar.cfg"));
  third.start();
  EXPECT_EQ(third.form.window.colours.ComboBox1Tag, 6) << "design colours are no scheme";
}

TEST(Startup, UnwritableSettingsAreReportedAndTheProgramStillCloses) {
  FormRig rig;
  rig.start();
  std::filesystem::create_directory(rig.directory / "Kalmar.cfg");  // a folder in the way
  rig.host.expectMessage(MessageResult::Ok);
  FormClose(rig.form);
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].caption, "Ошибка при сохранении настроек.");
  EXPECT_NE(rig.host.messages[0].text.find("Kalmar.cfg"), std::string::npos);
  EXPECT_EQ(rig.host.messages[0].icon, MessageIcon::Error);
}

TEST(Startup, PortThatCannotOpenIsReportedOnceAndTheCheckFindsNoProgrammer) {
  FormRig rig;
  std::uint16_t asked = 0;
  rig.form.openPort = [&](std::uint16_t address) {
    asked = address;
    return PortOpenResult{
        std::make_unique<NonePort>(), false, "/dev/parport0", "нет прав доступа", {}};
  };
  rig.host.expectMessage(MessageResult::Ok);
  rig.start();
  EXPECT_EQ(asked, 0x378);
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].caption, "Ошибка при определении драйвера порта.");
  EXPECT_EQ(rig.host.messages[0].text,
            "Не удалось открыть порт /dev/parport0.\r\nПричина: нет прав доступа.\r\n"
            "Нужны модуль ppdev и право доступа к устройству (группа lp).\r\n"
            "Программа продолжит работу без доступа к порту.");
}

TEST(Startup, WindowsNtWithoutTheDriverFileSaysWhereToPutIt) {
  FormRig rig;
  rig.platform.kind = SystemKind::WindowsNt;
  rig.platform.directory = "C:\\Kalmar";
  rig.host.expectMessage(MessageResult::Ok);
  rig.start();
  EXPECT_EQ(rig.form.settings.systemName, "NT-2000");
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].text,
            "Не найден драйвер порта.\r\nПри работе под Window NT и Windows 2000  программе\r\n"
            " необходим драйвер управления портом.\r\n Перепишите в каталог C:\\Kalmar\\\r\n"
            " файл Smport.sys и запустите программу снова.\r\n"
            " На 64-разрядной Windows вместо него положите рядом с программой\r\n"
            " библиотеку inpoutx64.dll (inpout32.dll для 32-разрядной программы).");
}

// With the port library beside the program no driver file is asked for:
// the port opens through the library, or the box says why it did not.
TEST(Startup, WindowsNtWithThePortLibraryNeedsNoDriverFile) {
  FormRig rig;
  rig.platform.kind = SystemKind::WindowsNt;
  rig.form.settings.portLibrary = "C:\\Kalmar\\inpoutx64.dll";
  int opened = 0;
  rig.form.openPort = [&opened](std::uint16_t) {
    ++opened;
    return PortOpenResult{std::make_unique<NonePort>(), false, "LPT1 (378h) через inpoutx64.dll",
                          "библиотека inpoutx64.dll не запустила свой драйвер", {}};
  };
  rig.host.expectMessage(MessageResult::Ok);
  rig.start();
  EXPECT_EQ(opened, 1);
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].text,
            "Не удалось открыть порт LPT1 (378h) через inpoutx64.dll.\r\n"
            "Причина: библиотека inpoutx64.dll не запустила свой драйвер.\r\n"
            "Программа продолжит работу без доступа к порту.");
}

TEST(Startup, ActivationCalibratesAndTheHookClosesTheBgList) {
  FormRig rig;
  rig.start();
  rig.form.editorKeyCounter = -1;
  FormActivate(rig.form);
  EXPECT_EQ(rig.form.editorKeyCounter, 0);
  EXPECT_EQ(rig.form.chip.line.timing().unitCounts(), 8000);

  rig.form.window.bg.Panel3Height = BgChooserState::kOpenHeight;
  AppMessage(rig.form, true, true);
  EXPECT_TRUE(rig.form.window.bg.open()) << "a press on the list itself";
  AppMessage(rig.form, false, false);
  EXPECT_TRUE(rig.form.window.bg.open());
  AppMessage(rig.form, true, false);
  EXPECT_FALSE(rig.form.window.bg.open());
}

TEST(ColourPresets, MatchInTableOrder) {
  EXPECT_EQ(presetIndexFor({0x000268, 0x785107, 0}), 0);
  EXPECT_EQ(presetIndexFor({0x785107, 0x785107, 0}), 1);
  EXPECT_EQ(presetIndexFor({0x000268, 0x000268, 0}), 2);
  EXPECT_EQ(presetIndexFor({0xD8E0FE, 0xFBE4DB, 0xDAFCFB}), 4);
  EXPECT_EQ(presetIndexFor({0x000268, 0x785107, 1}), 6);
}

TEST(ConfigCheck, ProposesThePlausibleWordPerFamily) {
  auto proposed = [](const char* chip, std::uint16_t word) {
    return proposedConfigWord(profileOf(*findChip(chip)), word);
  };
  EXPECT_EQ(proposed("PIC16F84", 0x3F7F), 0x3FFF);
  EXPECT_FALSE(proposed("PIC16F84", 0x000B));
  EXPECT_FALSE(proposed("PIC16F84", 0x3FFB));
  EXPECT_EQ(proposed("PIC12F675", 0x3FFF), 0x31FF);
  EXPECT_FALSE(proposed("PIC12F629", 0x31FF));
  EXPECT_EQ(proposed("PIC16F628", 0x3DFF), 0x3FFF);
  EXPECT_EQ(proposed("PIC16F627", 0x2BFF), 0x3FFF) << "partial protection bits become all ones";
  EXPECT_FALSE(proposed("PIC16F628", 0x0318));
  EXPECT_EQ(proposed("PIC16F628A", 0x3F7F & ~0x0400), 0x3F7F);
  EXPECT_FALSE(proposed("PIC16F627A", 0x1F18));
}

TEST(ConfigCheck, AsksWithEightLinesAndCorrectsOnOk) {
  FormRig rig;
  rig.start();
  rig.form.buffer.config = 0x3F7F;
  rig.host.expectMessage(MessageResult::Cancel);
  Check_Slov_cfg_file(rig.form);
  EXPECT_EQ(rig.form.buffer.config, 0x3F7F);
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].caption, "Предупреждение.");
  EXPECT_EQ(rig.host.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(rig.host.messages[0].text,
            "В прочитанном файле для данного микроконтроллера (PIC16F84)\r\n"
            "некорректно указано слово конфигурации - 3F7F.\r\n"
            "Нажмите OK и слово конфигурации будет скорректировано до\r\n"
            "приемлемого значения - 3FFF .\r\n"
            "Если Вы нажменте ОТМЕНА, тогда слово конфигурации будет\r\n"
            "оставлено без изменения, при этом состояние переключателей\r\n"
            "в панели КОНФИГУРАЦИЯ, скорее всего, не будет соответствовать\r\n"
            "слову конфигурации.");
  rig.host.expectMessage(MessageResult::Ok);
  Check_Slov_cfg_file(rig.form);
  EXPECT_EQ(rig.form.buffer.config, 0x3FFF);
  Check_Slov_cfg_file(rig.form);  // now plausible: no question
  EXPECT_EQ(rig.host.messages.size(), 2u);
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// A port named on the command line is the only one opened: start-up's idle
// write must not reach (and open) the settings file's port first.
TEST(Startup, ANamedPortIsTheOnlyOneOpened) {
  std::vector<std::uint16_t> opened;
  PortRouter router([&opened](std::uint16_t address) {
    opened.push_back(address);
    return PortOpenResult{std::make_unique<NonePort>(), true, "", "", {}};
  });
  VirtualPerformanceCounter counter(1'000'000'000, 300);
  TimingState timing(counter);
  LineProtocol line(router, timing);
  FakeHost host;
  host.defaultAnswer = MessageResult::Ok;  // no programmer behind the ports
  FakePlatform platform;
  TForm1 form(host, platform, line);
  form.portNamedLater = true;
  FormCreate(form);
  readSettingsAndStart(form);
  FormActivate(form);
  form.openPort = [&router](std::uint16_t address) { return router.open(address); };
  openPortNamed(form, "lpt2");
  (void)Chek_Hard(form);
  EXPECT_EQ(opened, std::vector<std::uint16_t>{0x278});
}

}  // namespace
}  // namespace kalmar::testing
