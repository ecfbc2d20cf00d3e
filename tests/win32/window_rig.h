#pragma once

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/port_stack.h"
#include "desktop/window_start.h"
#include "device/startup.h"
#include "win32/main_window.h"
#include "win32/route_menus.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {

// The window over a simulated chip on simulated time (or the real clock),
// or on the adapter a port names (`kalmar.exe --port ftdi`), started in a
// fresh start-up directory as kalmar.exe starts it, its boxes answered by
// script, laid out for the system's screen or the one `screen` names.
struct WindowRig {
  explicit WindowRig(const std::string& chip, bool virtualTime = true,
                     const std::string& port = {}, ScreenMetrics screen = {}) {
    directory = std::filesystem::temp_directory_path() /
                ("kalmar_win32_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::remove_all(directory);
    std::filesystem::create_directories(directory);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // as kalmar.exe: screen readers' names
    previous = std::filesystem::current_path();
    std::filesystem::current_path(directory);  // Kalmar.cfg is written here
    options.port = port.empty() ? "sim:" + (directory / "chip.chip").string() : port;
    options.virtualTime = virtualTime && port.empty();
    PortChoice choice;
    choice.port = *options.port;
    choice.virtualTime = options.virtualTime;
    choice.chipForNewSimFile = [chip] { return chip; };
    std::string error;
    stack = PortStack::build(choice, error);
    platform = makeSystemPlatform();
    form = std::make_unique<TForm1>(host, *platform, stack->line());
    window = std::make_unique<MainWindow>(*form, host, desktop::captionSuffix(*stack, options),
                                          screen);
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
  // The chip's own program through the menus: programmed whole, verified
  // by button, read back, erased, then its verify fails.
  void programReadAndErase(const std::string& chip) {
    const std::string file = std::string(KALMAR_PROGRAMS_DIR) + "/" + chip + "/filled.hex";
    nextFile = file;
    menu({"Файл", "Открыть"});
    menu({"Записать", "Программировать всё из файла"});
    EXPECT_NE(text("StatusBar1").find("всё проверено"), std::string::npos);
    click("SpeedButton13");  // verify
    EXPECT_TRUE(form->operation.ok);
    menu({"Прочитать", "Все"});
    const auto& buffer = form->buffer;
    const int words = form->chip.profile.programWords;
    EXPECT_TRUE(std::equal(buffer.chipRead.begin(), buffer.chipRead.begin() + words,
                           buffer.program.begin()));
    menu({"Сервис", "Стереть все"});
    EXPECT_NE(text("StatusBar1").find("успешное стирание"), std::string::npos);
    nextFile = file;
    menu({"Файл", "Открыть"});
    click("SpeedButton13");
    EXPECT_FALSE(form->operation.ok);
  }
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

}  // namespace kalmar::win32
