#include "desktop/pictures.h"

#include <algorithm>
#include <cmath>

#include "desktop/raster.h"

namespace kalmar::desktop {

namespace {

constexpr int kLargest = 256;  // the largest icon Windows and the desktops ask for

constexpr Colour kInk{40, 40, 40};
constexpr Colour kChip{60, 60, 70};
constexpr Colour kPin{170, 170, 170};
constexpr Colour kRead{30, 120, 200};
constexpr Colour kWrite{200, 60, 40};
constexpr Colour kGood{40, 150, 60};
constexpr Colour kPaper{250, 250, 240};
constexpr Colour kFolder{230, 180, 60};
constexpr Colour kFolderBack{200, 157, 52};
constexpr Colour kDisk{50, 80, 160};
constexpr Colour kLabel{200, 200, 200};
constexpr Colour kRubber{240, 140, 160};
constexpr Colour kSocket{128, 0, 0};

constexpr double kOutline = 1.5;

// A chip seen from above: pins every 5 units down both sides, the body,
// and the dot by pin 1.
void chip(Canvas& c, double left, double top, double width, double height) {
  for (double y = top + 4; y < top + height - 2; y += 5) {
    c.squareCappedLine({left - 3, y}, {left, y}, 2, kPin);
    c.squareCappedLine({left + width, y}, {left + width + 3, y}, 2, kPin);
  }
  c.fillRect(left, top, width, height, kChip, 2);
  c.fillEllipse(left + 3, top + 3, 4, 4, kPin);
}

void arrow(Canvas& c, Point from, Point to, Colour colour) {
  c.line(from, to, 3, colour);
  const double length = std::max(1.0, std::hypot(to.x - from.x, to.y - from.y));
  const Point d{(to.x - from.x) / length, (to.y - from.y) / length};
  const Point n{-d.y, d.x};
  const Point head[3] = {{to.x + d.x * 3, to.y + d.y * 3},
                         {to.x - d.x * 5 + n.x * 5, to.y - d.y * 5 + n.y * 5},
                         {to.x - d.x * 5 - n.x * 5, to.y - d.y * 5 - n.y * 5}};
  c.fillPolygon(head, colour);
}

// A filled rectangle with an ink outline.
void box(Canvas& c, double left, double top, double width, double height, Colour fill,
         double radius = 0) {
  c.fillRect(left, top, width, height, fill, radius);
  c.strokeRect(left, top, width, height, kOutline, kInk, radius);
}

void tick(Canvas& c) {
  const Point points[3] = {{15, 22}, {21, 28}, {30, 14}};
  c.polyline(points, 4, kGood);
}

void page(Canvas& c) {
  box(c, 6, 3, 20, 26, kPaper);
  for (int y = 9; y <= 24; y += 5)
    c.squareCappedLine({10, 1.0 * y}, {y % 2 ? 22.0 : 18.0, 1.0 * y}, 2, kRead);
}

void folder(Canvas& c) {
  box(c, 3, 8, 12, 6, kFolderBack);
  box(c, 3, 11, 26, 17, kFolder);
}

void disk(Canvas& c) {
  box(c, 4, 4, 24, 24, kDisk, 2);
  box(c, 9, 5, 14, 9, kPaper);
  box(c, 9, 19, 14, 9, kLabel);
}

void cross(Canvas& c) {
  c.line({8, 8}, {24, 24}, 4, kWrite);
  c.line({24, 8}, {8, 24}, 4, kWrite);
}

void pencil(Canvas& c) {
  const Point body[4] = {{22, 4}, {28, 10}, {12, 26}, {6, 20}};
  c.fillPolygon(body, kFolder);
  const Point tip[3] = {{6, 20}, {12, 26}, {4, 28}};
  c.fillPolygon(tip, kInk);
}

// A curved arrow back: most of a circle clockwise from the top, its head at
// the top pointing left.
void undo(Canvas& c) {
  c.arc(8, 8, 18, 16, 90, -220, 3, kRead);
  arrow(c, {16, 8}, {9, 8}, kRead);
}

void eraser(Canvas& c) {
  const Point block[4] = {{4, 20}, {16, 8}, {28, 16}, {16, 28}};
  c.fillPolygon(block, kRubber);
  c.strokePolygon(block, kOutline, kInk);
  const Point sleeve[4] = {{4, 20}, {10, 14}, {22, 22}, {16, 28}};
  c.fillPolygon(sleeve, kPaper);
  c.strokePolygon(sleeve, kOutline, kInk);
}

void downArrow(Canvas& c) {
  const Point head[3] = {{8, 12}, {24, 12}, {16, 22}};
  c.fillPolygon(head, kInk);
}

void editChip(Canvas& c) {
  chip(c, 5, 8, 12, 20);
  pencil(c);
}

// The chip buttons: a chip, two lines on it for data memory, and the
// direction of the command: an arrow out (read), in (write) or a tick (verify).
enum class Direction { Read, Write, Verify };

void chipButton(Canvas& c, bool data, Direction direction) {
  chip(c, 5, 5, 12, 22);
  if (data) {
    c.squareCappedLine({8, 12}, {14, 12}, 2, kGood);
    c.squareCappedLine({8, 17}, {14, 17}, 2, kGood);
  }
  switch (direction) {
    case Direction::Read:
      arrow(c, {19, 16}, {28, 16}, kRead);
      break;
    case Direction::Write:
      arrow(c, {30, 16}, {21, 16}, kWrite);
      break;
    case Direction::Verify:
      tick(c);
      break;
  }
}

struct Entry {
  std::string_view name;
  void (*draw)(Canvas&);
};

constexpr Entry kPictures[] = {
    {"SpeedButton7", folder},      // open a file
    {"SpeedButton4", page},        // disassemble
    {"SpeedButton5", disk},        // save the program
    {"SpeedButton6", cross},       // close the file
    {"SpeedButton8", editChip},    // edit data memory
    {"SpeedButton1", disk},        // data editor: save
    {"SpeedButton2", undo},        // data editor: cancel
    {"SpeedButton3", eraser},      // data editor: clear all
    {"SpeedButton14", downArrow},  // the BG list
    {"SpeedButton11", [](Canvas& c) { chipButton(c, false, Direction::Read); }},
    {"SpeedButton12", [](Canvas& c) { chipButton(c, false, Direction::Write); }},
    {"SpeedButton13", [](Canvas& c) { chipButton(c, false, Direction::Verify); }},
    {"SpeedButton10", [](Canvas& c) { chipButton(c, true, Direction::Read); }},
    {"SpeedButton9", [](Canvas& c) { chipButton(c, true, Direction::Write); }},
};

}  // namespace

Picture speedButtonPicture(std::string_view name, int size) {
  if (size < 1 || size > kLargest) return {};
  for (const Entry& entry : kPictures) {
    if (entry.name != name) continue;
    Canvas canvas(size);
    entry.draw(canvas);
    return canvas.picture();
  }
  return {};
}

Picture programPicture(int size) {
  if (size < 1 || size > kLargest) return {};
  Canvas canvas(size);
  canvas.fillRect(2, 2, 28, 28, kSocket, 4);
  chip(canvas, 10, 6, 12, 20);
  return canvas.picture();
}

Picture fadedPicture(const Picture& picture) {
  Picture faded = picture;
  for (std::uint32_t& pixel : faded.pixels) {
    const std::uint32_t red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    const std::uint32_t grey = (red * 299 + green * 587 + blue * 114) / 1000;
    const std::uint32_t alpha = (pixel >> 24) / 3;
    pixel = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
  }
  return faded;
}

}  // namespace kalmar::desktop
