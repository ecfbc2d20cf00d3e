#pragma once

#include <QWidget>

namespace kalmar::qt {

// ProgressBar1: a plain bar from 0 to 106. It paints only what changed, so
// the hundreds of steps of a command cost the chip's timing nothing.
class ProgressLine : public QWidget {
 public:
  ProgressLine(const char* name, QWidget* parent);
  void setValue(int value);
  int value() const { return value_; }
  static constexpr int kMaximum = 106;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int fillWidth(int value) const;
  int value_ = 0;
};

}  // namespace kalmar::qt
