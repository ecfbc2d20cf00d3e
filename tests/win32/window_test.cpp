// The window on Windows, driven as a person would through window messages:
// menu commands, button clicks, clicks and keys into cells, the close box.
// Runs under Wine in the Windows check.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>

#include "sim/chip_file.h"
#include "win32/window_rig.h"

namespace kalmar::win32 {
namespace {


// The project's own PIC16F628A program (tests/programs): every word set.
const std::string k628aFile = std::string(KALMAR_PROGRAMS_DIR) + "/PIC16F628A/filled.hex";

// A whole working session on a PIC16F628A: the chip chosen, a HEX file
// opened and written, verified by button, a data byte edited in a clicked
// cell and written, an ID word written from the group's pop-up menu, then
// the close box; the simulated chip holds exactly that and Kalmar.cfg was
// written.
TEST(Win32Window, ASessionReachesTheChipThroughTheWindowsControls) {
  WindowRig rig("PIC16F628A");  // the simulated chip; the window starts on its default
  ASSERT_TRUE(rig.stack);
  ASSERT_TRUE(IsWindow(rig.window->window()));
  ASSERT_TRUE(rig.control("GroupBox2"));
  rig.menu({"Настройка", "Микроконтроллер", "PIC16F628A"});
  EXPECT_NE(Controls::textOf(rig.window->window()).find("PIC16F628A"), std::string::npos);
  EXPECT_TRUE(IsWindowVisible(rig.control("GroupBox7")));
  EXPECT_FALSE(IsWindowVisible(rig.control("GroupBox5")));

  rig.nextFile = k628aFile;
  rig.menu({"Файл", "Открыть"});
  const std::uint8_t neighbour = rig.form->buffer.data[48];  // the file's byte beside the edit
  rig.menu({"Записать", "Память программ из файла"});
  EXPECT_EQ(rig.text("StatusBar1"),
            " Последнее выполненое действие: успешная запись данных в память программ "
            "микроконтроллера.");
  rig.click("SpeedButton13");  // verify
  EXPECT_TRUE(rig.form->operation.ok);
  EXPECT_EQ(SendMessageW(rig.control("ProgressBar1"), PBM_GETPOS, 0, 0), 106);
  EXPECT_FALSE(IsWindowVisible(rig.control("Panel2")));

  rig.click("SpeedButton8");  // edit data memory
  rig.clickInto("MaskEdit50");
  EXPECT_EQ(GetFocus(), rig.control("MaskEdit50"));
  rig.type("3c");
  rig.click("SpeedButton1");  // "Сохранить"
  rig.click("SpeedButton9");  // "Запись DM"

  RouteMenus::scriptedPopupChoice = "Записать идентификатор";
  rig.clickInto("MaskEdit302");
  rig.type("1234");
  SendMessageW(rig.control("GroupBox8"), WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
  rig.settle();
  RouteMenus::scriptedPopupChoice.clear();

  for (const std::string& message : rig.messages) ADD_FAILURE() << "box: " << message;
  rig.messages.clear();
  const auto program = rig.form->buffer.program;
  SendMessageW(rig.window->window(), WM_CLOSE, 0, 0);
  rig.settle();
  EXPECT_TRUE(rig.chipSaved);
  EXPECT_TRUE(std::filesystem::exists(rig.directory / "Kalmar.cfg"));
  auto saved = sim::loadChipFile((rig.directory / "chip.chip").string());
  ASSERT_TRUE(saved.chip);
  for (std::size_t i = 0; i < 2048; ++i) ASSERT_EQ(saved.chip->program[i], program[i]) << i;
  EXPECT_EQ(saved.chip->data[49], 0x3C);
  EXPECT_EQ(saved.chip->data[48], neighbour);
  EXPECT_EQ(saved.chip->ids[1], 0x1234);
  for (const std::string& message : rig.messages) ADD_FAILURE() << "box: " << message;
}

// Chips swap the arrangement (the window grows for 256 data bytes), and the
// PIC12F675's BG list, open, closes at a press anywhere else, as every
// message passes the window's hook first.
TEST(Win32Window, ChipsSwapTheArrangementAndAPressClosesTheBgList) {
  WindowRig rig("PIC12F675");
  RECT frame;
  GetWindowRect(rig.window->window(), &frame);
  const LONG shortWindow = frame.bottom - frame.top;
  EXPECT_TRUE(IsWindowVisible(rig.control("GroupBox5")));
  EXPECT_FALSE(IsWindowVisible(rig.control("MaskEdit65")));
  rig.menu({"Настройка", "Микроконтроллер", "PIC16F648A"});
  EXPECT_FALSE(IsWindowVisible(rig.control("GroupBox5")));
  EXPECT_TRUE(IsWindowVisible(rig.control("GroupBox7")));
  EXPECT_TRUE(IsWindowVisible(rig.control("MaskEdit256")));
  GetWindowRect(rig.window->window(), &frame);
  EXPECT_GT(frame.bottom - frame.top, shortWindow);

  rig.menu({"Настройка", "Микроконтроллер", "PIC12F675"});
  EXPECT_FALSE(IsWindowVisible(rig.control("MaskEdit129")));
  ASSERT_TRUE(IsWindowVisible(rig.control("Panel3")));
  rig.click("SpeedButton14");
  EXPECT_TRUE(rig.form->window.bg.open());
  PostMessageW(rig.control("ScrollBox1"), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(rig.control("ScrollBox1"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  rig.settle();
  EXPECT_FALSE(rig.form->window.bg.open());
}

// A later chip comes from its family's submenu with its words drawn as
// fields; each list reads its field's name before it (Active
// Accessibility's name for it), a setting picked and a word typed keep each
// other in step, and the calibration word takes no keys.
TEST(Win32Window, LaterChipsGetTheFieldPanel) {
  WindowRig rig("PIC16F88");
  rig.menu({"Настройка", "Микроконтроллер", "PIC16F87/88, PIC16F818/819", "PIC16F88"});
  EXPECT_NE(Controls::textOf(rig.window->window()).find("PIC16F88"), std::string::npos);
  EXPECT_TRUE(IsWindowVisible(rig.control("FieldPanel")));
  EXPECT_FALSE(IsWindowVisible(rig.control("GroupBox5")) || IsWindowVisible(rig.control("GroupBox7")));

  HWND fosc = rig.control("ConfigField1");
  EXPECT_EQ(Controls::textOf(GetWindow(fosc, GW_HWNDPREV)), "FOSC");
  EXPECT_EQ(rig.text("ConfigWord1"), "3FFF");
  SendMessageW(fosc, CB_SETCURSEL, 0, 0);  // as a pick in the list: LP, 000 in bits 4, 1:0
  SendMessageW(GetParent(fosc), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(fosc), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(fosc));
  rig.settle();
  EXPECT_EQ(rig.text("ConfigWord1"), "3FEC");
  rig.clickInto("ConfigWord1");
  SendMessageW(rig.control("ConfigWord1"), EM_SETSEL, 0, -1);
  rig.type("3f13");
  EXPECT_EQ(rig.form->buffer.config, 0x3F13);
  EXPECT_EQ(rig.text("ConfigWord1"), "3F13");
  EXPECT_EQ(SendMessageW(fosc, CB_GETCURSEL, 0, 0), 7);

  rig.menu({"Настройка", "Микроконтроллер", "PIC12F683, PIC16F684/688", "PIC12F683"});
  HWND calibration = rig.control("CalibrationWord");
  EXPECT_TRUE(IsWindowVisible(calibration));
  EXPECT_FALSE(IsWindowVisible(rig.control("ConfigWord2")));
  EXPECT_EQ(rig.text("CalibrationWord"), "----");
  SetFocus(calibration);
  rig.type("12");
  EXPECT_EQ(rig.text("CalibrationWord"), "----");
  EXPECT_FALSE(rig.form->buffer.chipCalibration.has_value());
}

// A PIC16F88, a PIC12F683, a PIC16F690 and a PIC16F877A through the menus: the
// own program programmed whole, verified by button, read back, erased, then
// the verify fails; no timing violation, and a calibration word at 2008h stays.
TEST(Win32Window, LaterChipsAreProgrammedReadAndErased) {
  const std::pair<const char*, const char*> chips[] = {
      {"PIC16F88", "PIC16F87/88, PIC16F818/819"},
      {"PIC12F683", "PIC12F683, PIC16F684/688"},
      {"PIC16F690", "PIC16F631/677/685/687/689/690 (ICSP)"},
      {"PIC16F877A", "PIC16F873A/874A/876A/877A (ICSP)"}};
  for (const auto& [chip, group] : chips) {
    SCOPED_TRACE(chip);
    WindowRig rig(chip);
    const bool calibrated = sim::traitsOf(*sim::chipKindFromName(chip)).calibrationAt != 0;
    rig.menu({"Настройка", "Микроконтроллер", group, chip});
    rig.programReadAndErase(chip);
    EXPECT_EQ(rig.stack->adapter()->log().violations(), 0u);
    if (calibrated) {
      EXPECT_EQ(rig.stack->adapter()->chip().calibrationWord, sim::kFactoryCalibration);
    }
  }
}

// A picture button tells a screen reader what it does and where (the cells'
// names go through the system's annotation service, which Wine only stubs).
TEST(Win32Window, PictureButtonsAreNamedByWhatTheyDoAndWhere) {
  WindowRig rig("PIC16F628A");
  EXPECT_EQ(rig.text("SpeedButton5"), "Сохранить (Память программ   //  Ассемблер)");
  EXPECT_EQ(rig.text("SpeedButton13"), "Проверить память программ (Память программ)");
}

}  // namespace
}  // namespace kalmar::win32
