#pragma once

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>

#include "app/port_stack.h"
#include "device/chip_selection.h"
#include "device/startup.h"
#include "qt/main_window.h"
#include "qt/qt_host.h"
#include "sim/chip_kind.h"
#include "support/fake_platform.h"

namespace kalmar::testing {

// The desktop window over a simulated chip on simulated time, in a fresh
// temporary start-up directory, with its boxes and file dialogs answered by
// script. Used by the GUI tests and the screenshot tool.
struct DesktopRig {
  explicit DesktopRig(sim::ChipKind kind) {
    static int counter = 0;
    directory = std::filesystem::temp_directory_path() /
                ("kalmar_desktop_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::create_directories(directory);
    platform.directory = directory.string();
    PortChoice choice;
    choice.port = "sim:" + (directory / "chip.chip").string();
    choice.virtualTime = true;
    choice.chipForNewSimFile = [kind] { return std::string(sim::chipName(kind)); };
    std::string error;
    stack = PortStack::build(choice, error);
    form = std::make_unique<TForm1>(host, platform, stack->line());
    form->openPort = stack->opener();
    window = std::make_unique<qt::MainWindow>(*form, host, "   // симулятор");
    host.scriptedMessage = [this](const std::string& caption, const std::string& text, MessageIcon,
                                  MessageButtons) {
      messages.push_back(caption + ": " + text);
      if (answers.empty()) return MessageResult::Cancel;
      MessageResult answer = answers.front();
      answers.pop_front();
      return answer;
    };
    host.scriptedOpen = [this](const FileDialogRequest&) { return nextFile; };
    FormCreate(*form);
    readSettingsAndStart(*form);
    form->lowerVppReminded = true;  // the reminder to lower VPP has tests of its own
    selectChipByName(*form, sim::chipName(kind));
    window->showState();
    window->show();
    settle();
  }
  ~DesktopRig() {
    window.reset();
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }

  template <typename T>
  T* find(const char* name) {
    return window->findChild<T*>(QString::fromUtf8(name));
  }
  // Chooses a menu item or pop-up item by its component name, as a click does.
  void trigger(const char* name) {
    QAction* action = find<QAction>(name);
    if (action == nullptr) throw std::runtime_error(std::string("no action ") + name);
    action->trigger();
    settle();
  }
  // Lets queued routes run to their end.
  static void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  std::filesystem::path directory;
  std::unique_ptr<PortStack> stack;
  qt::QtHost host;
  FakePlatform platform;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<qt::MainWindow> window;
  std::deque<MessageResult> answers;
  std::vector<std::string> messages;
  std::optional<std::string> nextFile;
};

}  // namespace kalmar::testing
