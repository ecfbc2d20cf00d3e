// kalmar.exe: the desktop programmer's window on Windows.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/port_stack.h"
#include "app/version_text.h"
#include "desktop/window_start.h"
#include "device/adapter_choice.h"
#include "device/startup.h"
#include "port/windows_ports.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"
#include "win32/win_host.h"

using namespace kalmar;

namespace {

std::vector<std::string> argumentsOf(PWSTR commandLine) {
  std::vector<std::string> args;
  if (commandLine == nullptr || *commandLine == L'\0') return args;
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(commandLine, &count);
  if (words == nullptr) return args;
  for (int i = 0; i < count; ++i) args.push_back(win32::utf8(words[i]));
  LocalFree(words);
  return args;
}

bool usable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

// --help, --version and option errors: where the output is redirected (a
// file, a pipe), there; else on the console the program was started from;
// else in a box (a window program has no console of its own).
void tell(const std::string& text, bool error) {
  const DWORD which = error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
  HANDLE out = GetStdHandle(which);
  if (!usable(out) && AttachConsole(ATTACH_PARENT_PROCESS)) out = GetStdHandle(which);
  if (!usable(out)) {
    MessageBoxW(nullptr, win32::wide(text).c_str(), L"Kalmar",
                MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
    return;
  }
  DWORD written = 0;
  const std::wstring wideText = win32::wide(text);
  // A console takes the text as Unicode; a file or pipe gets UTF-8 bytes,
  // as kalmar-cli.exe writes them.
  if (GetFileType(out) != FILE_TYPE_CHAR ||
      !WriteConsoleW(out, wideText.c_str(), static_cast<DWORD>(wideText.size()), &written, nullptr))
    WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Installed pages lie in share\kalmar beside the program's bin\.
std::string installedPages() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  const std::wstring bin = slash == std::wstring::npos ? L"." : path.substr(0, slash);
  return win32::utf8(bin) + "\\..\\share\\kalmar";
}

// The program scales itself to the system's DPI: on Vista and later it says
// so (the call is looked up, as Windows XP has none), the manifest too.
void declareDpiAware() {
  using SetAware = BOOL(WINAPI*)();
  if (HMODULE user = GetModuleHandleW(L"user32.dll"))
    if (auto set = reinterpret_cast<SetAware>(
            reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware"))))
      set();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
  desktop::DesktopOptions options = desktop::parseDesktopOptions(argumentsOf(commandLine));
  if (!options.error.empty()) {
    tell("kalmar: " + options.error + "\r\nПодробнее: kalmar --help\r\n", true);
    return 2;
  }
  if (options.help || options.version) {
    tell(options.help ? desktop::desktopHelpText() : versionText("kalmar"), false);
    return 0;
  }
  declareDpiAware();
  // COM for the screen readers' names; the window's thread is its apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  win32::WinHost host;
  std::unique_ptr<Platform> platform = makeSystemPlatform();
  if (!options.port) options.port = portAtStart(*platform, host, !portLibraryBesideProgram().empty());
  std::string error;
  std::unique_ptr<PortStack> stack = PortStack::build(desktop::portChoice(options), error);
  if (!stack) {
    MessageBoxW(nullptr, win32::wide(error).c_str(), L"Kalmar", MB_OK | MB_ICONERROR);
    return 1;
  }
  desktop::reportPortFailures(*stack, host);
  TForm1 form(host, *platform, stack->line());
  win32::MainWindow window(form, host, desktop::captionSuffix(*stack, options));
  desktop::saveChipAtClose(window.runner(), *stack, host);
  desktop::startWindow(form, *stack, options, installedPages());
  desktop::showFactoryValues(form, host);
  desktop::reportSimulator(window.runner(), host, *stack);
  window.show(showCommand);
  return window.run();
}
