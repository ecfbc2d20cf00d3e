#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/buffer.h"

namespace kalmar {

struct MenuItem {
  std::string Caption;
  bool Enabled = true;
  bool Visible = true;
};

// A read-only caption box that says where a panel's contents come from.
struct SourceIndicator {
  std::string Text;
  std::string Hint;
  bool Bold = true;
  int Left = 138;
  int Width = 38;
  int SelStart = 0;
  // A new text in the box where it stands.
  void say(std::string text, std::string hint, bool bold) {
    Text = std::move(text);
    Hint = std::move(hint);
    Bold = bold;
  }
};

struct Switch {
  std::string Caption;
  std::string Hint;
  bool Checked = false;
};

struct GroupBox {
  std::string Caption;
  bool Visible = true;
  bool Enabled = true;
  int Tag = 0;
  int Left = 0;
  int Top = 0;
  int Height = 0;
};

// The slow-down submenu of "Настройка" ("Замедлить работу").
struct SlowdownMenuState {
  MenuItem N201{"  На 20%"};
  MenuItem N501{"  На 50%"};
  MenuItem N1001{"  В два раза"};
  MenuItem N2001{"  В три раза"};
  MenuItem N5001{"  В пять раз"};
  MenuItem N42{"^ Без замедления"};
};

// "Настройка" -> "Микроконтроллер" and "Порт". The chip items follow the
// chip catalogue, one a row in its order, captioned at start-up.
struct ChipMenuState {
  std::vector<MenuItem> chips;
  // The item of the catalogue's row `row`; made on first use, so that no
  // row is ever out of range.
  MenuItem& chip(std::size_t row) {
    if (row >= chips.size()) chips.resize(row + 1);
    return chips[row];
  }
  MenuItem LPT11{"LPT1 (378h) ^"};
  MenuItem LPT2278h1{"LPT2 (278h)"};
};

// Every route (main menu item, pop-up item, speed button) whose enabled
// state some command changes; the rest stay enabled. Their captions are the
// route table's: only what changes is kept here.
struct RouteState {
  MenuItem N4;
  MenuItem N28{{}, false};
  MenuItem N15{{}, false};
  MenuItem PIC2{{}, false};
  MenuItem N16;
  MenuItem N17;
  MenuItem N18;
  MenuItem N31{{}, false};
  MenuItem N32;
  MenuItem N33;
  MenuItem N34{{}, false};
  MenuItem N37{{}, false};
  MenuItem N38{{}, false};
  MenuItem N19;
  MenuItem SpeedButton4{{}, false};
  MenuItem SpeedButton5;
  MenuItem SpeedButton12{{}, false};
  MenuItem SpeedButton13{{}, false};

  // The routes that write the loaded file's program to the chip or verify
  // the chip against it: on after a good load, off once the view shows
  // anything else ("Программировать всё из файла" follows N15 and N37).
  void enableFileProgramRoutes(bool enabled);
};

// The BG chooser of the PIC12F629/675 configuration panel.
struct BgChooserState {
  static constexpr int kClosedHeight = 16;
  static constexpr int kOpenHeight = 87;
  bool Panel3Visible = false;
  int Panel3Height = kClosedHeight;
  int Panel3Tag = 0;  // the BG chosen flag
  std::string Label1 = "BG - не менять";
  std::string Label1Hint = "Колибровочный бит";
  int ListBox1ItemIndex = 0;  // the BG choice, 0 = "не менять"
  bool open() const { return Panel3Height == kOpenHeight; }
};

// The configuration panel of the chips whose words are drawn from a field
// table (ConfigPanel::Fields), FieldPanel: each configuration word as four
// hex digits (ConfigWord1, ConfigWord2), every field of the words by its
// datasheet name with its settings (ConfigField1..), and the factory
// calibration word, read-only (CalibrationWord). The buffer's words are
// what it shows; the texts follow them.
struct FieldChooser {
  std::string name;                  // FOSC, WDTE, ...
  int word = 0;                      // 0: the word at 2007h, 1: the one at 2008h
  std::vector<std::string> choices;  // the settings, the chip's pins put in
  int index = -1;                    // the setting the word holds; -1: none of them
  std::string hint;
};
// The same fields with the same settings, whichever are chosen: a window's
// lists drawn for one stand for the other.
inline bool sameFieldLists(const std::vector<FieldChooser>& a, const std::vector<FieldChooser>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const FieldChooser& x, const FieldChooser& y) {
                      return x.name == y.name && x.word == y.word && x.choices == y.choices;
                    });
}
struct FieldPanelState {
  static constexpr int kSlots = 14;  // the most fields a chip has, and one to spare
  bool Visible = false;
  std::string Caption = "Слова конфигурации";
  int words = 0;  // 1 or 2
  // The words' boxes: what they show (what is being typed, while it is).
  std::array<std::string, 2> wordTexts{"3FFF", "3FFF"};
  std::array<std::string, 2> wordLabels{"2007h:", "2008h:"};
  std::vector<FieldChooser> fields;
  bool calibrationShown = false;
  std::string calibrationLabel;
  std::string calibrationText = "----";  // unknown until read from the chip
  std::string calibrationHint;
};

// The three window colours (00BBGGRR): what the window shows, what the
// colour dialog holds now, and the confirmed choice.
struct ColourState {
  std::array<std::uint32_t, 3> shown{0x000080, 0x785107, 0x000000};
  std::array<std::uint32_t, 3> current{0x000268, 0x785107, 0x000000};
  std::array<std::uint32_t, 3> saved{0x000080, 0x785107, 0x000000};
  int presetIndex = 0;
  int ComboBox1Tag = 0;  // the scheme list's stored index
};

// The colour dialog TForm2 "Настройка цвета" while it is open.
struct ColourDialogState {
  static constexpr int kCustomMarker = 77;  // colours chosen one by one
  bool Visible = false;
  int PageIndex = 0;           // 0 "Быстрая", 1 "Произвольная"
  int ComboBox1ItemIndex = 0;  // the selected scheme, -1 none
  // Backgrounds of the preview fields Edit1, Edit2, Edit7.
  std::array<std::uint32_t, 3> previews{0x000268, 0x785107, 0x000000};
};

// What the About box TForm3 shows, coloured on every show.
struct AboutState {
  std::uint32_t titleColour = 0;  // saved colour 1
  std::uint32_t textColour = 0;   // saved colour 3: version line and text
  std::uint32_t linkColour = 0;   // saved colour 2
};

// What a route asks of the front end that shows the window: closing it,
// and the dialogs and pages that live outside the main window.
enum class FrontEndRequest { None, Close, Colours, About };

inline constexpr int kProgramRows = kMaxProgramWords / 8;
// The blank word column of the program memory view: a line "3FFF" a row.
const std::string& blankProgramColumn();
// A column's text as its lines (CR LF after each; a missing last one is no matter).
std::vector<std::string> columnLines(const std::string& text);

// What the main window shows; every command writes here and the views
// (desktop or terminal) render it.
struct WindowState {
  std::string Caption = " Kalmar   // микроконтроллер PIC16F84   // порт LPT1(378h)";
  ChipMenuState chipMenu;
  SlowdownMenuState slowdown;
  RouteState routes;

  std::string StatusBar1;
  std::string StatusBar2;
  int ProgressBar1 = 0;

  // Busy lock: the wait panel over the disabled window.
  bool Panel2Visible = false;
  bool Enabled = true;
  int Width = 640;
  int Height = 367;
  int Panel2Left = 0;
  int Panel2Top = 0;
  static constexpr int kPanel2Width = 273;
  static constexpr int kPanel2Height = 41;

  SourceIndicator Edit1{"Буфер", "Отображено состояние буфера"};  // second configuration panel
  SourceIndicator Edit3{"Буфер", "Отображено состояние буфера"};  // first configuration panel
  SourceIndicator Edit4;                                          // program memory view
  SourceIndicator Edit5{"Буфер", "Отображено состояние буфера"};  // data memory
  SourceIndicator Edit6;                                          // listing view
  SourceIndicator Edit8{"Буфер", "Отображено состояние буфера"};  // ID

  // Program memory view: the eight word columns Memo4..Memo11 (lines of
  // four hex digits, CR LF after each), the rows shown, and the column texts
  // kept between commands.
  std::array<std::string, 8> programColumns;
  std::array<std::string, 8> columnTexts;
  int programRowsShown = 128;
  bool ScrollBox1AtTop = true;

  // Data memory cells MaskEdit1..MaskEdit256 and the rows shown (8, 16, or
  // 32 for the PIC16F648A).
  std::array<std::string, kMaxDataBytes> dataCells;
  int dataRowsShown = 8;
  // ID cells MaskEdit301..MaskEdit304.
  std::array<std::string, 4> idCells{"3FFF", "3FFF", "3FFF", "3FFF"};

  // Listing view GroupBox9: instruction column Memo14 and label column
  // Memo15 as lines (line n belongs to word n), the footnote Memo2.
  bool GroupBox9Visible = false;
  // Narrowed and moved right beside the colour dialog as its preview.
  static constexpr int kListingLeft = 231, kListingWidth = 346;
  int GroupBox9Left = kListingLeft;
  int GroupBox9Width = kListingWidth;
  std::vector<std::string> Memo14;
  std::vector<std::string> Memo15;
  bool Memo2Expanded = false;
  int Memo2Height() const { return Memo2Expanded ? 43 : 13; }

  // Configuration panels: GroupBox5 (PIC16x84) with oscillator group
  // GroupBox6, GroupBox7 (the PIC16F62x and PIC12F6xx) with oscillator group
  // GroupBox10, and FieldPanel (fieldPanel) of the chips added later.
  GroupBox GroupBox5{"Конфигурация  3FFB"};
  GroupBox GroupBox6{"", true, true, 1};
  GroupBox GroupBox7{"Конфигурация  3F18", false, false};
  GroupBox GroupBox10{"", true, true, 4};
  std::array<Switch, 13> RadioButton;  // 1..12 used
  std::array<Switch, 11> CheckBox;     // 1..10 used
  BgChooserState bg;
  FieldPanelState fieldPanel;

  ColourState colours;
  ColourDialogState colourDialog;
  AboutState about;
  FrontEndRequest request = FrontEndRequest::None;  // taken and cleared by the front end
  std::string ActiveControl;                        // the component with the keyboard focus
  // The selection in the focused edit cell.
  int SelStart = 0;
  int SelLength = 0;

  // Data memory editing: the editor group GroupBox3, writable cells, and
  // what an edit locks: the other panels, the top menus, the panel's pop-up.
  bool GroupBox3Visible = false;
  bool dataCellsWritable = false;
  bool GroupBox2Enabled = true;           // program memory
  bool GroupBox8Enabled = true;           // ID
  bool GroupBox9Enabled = true;           // listing
  MenuItem N1, N2, N5, N8, N9, N30, N25;  // the top menus
  MenuItem N22, N23, N35;                 // the data memory pop-up

  WindowState();
};

}  // namespace kalmar
