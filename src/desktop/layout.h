#pragma once

#include <vector>

namespace kalmar::desktop {

// A rectangle in client-area pixels at 96 DPI.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// Where the groups stand in each of the window's arrangements: the PIC16x84
// one (configuration, ID and data memory stacked at the left, 8 data rows),
// the one of the other chips (taller: a larger configuration panel and 16
// data rows at the left, the ID beside the panel above program memory), and
// that one grown by 16 more data rows for the 256 bytes of the PIC16F648A.
// Client-area pixels, for the window's 11-pixel font (a little wider than
// the original window, whose font was narrower). Both window front ends
// place their groups from here.
struct Geometry {
  Rect configPanel;  // GroupBox5 or GroupBox7
  Rect GroupBox8;    // ID
  Rect GroupBox4;    // data memory
  Rect GroupBox3;    // data memory editor, over the head of GroupBox4
  Rect GroupBox2;    // program memory; the listing GroupBox9 covers it exactly
  int ScrollBox1Height;
  int ScrollBox2Height;
  int ProgressBar1Top;
  int StatusBarTop;
  int clientHeight;
};

inline constexpr int kClientWidth = 660;
inline constexpr int kSpeedRowTop = 15;  // the row of speed buttons under a group's caption
inline constexpr int kViewTop = 37;      // where a group's columns start
inline constexpr int kLineHeight = 13;   // one line of a column or one data memory row
inline constexpr int kSpeedButtonSize = 22;

// The status area along the bottom: the progress line over the two status lines.
inline Rect progressBarRect(const Geometry& g) { return {7, g.ProgressBar1Top, kClientWidth - 14, 8}; }
inline Rect statusBar1Rect(const Geometry& g) { return {0, g.StatusBarTop, kClientWidth - 90, 19}; }
inline Rect statusBar2Rect(const Geometry& g) { return {kClientWidth - 90, g.StatusBarTop, 90, 19}; }
// The scrolled columns inside the program memory and listing groups.
inline Rect programColumnsRect(const Geometry& g) {
  return {6, kViewTop, g.GroupBox2.width - 12, g.ScrollBox1Height};
}
inline Rect listingColumnsRect(const Geometry& g) {
  return {6, kViewTop, g.GroupBox2.width - 12, g.ScrollBox2Height};
}
// The listing group over the program memory group; narrowed beside the
// colour dialog (the model's width below its full one), it keeps the same
// share of the group, at its right.
Rect listingGroupRect(const Geometry& g, int modelWidth);
// Where the listing's footnote ends: one line under the columns.
inline int footnoteBottom(const Geometry& g) { return kViewTop + g.ScrollBox2Height + kLineHeight; }

const Geometry& geometryFor(int dataRows);
// The arrangement of the chips whose configuration words are drawn from a
// field table: the field panel across the window's width at the top, data
// memory under it at the left, the ID and program memory at the right (16
// or 32 data rows; a chip without data memory keeps the 16 rows' place).
const Geometry& geometryFor(int dataRows, bool fieldPanel);

// The speed buttons of the route table: the group each stands in and its
// place there, in the order a screen reader meets them.
struct SpeedButtonPlace {
  const char* name;
  const char* group;
  int left;
};
inline constexpr SpeedButtonPlace kSpeedButtonPlaces[] = {
    {"SpeedButton7", "GroupBox2", 6},   {"SpeedButton4", "GroupBox2", 29},
    {"SpeedButton11", "GroupBox2", 58}, {"SpeedButton12", "GroupBox2", 81},
    {"SpeedButton13", "GroupBox2", 104}, {"SpeedButton10", "GroupBox4", 6},
    {"SpeedButton9", "GroupBox4", 28},  {"SpeedButton8", "GroupBox4", 50},
    {"SpeedButton5", "GroupBox9", 6},   {"SpeedButton6", "GroupBox9", 29},
};

// The data memory grid: the row labels, then eight cells a row.
inline constexpr int kDataLabelWidth = 24;
inline constexpr int kDataCellWidth = 25;
inline Rect dataCellRect(int n) {  // n = 1..256, MaskEdit1..MaskEdit256
  const int row = (n - 1) / 8, column = (n - 1) % 8;
  return {6 + kDataLabelWidth + 2 + column * kDataCellWidth, kViewTop + row * kLineHeight,
          kDataCellWidth - 1, kLineHeight};
}
// The four ID cells MaskEdit301..MaskEdit304.
inline Rect idCellRect(int i) { return {8 + i * 50, 18, 44, 20}; }

// The configuration panels' inner groups and switches, in their groups'
// pixels: the oscillator groups, the code protection group of the second
// panel, the BG chooser over CheckBox10 (its height follows the model).
inline constexpr Rect kGroupBox6{6, 16, 96, 62};             // in GroupBox5
inline constexpr Rect kGroupBox10{6, 16, 128, 88};           // in GroupBox7
inline constexpr Rect kCodeProtectionGroup{6, 108, 132, 58};  // in GroupBox7
inline Rect bgChooserRect(int height) { return {136, 86, 98, height}; }
struct SwitchPlace {
  bool radio;   // RadioButtonN, else CheckBoxN
  int n;
  const char* group;  // the component it stands in
  Rect rect;
};
const std::vector<SwitchPlace>& switchPlaces();

// The field panel (FieldPanel), in its own pixels: the words' boxes in a row
// under its caption, each after its address, then the calibration word's;
// under them the fields in two columns, each its name beside its list.
inline constexpr int kFieldRows = 7;  // a column's fields
inline constexpr int kFieldPanelHeight = 42 + kFieldRows * 19 + 3;
inline Rect configWordLabelRect(int word) { return {8 + word * 104, 18, 40, 17}; }
inline Rect configWordEditRect(int word) { return {48 + word * 104, 16, 44, 20}; }
// After the last word's box.
inline Rect calibrationLabelRect(int words) { return {8 + words * 104 + 12, 18, 124, 17}; }
inline Rect calibrationEditRect(int words) { return {8 + words * 104 + 138, 16, 44, 20}; }
// Field n (0-based, the order of the chip's field table), top to bottom, then the next column.
inline Rect fieldLabelRect(int n) {
  return {8 + n / kFieldRows * 319, 42 + n % kFieldRows * 19 + 1, 46, 17};
}
inline Rect fieldChoiceRect(int n) {
  return {8 + n / kFieldRows * 319 + 48, 42 + n % kFieldRows * 19, 265, 18};
}

// The wait panel, centred as the window model centres it, on this window's own width.
Rect waitPanelRect(int modelLeft, int modelTop, int modelWidth);

}  // namespace kalmar::desktop
