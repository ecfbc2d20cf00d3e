#include "win32/config_panels.h"

#include <algorithm>

#include "desktop/accessible_names.h"
#include "memory/config_word.h"
#include "win32/picture_icons.h"
#include "win32/screen_reader.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {

void showSwitch(Controls& controls, HWND button, const Switch& model, Switch& shown) {
  if (button == nullptr) return;
  if (model.Caption != shown.Caption) Controls::setText(button, model.Caption);
  if (model.Hint != shown.Hint) controls.setHint(button, model.Hint);
  // The switches are not automatic: only the window sets their marks, so
  // the copy shown says what they show, without asking each of them at
  // every progress step.
  if (model.Checked != shown.Checked)
    SendMessageW(button, BM_SETCHECK, model.Checked ? BST_CHECKED : BST_UNCHECKED, 0);
  shown = model;
}

// The 32-bit system calls back with the stdcall convention, which a lambda cannot have.
BOOL CALLBACK enableChild(HWND child, LPARAM enabled) {
  setEnabled(child, enabled != 0);
  return TRUE;
}

// A group's caption, visible and enabled flags; its switches grey with it.
void showGroup(HWND box, const GroupBox& model, std::string& shownCaption) {
  if (model.Caption != shownCaption) {
    shownCaption = model.Caption;
    Controls::setText(box, model.Caption);
  }
  setVisible(box, model.Visible);
  if ((IsWindowEnabled(box) != FALSE) == model.Enabled) return;
  setEnabled(box, model.Enabled);
  EnumChildWindows(box, enableChild, model.Enabled ? 1 : 0);
}

}  // namespace

// ListBox1: a pick by the mouse (a press and a release on the same line)
// runs the window's handler, as a click on an item does; the keys only move
// the list's own mark.
class ConfigPanels::BgList : private Subclassed {
 public:
  BgList(Controls& controls, HWND parent, WindowLink& link) : link_(link) {
    HWND list = controls.make(L"LISTBOX", "ListBox1", "",
                              WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY |
                                  LBS_NOINTEGRALHEIGHT,
                              parent, {1, 16, 96, 70});
    for (const wchar_t* item : {L"не менять", L"00", L"01", L"10", L"11"})
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    attach(list);
  }
  using Subclassed::hwnd;
  void select(int row) {
    if (row == shown_) return;
    SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    shown_ = row;
  }

 private:
  int itemAt(LPARAM l) {
    const LRESULT hit = SendMessageW(hwnd(), LB_ITEMFROMPOINT, 0, l);
    if (HIWORD(hit) != 0) return -1;  // outside the items
    return static_cast<int>(LOWORD(hit));
  }
  LRESULT message(UINT message, WPARAM w, LPARAM l) override {
    // The keys and the mouse move the list's own mark: shown anew after them.
    if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) shown_ = -2;
    if (message == WM_LBUTTONDOWN) pressed_ = itemAt(l);
    if (message != WM_LBUTTONUP) return original(message, w, l);
    const LRESULT result = original(message, w, l);
    const int row = itemAt(l);
    const bool picked = row >= 0 && row == pressed_;
    pressed_ = -1;
    if (picked) link_.input([row](TForm1& f) { ListBox1Click(f, row); });
    return result;
  }
  WindowLink& link_;
  int pressed_ = -1;
  int shown_ = -1;  // the row the list shows marked; -2 when the user may have moved it
};

ConfigPanels::ConfigPanels(HWND area, WindowLink& link) : controls_(link.controls()) {
  GroupBox5 = controls_.makePanel("GroupBox5", "Конфигурация  3FFB", true, area, {});
  GroupBox7 = controls_.makePanel("GroupBox7", "Конфигурация  3F18", true, area, {});
  buildFirstPanel(link);
  buildSecondPanel(link);
  buildSwitches(link);
  buildBgChooser(link);
  FieldPanel = controls_.makePanel("FieldPanel", "", true, area, {});
  setVisible(FieldPanel, false);
  buildFieldPanel(link);
}

ConfigPanels::~ConfigPanels() {
  if (arrow_) DestroyIcon(arrow_);
}

HWND ConfigPanels::radio(int n, HWND parent, const desktop::Rect& rect, WindowLink& link) {
  // Not an automatic radio button: the window decides which one is on.
  HWND button = controls_.make(L"BUTTON", "RadioButton" + std::to_string(n), "",
                               WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_RADIOBUTTON, parent,
                               rect);
  controls_.onCommand(button, [&link, n](WORD code) {
    if (code == BN_CLICKED) link.input([n](TForm1& f) { userClickRadioButton(f, n); });
  });
  radios[static_cast<std::size_t>(n)] = button;
  return button;
}

HWND ConfigPanels::check(int n, HWND parent, const desktop::Rect& rect, WindowLink& link) {
  HWND box = controls_.make(L"BUTTON", "CheckBox" + std::to_string(n), "",
                            WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_CHECKBOX, parent,
                            rect);
  controls_.onCommand(box, [&link, n](WORD code) {
    if (code == BN_CLICKED) link.input([n](TForm1& f) { userClickCheckBox(f, n); });
  });
  checks[static_cast<std::size_t>(n)] = box;
  return box;
}

void ConfigPanels::buildFirstPanel(WindowLink& link) {
  Edit3 = std::make_unique<SourceBox>(controls_, "Edit3", GroupBox5);
  Edit3->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit3); }); };
  controls_.makePanel("GroupBox6", "", true, GroupBox5, desktop::kGroupBox6);
}

void ConfigPanels::buildSecondPanel(WindowLink& link) {
  Edit1 = std::make_unique<SourceBox>(controls_, "Edit1", GroupBox7);
  Edit1->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit1); }); };
  controls_.makePanel("GroupBox10", "", true, GroupBox7, desktop::kGroupBox10);
  controls_.makePanel("CodeProtectionGroup", "Защита кода ", true, GroupBox7,
                      desktop::kCodeProtectionGroup);
}

// Every switch where the shared layout puts it, in the group it names.
void ConfigPanels::buildSwitches(WindowLink& link) {
  for (const desktop::SwitchPlace& place : desktop::switchPlaces()) {
    HWND parent = controls_.find(place.group);
    if (place.radio)
      radio(place.n, parent, place.rect, link);
    else
      check(place.n, parent, place.rect, link);
  }
}

void ConfigPanels::buildBgChooser(WindowLink& link) {
  // Over CheckBox10, closed to its label's height; a line frame round it.
  Panel3 = controls_.makePanel("Panel3", "", false, GroupBox7,
                               desktop::bgChooserRect(BgChooserState::kClosedHeight));
  SetWindowLongW(Panel3, GWL_STYLE, GetWindowLongW(Panel3, GWL_STYLE) | WS_BORDER);
  SetWindowPos(Panel3, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  setVisible(Panel3, false);
  raise(Panel3);  // over CheckBox10
  Label1 = controls_.make(L"STATIC", "Label1", "BG - не менять",
                          WS_VISIBLE | SS_LEFT | SS_NOTIFY | SS_CENTERIMAGE, Panel3, {3, 0, 78, 16});
  // "BG - не менять" in the width of the switches' column.
  SendMessageW(Label1, WM_SETFONT, reinterpret_cast<WPARAM>(controls_.fontOf(10, false)), FALSE);
  controls_.setHint(Label1, "Колибровочный бит");
  // The arrow: its picture, 12 pixels on a 16-pixel button.
  SpeedButton14 = controls_.make(L"BUTTON", "SpeedButton14", "Выбрать биты BG",
                                 WS_VISIBLE | BS_PUSHBUTTON | BS_ICON, Panel3, {81, 0, 16, 16});
  arrow_ = iconOf(desktop::speedButtonPicture("SpeedButton14", controls_.scale(12)));
  if (arrow_ != nullptr)
    SendMessageW(SpeedButton14, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(arrow_));
  keepFocusAway(SpeedButton14);
  controls_.onCommand(SpeedButton14, [&link](WORD code) {
    if (code == BN_CLICKED) link.input(SpeedButton14Click);
  });
  ListBox1 = std::make_unique<BgList>(controls_, Panel3, link);
}

namespace {

// A drop-down list shows this many of its settings before it scrolls.
constexpr int kListLines = 9;

HWND label(Controls& controls, const std::string& name, HWND parent, const desktop::Rect& rect) {
  return controls.make(L"STATIC", name, "", WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE | SS_NOTIFY, parent,
                       rect);
}

}  // namespace

void ConfigPanels::buildFieldPanel(WindowLink& link) {
  for (int word = 0; word < 2; ++word) {
    const std::size_t i = static_cast<std::size_t>(word);
    wordLabels_[i] = label(controls_, "ConfigWordLabel" + std::to_string(word + 1), FieldPanel,
                           desktop::configWordLabelRect(word));
    wordEdits_[i] = controls_.make(L"EDIT", "ConfigWord" + std::to_string(word + 1), "",
                                   WS_VISIBLE | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL,
                                   FieldPanel, desktop::configWordEditRect(word), WS_EX_CLIENTEDGE);
    SendMessageW(wordEdits_[i], EM_LIMITTEXT, 4, 0);
    controls_.onCommand(wordEdits_[i], [this, &link, word, edit = wordEdits_[i]](WORD code) {
      if (code == EN_CHANGE && !showingWord_)
        link.input([word, text = Controls::textOf(edit)](TForm1& f) { ConfigWordChange(f, word, text); });
      if (code == EN_KILLFOCUS) link.input(ConfigWordEditDone);
    });
  }
  calibrationLabel_ = label(controls_, "CalibrationLabel", FieldPanel, desktop::calibrationLabelRect(1));
  calibrationEdit_ = controls_.make(L"EDIT", "CalibrationWord", "----",
                                    WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, FieldPanel,
                                    desktop::calibrationEditRect(1), WS_EX_CLIENTEDGE);
  for (int n = 0; n < FieldPanelState::kSlots; ++n) {
    const std::size_t i = static_cast<std::size_t>(n);
    fieldLabels_[i] = label(controls_, "ConfigFieldLabel" + std::to_string(n + 1), FieldPanel,
                            desktop::fieldLabelRect(n));
    desktop::Rect rect = desktop::fieldChoiceRect(n);
    rect.height += kListLines * desktop::kLineHeight;  // the dropped list below the field
    HWND list = controls_.make(L"COMBOBOX", "ConfigField" + std::to_string(n + 1), "",
                               WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, FieldPanel,
                               rect);
    // The closed field as tall as its row.
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 controls_.scale(desktop::fieldChoiceRect(n).height - 6));
    controls_.onCommand(list, [&link, n, list](WORD code) {
      if (code != CBN_SELCHANGE) return;
      const int choice = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
      link.input([n, choice](TForm1& f) { ConfigFieldChange(f, n, choice); });
    });
    fieldLists_[i] = list;
    shownChoices_[i] = -2;
  }
}

// The lists get their fields' settings, names and hints when the chip changes.
void ConfigPanels::showFieldChoices(const FieldPanelState& panel) {
  if (sameFieldLists(panel.fields, shownFields_) && shownWords_ == panel.words) return;
  shownFields_ = panel.fields;
  shownWords_ = panel.words;
  HDC dc = GetDC(FieldPanel);
  HGDIOBJ old = SelectObject(dc, controls_.font());
  for (std::size_t n = 0; n < fieldLists_.size(); ++n) {
    HWND list = fieldLists_[n];
    const bool used = n < panel.fields.size();
    setVisible(list, used);
    setVisible(fieldLabels_[n], used);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    shownChoices_[n] = -2;
    if (!used) continue;
    const FieldChooser& field = panel.fields[n];
    int widest = 0;
    for (const std::string& choice : field.choices) {
      const std::wstring text = wide(choice);
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
    // The dropped list as wide as its longest setting.
    SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + controls_.scale(24)), 0);
    Controls::setText(fieldLabels_[n], field.name);
    controls_.setHint(fieldLabels_[n], field.hint);
    controls_.setHint(list, field.hint);
    nameForScreenReaders(list, desktop::fieldPanelName(panel, "ConfigField" + std::to_string(n + 1)));
  }
  SelectObject(dc, old);
  ReleaseDC(FieldPanel, dc);
  for (std::size_t word = 0; word < 2; ++word) {
    const bool used = static_cast<int>(word) < panel.words;
    setVisible(wordLabels_[word], used);
    setVisible(wordEdits_[word], used);
    Controls::setText(wordLabels_[word], panel.wordLabels[word]);
    nameForScreenReaders(wordEdits_[word],
                         desktop::fieldPanelName(panel, "ConfigWord" + std::to_string(word + 1)));
  }
  controls_.place(calibrationLabel_, desktop::calibrationLabelRect(panel.words));
  controls_.place(calibrationEdit_, desktop::calibrationEditRect(panel.words));
  setVisible(calibrationLabel_, panel.calibrationShown);
  setVisible(calibrationEdit_, panel.calibrationShown);
  Controls::setText(calibrationLabel_, panel.calibrationLabel);
  controls_.setHint(calibrationLabel_, panel.calibrationHint);
  controls_.setHint(calibrationEdit_, panel.calibrationHint);
  nameForScreenReaders(calibrationEdit_, desktop::fieldPanelName(panel, "CalibrationWord"));
}

void ConfigPanels::showFieldPanel(const FieldPanelState& panel) {
  setVisible(FieldPanel, panel.Visible);
  if (!panel.Visible) return;
  Controls::setText(FieldPanel, panel.Caption);
  showFieldChoices(panel);
  for (std::size_t word = 0; word < 2; ++word) {
    if (Controls::textOf(wordEdits_[word]) == panel.wordTexts[word]) continue;
    DWORD caret = 0;
    SendMessageW(wordEdits_[word], EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    showingWord_ = true;
    Controls::setText(wordEdits_[word], panel.wordTexts[word]);
    showingWord_ = false;
    // Typing goes on where it was.
    SendMessageW(wordEdits_[word], EM_SETSEL, caret, caret);
  }
  for (std::size_t n = 0; n < panel.fields.size() && n < fieldLists_.size(); ++n) {
    if (shownChoices_[n] == panel.fields[n].index) continue;
    shownChoices_[n] = panel.fields[n].index;
    SendMessageW(fieldLists_[n], CB_SETCURSEL, static_cast<WPARAM>(panel.fields[n].index), 0);
  }
  Controls::setText(calibrationEdit_, panel.calibrationText);
}

void ConfigPanels::place(const desktop::Geometry& geometry) {
  controls_.place(GroupBox5, geometry.configPanel);
  controls_.place(GroupBox7, geometry.configPanel);
  controls_.place(FieldPanel, geometry.configPanel);
}

void ConfigPanels::show(const WindowState& window) {
  showGroup(GroupBox5, window.GroupBox5, shownCaptions_[0]);
  showGroup(GroupBox7, window.GroupBox7, shownCaptions_[1]);
  Edit3->show(window.Edit3, 0);
  Edit1->show(window.Edit1, 0);
  for (std::size_t n = 1; n <= 12; ++n)
    showSwitch(controls_, radios[n], window.RadioButton[n], shownRadios_[n]);
  for (std::size_t n = 1; n <= 10; ++n)
    showSwitch(controls_, checks[n], window.CheckBox[n], shownChecks_[n]);

  showFieldPanel(window.fieldPanel);

  const BgChooserState& bg = window.bg;
  setVisible(Panel3, bg.Panel3Visible);
  if (panel3Height_ != bg.Panel3Height) {
    panel3Height_ = bg.Panel3Height;
    controls_.place(Panel3, desktop::bgChooserRect(bg.Panel3Height));
    raise(Panel3);
  }
  if (bg.Label1 != shownLabel_) {
    shownLabel_ = bg.Label1;
    Controls::setText(Label1, bg.Label1);
    controls_.setHint(Label1, bg.Label1Hint);
  }
  ListBox1->select(bg.ListBox1ItemIndex);
}

HBRUSH ConfigPanels::colourOf(HWND control, HDC dc, const WindowState& window) {
  if (control != Edit3->hwnd() && control != Edit1->hwnd()) return nullptr;
  return brushes_.paint(dc, window.colours.shown[0]);
}

bool ConfigPanels::isOnBgList(HWND control) const {
  return control != nullptr && (control == ListBox1->hwnd() || IsChild(ListBox1->hwnd(), control));
}

}  // namespace kalmar::win32
