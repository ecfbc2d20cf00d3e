#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "desktop/pictures.h"

namespace kalmar::desktop {

// An opaque colour.
struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// A point of the 32-unit design square.
struct Point {
  double x = 0;
  double y = 0;
};

// A square canvas drawn in a 32-unit design space, scaled to `size` pixels.
// Each shape covers a pixel by the share of its 8x8 samples inside the
// shape, and is laid over what is drawn before it. Pixel (i, j) covers the
// units [i, i+1) x [j, j+1) times 32/size; a line of width 2 from (4, 9) to
// (9, 9) lights the rows 8 and 9 exactly at size 32.
class Canvas {
 public:
  explicit Canvas(int size);

  // Rectangles, optionally with rounded corners of radius `radius`.
  void fillRect(double left, double top, double width, double height, Colour colour,
                double radius = 0);
  // The outline of that rectangle, a pen of width `pen` centred on its edge
  // (square corners bevelled).
  void strokeRect(double left, double top, double width, double height, double pen, Colour colour,
                  double radius = 0);
  // The ellipse inside the rectangle.
  void fillEllipse(double left, double top, double width, double height, Colour colour);
  // A polygon (closed by itself; the nonzero rule) and its outline.
  void fillPolygon(std::span<const Point> points, Colour colour);
  void strokePolygon(std::span<const Point> points, double pen, Colour colour);
  // Lines of width `pen`: with round caps and round joins, or one straight
  // segment whose square caps reach half the pen beyond each end.
  void polyline(std::span<const Point> points, double pen, Colour colour);
  void line(Point from, Point to, double pen, Colour colour) {
    const Point points[2] = {from, to};
    polyline(points, pen, colour);
  }
  void squareCappedLine(Point from, Point to, double pen, Colour colour);
  // An arc of the ellipse inside the rectangle, with round caps: from
  // `startDegrees` (0 at three o'clock, counter-clockwise on the screen)
  // over `spanDegrees` (negative: clockwise).
  void arc(double left, double top, double width, double height, double startDegrees,
           double spanDegrees, double pen, Colour colour);

  Picture picture() const;

 private:
  struct Box {
    double left, top, right, bottom;
  };
  template <typename Inside>
  void cover(Box box, const Inside& inside, Colour colour);

  int size_;
  double scale_;  // pixels per design unit
  // Premultiplied red, green, blue and alpha, 0..1, rows from the top.
  struct Rgba {
    float red = 0, green = 0, blue = 0, alpha = 0;
  };
  std::vector<Rgba> pixels_;
};

}  // namespace kalmar::desktop
