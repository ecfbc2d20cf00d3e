#include "win32/win_host.h"

#include <commdlg.h>
#include <shellapi.h>

#include <array>

#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {

UINT iconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return MB_ICONERROR;
    case MessageIcon::Warning:
      return MB_ICONWARNING;
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::None:
      break;
  }
  return 0;
}

UINT buttonStyle(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::OkCancel:
      return MB_OKCANCEL;
    case MessageButtons::YesNo:
      return MB_YESNO;
    case MessageButtons::Ok:
      break;
  }
  return MB_OK;
}

MessageResult resultOf(int answer) {
  switch (answer) {
    case IDCANCEL:
      return MessageResult::Cancel;
    case IDYES:
      return MessageResult::Yes;
    case IDNO:
      return MessageResult::No;
    default:
      return MessageResult::Ok;
  }
}

// "Файлы HEX\0*.hex\0\0": the description (or the pattern) and the pattern.
std::wstring filterOf(const FileDialogRequest& request) {
  std::wstring description = wide(request.filterDescription);
  while (!description.empty() && description.back() == L' ') description.pop_back();
  const std::wstring pattern = wide(request.filter.empty() ? "*.*" : request.filter);
  if (description.empty()) description = pattern;
  std::wstring filter = description + L" (" + pattern + L")";
  filter += L'\0';
  filter += pattern;
  filter += L'\0';
  filter += L'\0';
  return filter;
}

}  // namespace

void WinHost::setWindow(HWND window, std::function<void()> showState) {
  window_ = window;
  showState_ = std::move(showState);
}

void WinHost::dispatch(MSG& message) {
  if (beforeDispatch && beforeDispatch(message)) return;
  if (window_ != nullptr && IsDialogMessageW(window_, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

// The window repaints between a long command's steps; its input is off
// meanwhile (the busy lock), so only painting and boxes happen here. A
// command pumps thousands of times, more often than a screen can show: the
// window is shown at most every kPumpIntervalMs, so it costs the command
// next to nothing (the end of every command shows the window anyway).
void WinHost::pump() {
  const DWORD now = GetTickCount();
  if (pumped_ && now - lastPump_ < kPumpIntervalMs) return;
  pumped_ = true;
  lastPump_ = now;
  if (showState_) showState_();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
      return;
    }
    dispatch(message);
  }
}

MessageResult WinHost::messageBox(const std::string& caption, const std::string& text,
                                  MessageIcon icon, MessageButtons buttons) {
  if (showState_) showState_();
  if (scriptedMessage) return scriptedMessage(caption, text, icon, buttons);
  // Over the window, even while a command has it disabled.
  const int answer = MessageBoxW(window_, wide(text).c_str(), wide(caption).c_str(),
                                 iconStyle(icon) | buttonStyle(buttons) | MB_APPLMODAL);
  return resultOf(answer);
}

void WinHost::beep() {
  ++beeps;
  MessageBeep(MB_OK);
}

std::optional<std::string> WinHost::fileDialog(const FileDialogRequest& request, bool save) {
  const std::wstring filter = filterOf(request);
  const std::wstring title = wide(request.title);
  std::array<wchar_t, 32768> path{};  // long paths too
  const std::wstring initial = wide(request.initialName);
  initial.copy(path.data(), std::min(initial.size(), path.size() - 1));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  // The start-up directory stays the current one: Kalmar.cfg is written there.
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (save ? 0 : OFN_FILEMUSTEXIST);  // the listing replaces its file unasked
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return utf8(path.data());
}

std::optional<std::string> WinHost::openFileDialog(const FileDialogRequest& request) {
  if (scriptedOpen) return scriptedOpen(request);
  return fileDialog(request, false);
}

std::optional<std::string> WinHost::saveFileDialog(const FileDialogRequest& request) {
  if (scriptedSave) return scriptedSave(request);
  return fileDialog(request, true);
}

// Colours are 00BBGGRR, as a COLORREF is.
std::optional<std::uint32_t> WinHost::pickColour(std::uint32_t initial) {
  static COLORREF custom[16] = {};
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window_;
  dialog.rgbResult = initial;
  dialog.lpCustColors = custom;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&dialog)) return std::nullopt;
  return static_cast<std::uint32_t>(dialog.rgbResult);
}

void WinHost::shellOpen(const std::string& target) {
  if (scriptedShell) {
    scriptedShell(target);
    return;
  }
  ShellExecuteW(window_, L"open", wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace kalmar::win32
