// The window on Windows, driven as a person would through window messages:
// menu commands, button clicks, clicks and keys into cells, the close box.
// Runs under Wine in the Windows check.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "app/port_stack.h"
#include "desktop/window_start.h"
#include "device/startup.h"
#include "files/hex_load.h"
#include "sim/chip_file.h"
#include "win32/main_window.h"
#include "win32/route_menus.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {
namespace {

const std::string kHexDir = KALMAR_TESTDATA_DIR;
const std::string k628aFile =
    kHexDir +
    "/PIC16F628A/StarNiell__PIC16F628A_AS_DL4YHF.X__PIC16F628A_AS_DL4YHF.X.production.hex";

// The window over a simulated chip on simulated time, started in a fresh
// start-up directory as kalmar.exe starts it, its boxes answered by script.
struct WindowRig {
  explicit WindowRig(const std::string& chip) {
    directory = std::filesystem::temp_directory_path() /
                ("kalmar_win32_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(directory);  // Kalmar.cfg is written here
    options.port = "sim:" + (directory / "chip.chip").string();
    options.virtualTime = true;
    PortChoice choice;
    choice.port = *options.port;
    choice.virtualTime = true;
    choice.chipForNewSimFile = [chip] { return chip; };
    std::string error;
    stack = PortStack::build(choice, error);
    platform = makeSystemPlatform();
    form = std::make_unique<TForm1>(host, *platform, stack->line());
    window = std::make_unique<MainWindow>(*form, host, desktop::captionSuffix(*stack, options));
    window->runner().onClosed = [this] {
      std::string saveError;
      chipSaved = stack->saveChip(saveError);
    };
    host.scriptedMessage = [this](const std::string& caption, const std::string& text,
                                  MessageIcon, MessageButtons buttons) {
      messages.push_back(caption + ": " + text);
      return buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
    };
    host.scriptedOpen = [this](const FileDialogRequest&) { return nextFile; };
    desktop::startWindow(*form, *stack, options, ".");
    window->show(SW_SHOWNOACTIVATE);
    settle();
  }
  ~WindowRig() {
    window.reset();
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }

  // Lets queued messages and the routes they started run to their end.
  void settle() {
    MSG message;
    for (int round = 0; round < 4; ++round)
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return;
        window->dispatch(message);
      }
  }
  HWND control(const char* name) {
    HWND found = window->controls().find(name);
    if (found == nullptr) ADD_FAILURE() << "no control " << name;
    return found;
  }
  std::string text(const char* name) { return Controls::textOf(control(name)); }
  // A menu item chosen by its caption path, as a click on it does.
  void menu(std::initializer_list<const char*> path) {
    HMENU menu = GetMenu(window->window());
    UINT id = 0;
    for (const char* caption : path) {
      bool found = false;
      for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu) && !found; ++i) {
        wchar_t buffer[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), buffer, 128, MF_BYPOSITION);
        if (utf8(buffer) != caption) continue;
        found = true;
        // Opening a menu tells the window, as the system does.
        if (HMENU sub = GetSubMenu(menu, i)) {
          SendMessageW(window->window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), 0);
          menu = sub;
        } else {
          ASSERT_NE(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED, MF_GRAYED)
              << caption << " is disabled";
          id = GetMenuItemID(menu, i);
        }
      }
      ASSERT_TRUE(found) << "no menu item " << caption;
    }
    SendMessageW(window->window(), WM_COMMAND, id, 0);
    settle();
  }
  void click(const char* name) {
    HWND button = control(name);
    ASSERT_TRUE(IsWindowEnabled(button)) << name << " is disabled";
    SendMessageW(button, BM_CLICK, 0, 0);
    settle();
  }
  // A left click into a control near its left edge.
  void clickInto(const char* name) {
    HWND target = control(name);
    const LPARAM at = MAKELPARAM(3, 5);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(target, WM_LBUTTONUP, 0, at);
    settle();
  }
  void type(const char* keys) {
    for (const char* key = keys; *key != '\0'; ++key) {
      HWND focused = GetFocus();
      const WPARAM virtualKey = static_cast<WPARAM>(VkKeyScanW(static_cast<wchar_t>(*key)) & 0xFF);
      SendMessageW(focused, WM_KEYDOWN, virtualKey, 1);
      SendMessageW(focused, WM_CHAR, static_cast<WPARAM>(*key), 1);
      SendMessageW(focused, WM_KEYUP, virtualKey, 0xC0000001);
      settle();
    }
  }

  std::filesystem::path directory, previous;
  desktop::DesktopOptions options;
  std::unique_ptr<PortStack> stack;
  WinHost host;
  std::unique_ptr<Platform> platform;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<MainWindow> window;
  std::vector<std::string> messages;
  std::optional<std::string> nextFile;
  bool chipSaved = false;
};

// A whole working session on a PIC16F628A: the chip chosen, a real HEX file
// opened and written, verified by button, a data byte edited in a clicked
// cell and written, an ID word written from the group's pop-up menu, then
// the close box; the simulated chip holds exactly that and Kalmar.cfg was
// written.
TEST(Win32Window, ASessionReachesTheChipThroughTheWindowsControls) {
  if (!std::filesystem::exists(k628aFile)) GTEST_SKIP() << "no test HEX files";
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
  EXPECT_EQ(saved.chip->data[48], 0xFF);
  EXPECT_EQ(saved.chip->ids[1], 0x1234);
  for (const std::string& message : rig.messages) ADD_FAILURE() << "box: " << message;
}

}  // namespace
}  // namespace kalmar::win32
