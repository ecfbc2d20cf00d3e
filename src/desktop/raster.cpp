#include "desktop/raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kalmar::desktop {

namespace {

constexpr int kSamples = 8;  // per pixel side: 64 coverage steps
constexpr double kUnits = 32;

double distanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Inside a rectangle with corners rounded to `radius` (0: square).
bool insideRoundedRect(Point p, double left, double top, double right, double bottom,
                       double radius) {
  if (p.x < left || p.x >= right || p.y < top || p.y >= bottom) return false;
  radius = std::min({radius, (right - left) / 2, (bottom - top) / 2});
  if (radius <= 0) return true;
  const double cx = std::clamp(p.x, left + radius, right - radius);
  const double cy = std::clamp(p.y, top + radius, bottom - radius);
  return std::hypot(p.x - cx, p.y - cy) <= radius;
}

// The nonzero winding rule.
bool insidePolygon(Point p, std::span<const Point> points) {
  int winding = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const Point a = points[i], b = points[(i + 1) % points.size()];
    const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
    if (a.y <= p.y) {
      if (b.y > p.y && side > 0) ++winding;
    } else if (b.y <= p.y && side < 0) {
      --winding;
    }
  }
  return winding != 0;
}

}  // namespace

Canvas::Canvas(int size)
    : size_(std::max(size, 0)),
      scale_(size_ / kUnits),
      pixels_(static_cast<std::size_t>(size_) * size_) {}

template <typename Inside>
void Canvas::cover(Box box, const Inside& inside, Colour colour) {
  const int x0 = std::max(0, static_cast<int>(std::floor(box.left * scale_)));
  const int y0 = std::max(0, static_cast<int>(std::floor(box.top * scale_)));
  const int x1 = std::min(size_, static_cast<int>(std::ceil(box.right * scale_)) + 1);
  const int y1 = std::min(size_, static_cast<int>(std::ceil(box.bottom * scale_)) + 1);
  const float red = colour.red / 255.0f, green = colour.green / 255.0f, blue = colour.blue / 255.0f;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
          hits += inside(
              Point{(x + (sx + 0.5) / kSamples) / scale_, (y + (sy + 0.5) / kSamples) / scale_});
      if (hits == 0) continue;
      const float a = static_cast<float>(hits) / (kSamples * kSamples);
      Rgba& d = pixels_[static_cast<std::size_t>(y) * size_ + x];
      d.red = red * a + d.red * (1 - a);
      d.green = green * a + d.green * (1 - a);
      d.blue = blue * a + d.blue * (1 - a);
      d.alpha = a + d.alpha * (1 - a);
    }
  }
}

void Canvas::fillRect(double left, double top, double width, double height, Colour colour,
                      double radius) {
  const double right = left + width, bottom = top + height;
  cover(
      {left, top, right, bottom},
      [&](Point p) { return insideRoundedRect(p, left, top, right, bottom, radius); }, colour);
}

void Canvas::strokeRect(double left, double top, double width, double height, double pen,
                        Colour colour, double radius) {
  const double h = pen / 2, right = left + width, bottom = top + height;
  const double outer = radius > 0 ? radius + h : 0, inner = std::max(0.0, radius - h);
  cover(
      {left - h, top - h, right + h, bottom + h},
      [&](Point p) {
        // Square corners are bevelled: the pen's outer corner is cut off
        // half a pen beyond the rectangle's corner.
        if (radius <= 0) {
          const double dx = std::max(left - p.x, p.x - right),
                       dy = std::max(top - p.y, p.y - bottom);
          if (dx > 0 && dy > 0 && dx + dy > h) return false;
        }
        return insideRoundedRect(p, left - h, top - h, right + h, bottom + h, outer) &&
               !insideRoundedRect(p, left + h, top + h, right - h, bottom - h, inner);
      },
      colour);
}

void Canvas::fillEllipse(double left, double top, double width, double height, Colour colour) {
  const double rx = width / 2, ry = height / 2, cx = left + rx, cy = top + ry;
  if (rx <= 0 || ry <= 0) return;
  cover(
      {left, top, left + width, top + height},
      [&](Point p) {
        const double u = (p.x - cx) / rx, v = (p.y - cy) / ry;
        return u * u + v * v <= 1;
      },
      colour);
}

void Canvas::fillPolygon(std::span<const Point> points, Colour colour) {
  if (points.size() < 3) return;
  Box box{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Point& p : points)
    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
           std::max(box.bottom, p.y)};
  cover(
      box, [&](Point p) { return insidePolygon(p, points); }, colour);
}

void Canvas::strokePolygon(std::span<const Point> points, double pen, Colour colour) {
  if (points.empty()) return;
  std::vector<Point> closed(points.begin(), points.end());
  closed.push_back(points.front());
  polyline(closed, pen, colour);
}

void Canvas::polyline(std::span<const Point> points, double pen, Colour colour) {
  if (points.empty()) return;
  const double h = pen / 2;
  Box box{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Point& p : points)
    box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
           std::max(box.bottom, p.y)};
  box = {box.left - h, box.top - h, box.right + h, box.bottom + h};
  cover(
      box,
      [&](Point p) {
        if (points.size() == 1) return std::hypot(p.x - points[0].x, p.y - points[0].y) <= h;
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
          if (distanceToSegment(p, points[i], points[i + 1]) <= h) return true;
        return false;
      },
      colour);
}

void Canvas::squareCappedLine(Point from, Point to, double pen, Colour colour) {
  const double length = std::hypot(to.x - from.x, to.y - from.y);
  if (length <= 0) return;
  const double h = pen / 2, dx = (to.x - from.x) / length, dy = (to.y - from.y) / length;
  const Point corners[4] = {{from.x - (dx + dy) * h, from.y - (dy - dx) * h},
                            {to.x + (dx - dy) * h, to.y + (dy + dx) * h},
                            {to.x + (dx + dy) * h, to.y + (dy - dx) * h},
                            {from.x - (dx - dy) * h, from.y - (dy + dx) * h}};
  fillPolygon(corners, colour);
}

void Canvas::arc(double left, double top, double width, double height, double startDegrees,
                 double spanDegrees, double pen, Colour colour) {
  const double rx = width / 2, ry = height / 2, cx = left + rx, cy = top + ry;
  const int steps = std::max(2, static_cast<int>(std::abs(spanDegrees) / 3));
  std::vector<Point> points;
  for (int i = 0; i <= steps; ++i) {
    const double angle = (startDegrees + spanDegrees * i / steps) * std::numbers::pi / 180;
    points.push_back({cx + rx * std::cos(angle), cy - ry * std::sin(angle)});
  }
  polyline(points, pen, colour);
}

Picture Canvas::picture() const {
  Picture picture{size_, size_, {}};
  picture.pixels.reserve(pixels_.size());
  const auto channel = [](float premultiplied, float alpha) {
    return static_cast<std::uint32_t>(
        std::lround(std::clamp(premultiplied / alpha, 0.0f, 1.0f) * 255));
  };
  for (const Rgba& p : pixels_) {
    const auto alpha =
        static_cast<std::uint32_t>(std::lround(std::clamp(p.alpha, 0.0f, 1.0f) * 255));
    if (alpha == 0) {
      picture.pixels.push_back(0);
      continue;
    }
    picture.pixels.push_back(alpha << 24 | channel(p.red, p.alpha) << 16 |
                             channel(p.green, p.alpha) << 8 | channel(p.blue, p.alpha));
  }
  return picture;
}

}  // namespace kalmar::desktop
