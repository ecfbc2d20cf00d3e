#include "qt/accessible_views.h"

#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QPointer>
#include <QRadioButton>
#include <map>

#include "qt/progress_line.h"
#include "qt/qt_text.h"
#include "qt/text_column.h"

namespace kalmar::qt {

ColumnRow::ColumnRow(const QString& accessibleName, QWidget* parent) : QWidget(parent) {
  setAccessibleName(accessibleName);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->setSizeConstraint(QLayout::SetFixedSize);
}

std::vector<TextColumn*> ColumnRow::columns() const {
  std::vector<TextColumn*> found;
  for (int i = 0; i < layout()->count(); ++i)
    if (auto* column = dynamic_cast<TextColumn*>(layout()->itemAt(i)->widget()))
      found.push_back(column);
  return found;
}

int ColumnRow::rows() const {
  const std::vector<TextColumn*> all = columns();
  return all.empty() ? 0 : all.front()->rowsShown();
}

QString ColumnRow::rowText(int row) const {
  QStringList parts;
  for (const TextColumn* column : columns()) {
    const auto& lines = column->lines();
    if (row < 0 || row >= static_cast<int>(lines.size())) continue;
    const QString line = qs(lines[static_cast<std::size_t>(row)]).simplified();
    if (!line.isEmpty()) parts << line;
  }
  return parts.join(QLatin1Char(' '));
}

QRect ColumnRow::rowRect(int row) const {
  const int height = TextColumn::lineHeight();
  return {0, row * height, width(), height};
}

namespace {

class RowsAccessible;

// One line of a ColumnRow; it lives in Qt's registry until its list goes.
class RowAccessible : public QAccessibleInterface {
 public:
  RowAccessible(ColumnRow* view, QAccessibleInterface* list, int row)
      : view_(view), list_(list), row_(row) {}
  bool isValid() const override { return view_ && row_ < view_->rows(); }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return list_; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && view_ ? view_->rowText(row_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!view_) return {};
    const QRect local = view_->rowRect(row_);
    return {view_->mapToGlobal(local.topLeft()), local.size()};
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = !view_ || !view_->isVisible();
    return s;
  }

 private:
  QPointer<ColumnRow> view_;
  QAccessibleInterface* list_;
  int row_;
};

class RowsAccessible : public QAccessibleWidget {
 public:
  explicit RowsAccessible(ColumnRow* view) : QAccessibleWidget(view, QAccessible::List) {}
  ~RowsAccessible() override {
    for (const auto& [row, id] : rows_) QAccessible::deleteAccessibleInterface(id);
  }
  int childCount() const override { return view()->rows(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    auto found = rows_.find(index);
    if (found == rows_.end()) {
      auto* row = new RowAccessible(view(), const_cast<RowsAccessible*>(this), index);
      found = rows_.emplace(index, QAccessible::registerAccessibleInterface(row)).first;
    }
    return QAccessible::accessibleInterface(found->second);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (const auto& [row, id] : rows_)
      if (QAccessible::accessibleInterface(id) == child) return row;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint local = view()->mapFromGlobal(QPoint(x, y));
    if (!view()->rect().contains(local)) return nullptr;
    return child(local.y() / TextColumn::lineHeight());
  }

 private:
  ColumnRow* view() const { return static_cast<ColumnRow*>(widget()); }
  mutable std::map<int, QAccessible::Id> rows_;
};

class ProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ProgressAccessible(ProgressLine* line)
      : QAccessibleWidget(line, QAccessible::ProgressBar) {}
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QVariant currentValue() const override { return line()->value(); }
  void setCurrentValue(const QVariant&) override {}  // only the program moves it
  QVariant maximumValue() const override { return ProgressLine::kMaximum; }
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }

 private:
  ProgressLine* line() const { return static_cast<ProgressLine*>(widget()); }
};

// The oscillator and similar switches are radio buttons the window turns on
// and off itself (not auto-exclusive), which Qt would report as check boxes.
class SwitchAccessible : public QAccessibleWidget {
 public:
  explicit SwitchAccessible(QRadioButton* button)
      : QAccessibleWidget(button, QAccessible::RadioButton) {}
  QString text(QAccessible::Text t) const override {
    const QString own = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !own.isEmpty()) return own;
    return button()->text().remove(QLatin1Char('&'));
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = button()->isChecked();
    return s;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (action == pressAction() && button()->isEnabled()) button()->click();
  }

 private:
  QRadioButton* button() const { return static_cast<QRadioButton*>(widget()); }
};

QAccessibleInterface* viewFactory(const QString&, QObject* object) {
  if (auto* button = qobject_cast<QRadioButton*>(object)) return new SwitchAccessible(button);
  if (auto* rows = dynamic_cast<ColumnRow*>(object)) return new RowsAccessible(rows);
  if (auto* line = dynamic_cast<ProgressLine*>(object)) return new ProgressAccessible(line);
  return nullptr;
}

}  // namespace

void installAccessibleViews() {
  static const bool installed = [] {
    QAccessible::installFactory(viewFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace kalmar::qt
