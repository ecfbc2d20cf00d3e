#include "win32/dialogs.h"

#include <commctrl.h>

#include <array>

#include "appearance/about_help.h"
#include "appearance/colour_commands.h"
#include "desktop/colour_look.h"
#include "win32/modal_window.h"
#include "win32/picture_icons.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {

constexpr const char* kSchemes[] = {"Темная 1",  "Темная 2",      "Темная 3",    "Светлая 1",
                                    "Светлая 2", "По умолчанию", "Произвольная"};

class ColourDialog {
 public:
  ColourDialog(HWND owner, WindowLink& link)
      : link_(link), box_(owner, "TForm2", "Настройка цвета", 300, 190, link.controls()) {
    Controls& c = link.controls();
    HWND panel = box_.panel();
    PageControl1 = c.make(WC_TABCONTROLW, "TForm2.PageControl1", "", WS_VISIBLE | WS_TABSTOP,
                          panel, {8, 8, 284, 96});
    addTab(0, "Быстрая");
    addTab(1, "Произвольная");
    ComboBox1 = c.make(L"COMBOBOX", "TForm2.ComboBox1", "",
                       WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, panel,
                       {20, 40, 180, 200});
    for (const char* scheme : kSchemes)
      SendMessageW(ComboBox1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(scheme).c_str()));
    c.onCommand(ComboBox1, [this](WORD code) {
      if (code != CBN_SELCHANGE) return;
      const int index = static_cast<int>(SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0));
      input([index](TForm1& f) { form2::ComboBox1Change(f, index); });
    });
    const char* names[3] = {"SpeedButton14", "SpeedButton15", "SpeedButton16"};
    const char* captions[3] = {"Цвет 1", "Цвет 2", "Цвет 3"};
    for (int role = 0; role < 3; ++role) {
      colourButtons_[role] = c.make(L"BUTTON", std::string("TForm2.") + names[role], captions[role],
                                    WS_TABSTOP | BS_PUSHBUTTON, panel, {20 + role * 88, 44, 80, 24});
      c.onCommand(colourButtons_[role], [this, role](WORD code) {
        if (code == BN_CLICKED) input([role](TForm1& f) { form2::colourButtonClick(f, role); });
      });
    }
    const char* previewNames[3] = {"Edit1", "Edit2", "Edit7"};
    for (int i = 0; i < 3; ++i)
      previews_[i] = c.make(L"STATIC", std::string("TForm2.") + previewNames[i], "",
                            WS_VISIBLE | SS_SUNKEN, panel, {8 + i * 96, 112, 88, 22});
    HWND save = c.make(L"BUTTON", "TForm2.SpeedButton17", "Сохранить",
                       WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, panel, {132, 152, 76, 26});
    HWND cancel = c.make(L"BUTTON", "TForm2.SpeedButton18", "Отмена",
                         WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, panel, {216, 152, 76, 26});
    c.onCommand(save, [this](WORD code) {
      if (code == BN_CLICKED) run(form2::SpeedButton17Click);
    });
    c.onCommand(cancel, [this](WORD code) {
      if (code == BN_CLICKED) run(form2::SpeedButton18Click);
    });
    box_.onClose = [this] { run(form2::SpeedButton18Click); };
    box_.onNotify = [this](NMHDR& notice) {
      if (notice.hwndFrom != PageControl1 || notice.code != TCN_SELCHANGE) return;
      const int page = static_cast<int>(SendMessageW(PageControl1, TCM_GETCURSEL, 0, 0));
      input([page](TForm1& f) { form2::PageControl1Change(f, page); });
    };
    previousColour_ = c.colourOf;
    c.colourOf = [this](HWND control, HDC dc) { return previewColour(control, dc); };
  }

  ~ColourDialog() {
    for (HBRUSH brush : brushes_)
      if (brush) DeleteObject(brush);
    link_.controls().colourOf = previousColour_;
  }

  void exec() {
    showState();
    box_.run();
  }

 private:
  void addTab(int index, const char* caption) {
    std::wstring text = wide(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(PageControl1, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
  }

  void input(const std::function<void(TForm1&)>& handler) {
    link_.input(handler);
    showState();
  }

  void run(void (*handler)(TForm1&)) {
    input(handler);
    if (!link_.form().window.colourDialog.Visible) box_.end();
  }

  void showState() {
    const ColourDialogState& dialog = link_.form().window.colourDialog;
    if (SendMessageW(PageControl1, TCM_GETCURSEL, 0, 0) != dialog.PageIndex)
      SendMessageW(PageControl1, TCM_SETCURSEL, static_cast<WPARAM>(dialog.PageIndex), 0);
    setVisible(ComboBox1, dialog.PageIndex == 0);
    for (HWND button : colourButtons_) setVisible(button, dialog.PageIndex == 1);
    if (SendMessageW(ComboBox1, CB_GETCURSEL, 0, 0) != dialog.ComboBox1ItemIndex)
      SendMessageW(ComboBox1, CB_SETCURSEL, static_cast<WPARAM>(dialog.ComboBox1ItemIndex), 0);
    for (std::size_t i = 0; i < 3; ++i) {
      if (brushes_[i] && colours_[i] == dialog.previews[i]) continue;
      if (brushes_[i]) DeleteObject(brushes_[i]);
      colours_[i] = dialog.previews[i];
      brushes_[i] = CreateSolidBrush(colours_[i]);
      InvalidateRect(previews_[i], nullptr, TRUE);
    }
    // The tab control lies under the page's controls.
    SetWindowPos(PageControl1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  HBRUSH previewColour(HWND control, HDC dc) {
    for (std::size_t i = 0; i < 3; ++i)
      if (control == previews_[i]) {
        SetBkColor(dc, colours_[i]);
        return brushes_[i];
      }
    return previousColour_ ? previousColour_(control, dc) : nullptr;
  }

  WindowLink& link_;
  ModalWindow box_;
  HWND PageControl1;
  HWND ComboBox1;
  std::array<HWND, 3> colourButtons_{};
  std::array<HWND, 3> previews_{};
  std::array<HBRUSH, 3> brushes_{};
  std::array<std::uint32_t, 3> colours_{};
  std::function<HBRUSH(HWND, HDC)> previousColour_;
};

class AboutBox {
 public:
  AboutBox(HWND owner, WindowLink& link)
      : box_(owner, "TForm3", "О программе", 330, 200, link.controls()) {
    Controls& c = link.controls();
    HWND panel = box_.panel();
    icon_ = iconOf(desktop::programPicture(c.scale(41)));
    HWND picture = c.make(L"STATIC", "TForm3.Image1", "", WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE,
                          panel, {10, 10, 41, 41});
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    title_ = c.make(L"STATIC", "TForm3.Label1", "Kalmar", WS_VISIBLE | SS_NOPREFIX, panel,
                    {62, 8, 200, 26});
    titleFont_ = CreateFontW(-c.scale(19), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_ROMAN, L"Garamond");
    SendMessageW(title_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
    version_ = c.make(L"STATIC", "TForm3.Label2", "версия 3.2  ( 2 декабря 2003 года ).",
                      WS_VISIBLE | SS_NOPREFIX, panel, {62, 36, 260, 16});
    text_ = c.make(L"STATIC", "TForm3.Memo1",
                   "Программа работает под Windows 9x, ME, \r\n"
                   "NT, 2000 и XP;  предназначена для \r\n"
                   "программирования микроконтроллеров\r\n"
                   "PIC16F84, PIC16F84A, PIC16C84, PIC16F627, \r\n"
                   "PIC12F627A, PIC16F628, PIC16F628A, \r\n"
                   "PIC12F629 и PIC12F675 фирмы  ",
                   WS_VISIBLE | SS_NOPREFIX, panel, {62, 56, 260, 86});
    link_ = c.make(L"STATIC", "TForm3.Label3", "Microchip Technology.",
                   WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY, panel, {62, 144, 200, 16});
    SendMessageW(link_, WM_SETFONT, reinterpret_cast<WPARAM>(c.boldFont()), FALSE);
    c.setHint(link_, kChipMakerSite);
    c.onCommand(link_, [&link](WORD code) {
      if (code == STN_CLICKED) link.input(form3::Label3Click);
    });
    // The line above is the program's own; which build runs is said here.
    build_ = c.make(L"STATIC", "TForm3.BuildVersion",
                    std::string("Эта сборка: Kalmar ") + KALMAR_VERSION + " для Windows.",
                    WS_VISIBLE | SS_NOPREFIX, panel, {62, 170, 260, 16});
    const AboutState& about = link.form().window.about;
    colours_ = {{title_, about.titleColour}, {version_, about.textColour},
                {text_, about.textColour},   {build_, about.textColour},
                {link_, about.linkColour}};
    // A light scheme's pastel text gets a dark box, as in the main window.
    background_ = desktop::isLight(about.textColour) ? desktop::panelFor(about.textColour)
                                                     : GetSysColor(COLOR_BTNFACE);
    brush_ = CreateSolidBrush(background_);
    previousColour_ = c.colourOf;
    controls_ = &c;
    c.colourOf = [this](HWND control, HDC dc) -> HBRUSH {
      for (auto& [label, colour] : colours_)
        if (label == control) {
          SetTextColor(dc, colour);
          SetBkColor(dc, background_);
          return brush_;
        }
      return previousColour_ ? previousColour_(control, dc) : nullptr;
    };
  }

  ~AboutBox() {
    controls_->colourOf = previousColour_;
    DeleteObject(brush_);
    DeleteObject(titleFont_);
    DestroyIcon(icon_);
  }

  void exec() {
    // The panel itself paints in the About box's own background.
    const COLORREF saved = controls_->background;
    controls_->background = background_;
    box_.run(true);
    controls_->background = saved;
  }

 private:
  ModalWindow box_;
  Controls* controls_ = nullptr;
  HICON icon_;
  HFONT titleFont_;
  HWND title_, version_, text_, link_, build_;
  std::vector<std::pair<HWND, COLORREF>> colours_;
  COLORREF background_;
  HBRUSH brush_;
  std::function<HBRUSH(HWND, HDC)> previousColour_;
};

}  // namespace

void runColourDialog(HWND owner, WindowLink& link) {
  ColourDialog dialog(owner, link);
  dialog.exec();
}

void runAboutBox(HWND owner, WindowLink& link) {
  AboutBox box(owner, link);
  box.exec();
}

}  // namespace kalmar::win32
