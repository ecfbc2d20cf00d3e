#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace kalmar::qt {

// A read-only column of text lines, one fixed line height each, as the
// program memory, listing and data memory views stack them side by side in
// a scroll area. Only the lines in view are drawn, so columns of 2048 lines
// update cheaply while a command runs.
class TextColumn : public QWidget {
 public:
  TextColumn(const char* name, QWidget* parent);

  // Lines separated by CR LF (a trailing CR LF ends the last line).
  void setText(const std::string& text);
  void setLines(const std::vector<std::string>& lines);
  const std::vector<std::string>& lines() const { return lines_; }
  // The column shows this many lines: its height follows.
  void setRowsShown(int rows);
  int rowsShown() const { return rows_ < 0 ? static_cast<int>(lines_.size()) : rows_; }
  void setTextColour(const QColor& colour);
  void setBackground(const QColor& colour);

  std::function<void()> onClick;

  static int lineHeight();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::string text_;
  std::vector<std::string> lines_;
  int rows_ = -1;
  QColor colour_;
  QColor background_;
};

}  // namespace kalmar::qt
