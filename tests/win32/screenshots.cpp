// Screenshots of the window on Windows and its boxes for review, on a
// simulated chip, each window with its frame as the screen shows it:
//   kalmar_win32_screenshots OUTPUT_DIR HEX_FILE [--scaled]
// Writes OUTPUT_DIR/windows-*.bmp (24 bits); --scaled only the PIC16F84A's
// and the PIC16F648A's windows at the system's DPI, named by its scale.
// Run by tools/screenshots.sh --windows under Wine's virtual desktop inside
// Xvfb, once at each DPI.
#include <windows.h>

#include <cctype>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "memory/operation_frame.h"
#include "win32/window_rig.h"

using kalmar::win32::WindowRig;

namespace {

std::string outputDir;

// The screen's pixels in `area` as a bottom-up 24-bit BMP file.
bool saveScreen(RECT area, const std::string& path) {
  area.left = std::max<LONG>(area.left, 0);
  area.top = std::max<LONG>(area.top, 0);
  area.right = std::min<LONG>(area.right, GetSystemMetrics(SM_CXSCREEN));
  area.bottom = std::min<LONG>(area.bottom, GetSystemMetrics(SM_CYSCREEN));
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory, old);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::vector<char> pixels(stride * static_cast<std::size_t>(height));
  const int lines = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                              DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (lines != height) return false;

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

// Lets everything pending paint, then waits for the desktop to show it.
void paintAll(WindowRig& rig) {
  RedrawWindow(rig.window->window(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  rig.settle();
  Sleep(300);
  rig.settle();
}

// The main window and `box` (a window shown over it), frames included.
void shot(WindowRig& rig, const char* name, HWND box = nullptr) {
  RECT area{};
  GetWindowRect(rig.window->window(), &area);
  if (box != nullptr) {
    RECT boxArea{};
    GetWindowRect(box, &boxArea);
    UnionRect(&area, &area, &boxArea);
  }
  InflateRect(&area, 2, 2);
  const std::string path = outputDir + "/windows-" + name + ".bmp";
  if (saveScreen(area, path))
    std::printf("%s\n", path.c_str());
  else
    std::fprintf(stderr, "could not take %s\n", path.c_str());
  std::fflush(stdout);
}

struct Search {
  HWND main;
  HWND found = nullptr;
};

// The 32-bit system calls back with the stdcall convention, which a lambda cannot have.
BOOL CALLBACK takeShownOver(HWND window, LPARAM l) {
  auto* s = reinterpret_cast<Search*>(l);
  if (window == s->main || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
      (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
    return TRUE;
  s->found = window;
  return FALSE;
}

// A window of this thread shown over the main one: a box or a dialog.
HWND shownOver(HWND main) {
  Search search{main};
  EnumThreadWindows(GetCurrentThreadId(), takeShownOver, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Takes the window with the box or dialog `act` shows, from a timer inside
// the box's own message loop, then closes the box with `close`.
struct ModalShot {
  WindowRig* rig = nullptr;
  const char* name = nullptr;
  std::function<void(HWND)> close;
  int seen = 0;
  bool taken = false;
};
ModalShot* pending = nullptr;

void CALLBACK whileShown(HWND, UINT, UINT_PTR timer, DWORD) {
  if (pending == nullptr || pending->taken) return;
  HWND box = shownOver(pending->rig->window->window());
  if (box == nullptr) return;
  if (++pending->seen < 4) return;  // shown and painted a while
  pending->taken = true;
  KillTimer(nullptr, timer);
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Sleep(200);
  shot(*pending->rig, pending->name, box);
  pending->close(box);
}

void withModal(WindowRig& rig, const char* name, const std::function<void(HWND)>& close,
               const std::function<void()>& act) {
  ModalShot modal{&rig, name, close};
  pending = &modal;
  const UINT_PTR timer = SetTimer(nullptr, 0, 150, whileShown);
  act();
  if (!modal.taken) {
    KillTimer(nullptr, timer);
    std::fprintf(stderr, "%s: no box was shown\n", name);
  }
  pending = nullptr;
  rig.settle();
}

void closeBox(HWND box) {
  PostMessageW(box, WM_CLOSE, 0, 0);
}

// The system's message box: its "Нет" or "Отмена" button (else "OK"), so
// that nothing is done.
void answerNo(HWND box) {
  int button = IDOK;
  for (int refusal : {IDNO, IDCANCEL})
    if (GetDlgItem(box, refusal) != nullptr) {
      button = refusal;
      break;
    }
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

// The window where the desktop shows it whole, active as after a click.
void bringUp(WindowRig& rig) {
  HWND window = rig.window->window();
  RECT work{}, box{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window, &box);
  const LONG top = std::max(work.top, std::min<LONG>(16, work.bottom - (box.bottom - box.top)));
  SetWindowPos(window, HWND_TOP, 16, top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  paintAll(rig);
}

void chooseChip(WindowRig& rig, const char* chip) {
  rig.menu({"Настройка", "Микроконтроллер", chip});
}

// The file written into the simulated chip through the window, the buffer
// made fresh by choosing the chip again, then "Прочитать" -> "Все".
void programAndReadAll(WindowRig& rig, const char* chip, const std::string& hexFile) {
  chooseChip(rig, chip);
  rig.nextFile = hexFile;
  rig.menu({"Файл", "Открыть"});
  rig.menu({"Записать", "Программировать всё из файла"});
  chooseChip(rig, chip);
  rig.menu({"Прочитать", "Все"});
}

void reportBoxes(WindowRig& rig, const char* when) {
  for (const std::string& message : rig.messages) std::fprintf(stderr, "%s: box %s\n", when,
                                                               message.c_str());
  rig.messages.clear();
}

// A tall window at its top and, where the work area is too short for it,
// scrolled to its bottom.
void tallShots(WindowRig& rig, const std::string& name) {
  bringUp(rig);
  shot(rig, name.c_str());
  HWND window = rig.window->window();
  if ((GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL) != 0) {
    SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
    paintAll(rig);
    shot(rig, (name + "-bottom").c_str());
  }
}

// The PIC16F84A's window, the PIC16F648A's tall one after "Прочитать все"
// and the PIC16F88's with its field panel at the system's DPI, named by its
// scale ("windows-scale-150-...").
void scaledShots(const std::string& largeFile) {
  HDC screen = GetDC(nullptr);
  const std::string scale =
      "scale-" + std::to_string(MulDiv(GetDeviceCaps(screen, LOGPIXELSY), 100, 96));
  ReleaseDC(nullptr, screen);
  {
    WindowRig rig("PIC16F84A");
    chooseChip(rig, "PIC16F84A");
    rig.menu({"Прочитать", "Все"});
    bringUp(rig);
    shot(rig, (scale + "-pic16f84a").c_str());
    reportBoxes(rig, "PIC16F84A");
  }
  {
    WindowRig rig("PIC16F648A");
    if (std::filesystem::exists(largeFile)) {
      programAndReadAll(rig, "PIC16F648A", largeFile);
    } else {
      chooseChip(rig, "PIC16F648A");
      rig.menu({"Прочитать", "Все"});
    }
    tallShots(rig, scale + "-pic16f648a");
    reportBoxes(rig, "PIC16F648A");
  }
  WindowRig rig("PIC16F88");
  rig.menu({"Настройка", "Микроконтроллер", "PIC16F87/88, PIC16F818/819", "PIC16F88"});
  rig.menu({"Прочитать", "Все"});
  tallShots(rig, scale + "-pic16f88");
  reportBoxes(rig, "PIC16F88");
}

// The window and its boxes through a session.
void reviewShots(const std::string& hexFile, const std::string& largeFile) {
  {
    WindowRig rig("PIC16F84");
    bringUp(rig);
    shot(rig, "1-start");
  }
  {
    WindowRig rig("PIC16F628A");
    bringUp(rig);
    programAndReadAll(rig, "PIC16F628A", hexFile);
    paintAll(rig);
    shot(rig, "2-pic16f628a-read-all");
    reportBoxes(rig, "read all");

    rig.menu({"Сервис", "Дизассемблировать"});
    paintAll(rig);
    shot(rig, "3-listing");
    rig.click("SpeedButton6");  // back to the memory views

    rig.click("SpeedButton8");  // edit data memory
    rig.clickInto("MaskEdit50");
    rig.type("3C");
    paintAll(rig);
    shot(rig, "4-data-editor");
    rig.click("SpeedButton2");

    kalmar::BattonDisabl(*rig.form);
    rig.window->showState();
    paintAll(rig);
    shot(rig, "5-wait-panel");
    kalmar::BattonEnable(*rig.form);
    rig.window->showState();
    paintAll(rig);

    const auto scripted = rig.host.scriptedMessage;
    rig.host.scriptedMessage = nullptr;  // the system's own box this time
    withModal(rig, "6-erase-question", answerNo,
              [&rig] { rig.menu({"Сервис", "Стереть все"}); });
    rig.host.scriptedMessage = scripted;

    withModal(rig, "7-colour-dialog", closeBox,
              [&rig] { rig.menu({"Настройка", "Окно - цветовая гамма"}); });
    withModal(rig, "8-about", closeBox, [&rig] { rig.menu({"Помощь", "О программе"}); });
    reportBoxes(rig, "boxes");
  }
  {
    WindowRig rig("PIC16F648A");  // the largest chip: 4096 words, 32 data rows
    bringUp(rig);
    if (std::filesystem::exists(largeFile)) {
      programAndReadAll(rig, "PIC16F648A", largeFile);
    } else {
      chooseChip(rig, "PIC16F648A");
      rig.menu({"Прочитать", "Все"});
    }
    bringUp(rig);
    shot(rig, "9-pic16f648a-read-all");
    reportBoxes(rig, "PIC16F648A");
  }
  {
    // The field panels: two configuration words, then the calibration word.
    WindowRig rig("PIC16F88");
    bringUp(rig);
    rig.menu({"Настройка", "Микроконтроллер", "PIC16F87/88, PIC16F818/819", "PIC16F88"});
    rig.menu({"Прочитать", "Слово конфигурации"});
    HWND fosc = rig.control("ConfigField1");
    SendMessageW(fosc, CB_SETCURSEL, 5, 0);
    SendMessageW(GetParent(fosc), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(fosc), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(fosc));
    rig.settle();
    paintAll(rig);
    shot(rig, "10-pic16f88-field-panel");
    SendMessageW(fosc, CB_SHOWDROPDOWN, TRUE, 0);
    paintAll(rig);
    shot(rig, "11-pic16f88-field-list-open");
    SendMessageW(fosc, CB_SHOWDROPDOWN, FALSE, 0);
    reportBoxes(rig, "PIC16F88");
  }
  {
    WindowRig rig("PIC12F683");
    bringUp(rig);
    rig.menu({"Настройка", "Микроконтроллер", "PIC12F683, PIC16F684/688", "PIC12F683"});
    rig.menu({"Прочитать", "Слово конфигурации"});
    paintAll(rig);
    shot(rig, "12-pic12f683-field-panel");
    reportBoxes(rig, "PIC12F683");
  }
  const std::pair<const char*, const char*> icspChips[] = {
      {"PIC16F690", "PIC16F631/677/685/687/689/690 (ICSP)"},
      {"PIC16F877A", "PIC16F873A/874A/876A/877A (ICSP)"},
      {"PIC16F886", "PIC16F882/883/884/886/887 (ICSP)"}};
  for (const auto& [chip, group] : icspChips) {
    WindowRig rig(chip);
    bringUp(rig);
    rig.menu({"Настройка", "Микроконтроллер", group, chip});
    rig.menu({"Прочитать", "Слово конфигурации"});
    paintAll(rig);
    std::string name = std::string("13-") + chip + "-field-panel";
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    shot(rig, name.c_str());
    reportBoxes(rig, chip);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: kalmar_win32_screenshots OUTPUT_DIR HEX_FILE [--scaled]\n");
    return 2;
  }
  outputDir = argv[1];
  const std::string hexFile = argv[2];
  // A 4096-word program beside the given file's folder, for the largest chip.
  const std::filesystem::path largeFile = std::filesystem::path(hexFile).parent_path().parent_path() /
                                          "PIC16F648A" / "7m4mon__pic16f648a-bert__BERT.hex";
  // The pointer in the desktop's corner, where it shows no control's hint.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  if (argc < 4 || std::string(argv[3]) != "--scaled") reviewShots(hexFile, largeFile.string());
  scaledShots(largeFile.string());
  return 0;
}
