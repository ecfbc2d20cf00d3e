#pragma once

#include <QRect>

namespace kalmar::qt {

// Where the groups stand in each of the window's arrangements: the PIC16x84
// one (configuration, ID and data memory stacked at the left, 8 data rows),
// the one of the other chips (taller: a larger configuration panel and 16
// data rows at the left, the ID beside the panel above program memory), and
// that one grown by 16 more data rows for the 256 bytes of the PIC16F648A.
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

inline const Geometry& geometryFor(int dataRows) {
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
  constexpr int kMore = 16 * 13;  // 16 more rows of 13 pixels
  static const Geometry kLarge{{7, 4, 236, 172},
                               {249, 4, 404, 52},
                               {7, 180, 236, 249 + kMore},
                               {7, 173, 236, 44},
                               {249, 60, 404, 369 + kMore},
                               326 + kMore,
                               313 + kMore,
                               435 + kMore,
                               443 + kMore,
                               463 + kMore};
  if (dataRows <= 8) return kFamily84;
  return dataRows <= 16 ? kOthers : kLarge;
}

}  // namespace kalmar::qt
