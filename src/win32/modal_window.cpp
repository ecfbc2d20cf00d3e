#include "win32/modal_window.h"

#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {
constexpr wchar_t kDialogClass[] = L"KalmarDialog";
}

ModalWindow::ModalWindow(HWND owner, const std::string& name, const std::string& title,
                         int width, int height, Controls& controls)
    : owner_(owner), controls_(controls) {
  registerWindowClass(kDialogClass, windowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT frame{0, 0, controls.scale(width), controls.scale(height)};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kDialogClass, wide(title).c_str(), style,
                            CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, owner, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  panel_ = controls.makePanel(name, "", false, window_, {0, 0, width, height});
}

ModalWindow::~ModalWindow() {
  controls_.forgetWithin(window_);
  if (owner_) {
    EnableWindow(owner_, TRUE);
    SetActiveWindow(owner_);
  }
  DestroyWindow(window_);
}

void ModalWindow::run(bool centreOnScreen) {
  RECT own{}, box{};
  if (owner_ && !centreOnScreen)
    GetWindowRect(owner_, &own);
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &own, 0);
  GetWindowRect(window_, &box);
  const int width = box.right - box.left, height = box.bottom - box.top;
  SetWindowPos(window_, nullptr, own.left + (own.right - own.left - width) / 2,
               own.top + (own.bottom - own.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  running_ = true;
  if (owner_) EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  MSG message;
  while (running_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      SendMessageW(window_, WM_CLOSE, 0, 0);
      continue;
    }
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (owner_) EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK ModalWindow::windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<ModalWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_CLOSE) {
      if (self->onClose)
        self->onClose();
      else
        self->end();
      return 0;
    }
    if (message == WM_NOTIFY && self->onNotify) {
      self->onNotify(*reinterpret_cast<NMHDR*>(l));
      return 0;
    }
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace kalmar::win32
