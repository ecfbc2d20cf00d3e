#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace kalmar::qt {

class TextColumn;

// The row of text columns a view scrolls (program memory: addresses and
// eight word columns; the listing: address, code, mnemonic). A screen reader
// sees it as a list of its lines, each line read across the columns
// ("0008: 2805 3FFF ..."), not as columns of drawn text.
class ColumnRow : public QWidget {
 public:
  ColumnRow(const QString& accessibleName, QWidget* parent);
  std::vector<TextColumn*> columns() const;
  int rows() const;
  QString rowText(int row) const;
  QRect rowRect(int row) const;  // in this widget's coordinates
};

// Makes the drawn views known to Qt's accessibility: ColumnRow as a list of
// rows, ProgressLine as a progress bar with a value, the window's radio
// buttons as radio buttons. Call once before the
// window is shown; calling again does nothing.
void installAccessibleViews();

}  // namespace kalmar::qt
