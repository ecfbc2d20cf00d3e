#pragma once

#include <QRect>

namespace kalmar::ui {

// Where the groups stand in each of the window's two arrangements: the
// PIC16x84 one (configuration, ID and data memory stacked at the left) and
// the one of the other chips (taller: a larger configuration panel and 16
// data rows at the left, the ID beside the panel above program memory).
// Client-area pixels, for the window's 11-pixel font (a little wider than
// the original window, whose font was narrower).
struct Geometry {
  QRect configPanel;  // GroupBox5 or GroupBox7
  QRect GroupBox8;    // ID
  QRect GroupBox4;    // data memory
  QRect GroupBox3;    // data memory editor, over the head of GroupBox4
  QRect GroupBox2;    // program memory; the listing GroupBox9 covers it exactly
  int ScrollBox1Height;
  int ScrollBox2Height;
  int ProgressBar1Top;
  int StatusBarTop;
  int clientHeight;
};

inline constexpr int kClientWidth = 660;
inline constexpr int kSpeedRowTop = 15;  // the row of speed buttons under a group's caption
inline constexpr int kViewTop = 37;      // where a group's columns start

inline const Geometry& geometryFor(bool family84) {
  static const Geometry kFamily84{{7, 4, 236, 84},
                                  {7, 92, 236, 44},
                                  {7, 140, 236, 145},
                                  {7, 133, 236, 44},
                                  {249, 4, 404, 281},
                                  240,
                                  227,
                                  291,
                                  299,
                                  320};
  static const Geometry kOthers{{7, 4, 236, 172},
                                {249, 4, 404, 52},
                                {7, 180, 236, 249},
                                {7, 173, 236, 44},
                                {249, 60, 404, 369},
                                326,
                                313,
                                435,
                                443,
                                463};
  return family84 ? kFamily84 : kOthers;
}

}  // namespace kalmar::ui
