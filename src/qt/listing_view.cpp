#include "qt/listing_view.h"

#include <QHBoxLayout>

#include "files/listing_command.h"
#include "memory/config_word.h"
#include "model/hex_text.h"
#include "qt/program_view.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

ListingView::ListingView(QWidget* parent, WindowLink& link) {
  GroupBox9 = new QGroupBox(QString::fromUtf8(kListingCaption), parent);
  GroupBox9->setObjectName("GroupBox9");
  GroupBox9->setAutoFillBackground(true);  // covers the program memory group
  GroupBox9->setFocusPolicy(Qt::ClickFocus);
  GroupBox9->hide();
  Edit6 = new SourceBox("Edit6", GroupBox9);
  Edit6->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit6); }); };

  ScrollBox2 = columnScrollArea("ScrollBox2", GroupBox9);
  QWidget* content = ScrollBox2->widget();
  auto* row = static_cast<QHBoxLayout*>(content->layout());
  Memo13 = new TextColumn("Memo13", content);
  Memo15 = new TextColumn("Memo15", content);
  Memo14 = new TextColumn("Memo14", content);
  Memo13->setFixedWidth(42);
  Memo15->setFixedWidth(60);
  Memo14->setFixedWidth(250);
  std::string addresses;
  for (int word = 0; word < kMaxProgramWords; ++word) addresses += hex4(word) + ":\r\n";
  Memo13->setText(addresses);
  for (TextColumn* column : {Memo13, Memo15, Memo14}) {
    row->addWidget(column);
    column->onClick = [&link] { link.input(Memo13Click); };
  }

  Memo2 = new TextColumn("Memo2", GroupBox9);
  Memo2->setToolTip(QString::fromUtf8(kFootnoteHint));
  Memo2->setCursor(Qt::PointingHandCursor);
  Memo2->onClick = [&link] { link.input(Memo2Click); };
  Memo2->setLines({kFootnoteLines[0], kFootnoteLines[1], kFootnoteLines[2]});
}

void ListingView::place(const Geometry& geometry) {
  geometry_ = &geometry;
  narrowed_ = false;
  GroupBox9->setGeometry(rectOf(geometry.GroupBox2));
  const desktop::Rect columns = desktop::listingColumnsRect(geometry);
  ScrollBox2->setGeometry(rectOf(columns));
  footnoteBottom_ = desktop::footnoteBottom(geometry);
  Memo2->setFixedWidth(columns.width);
  Memo2->setFixedHeight(0);  // placed by the next show()
}

void ListingView::show(const TForm1& form) {
  const WindowState& w = form.window;
  // Narrowed beside the colour dialog: the same share of the group, at its right.
  const bool narrowed = w.GroupBox9Width < WindowState::kListingWidth;
  if (narrowed != narrowed_) {
    narrowed_ = narrowed;
    const QRect box = rectOf(desktop::listingGroupRect(*geometry_, w.GroupBox9Width));
    GroupBox9->setGeometry(box);
    ScrollBox2->resize(box.width() - 12, ScrollBox2->height());
    Memo2->setFixedWidth(box.width() - 12);
  }
  if (w.GroupBox9Visible && !GroupBox9->isVisibleTo(GroupBox9->parentWidget())) GroupBox9->raise();
  setOwnVisible(GroupBox9, w.GroupBox9Visible);
  setOwnEnabled(GroupBox9, w.GroupBox9Enabled);
  Edit6->show(w.Edit6, kSpeedRowTop + 3);  // the group's own caption is long
  paintText(Edit6, colourOf(w.colours.shown[1]));
  const QColor listing = colourOf(w.colours.shown[1]);
  Memo13->setTextColour(colourOf(w.colours.shown[2]));
  Memo14->setTextColour(listing);
  Memo15->setTextColour(listing);
  Memo2->setTextColour(colourOf(w.colours.shown[0]));
  if (w.GroupBox9Visible) {  // hidden, the columns need not follow
    Memo14->setLines(w.Memo14);
    Memo15->setLines(w.Memo15);
  }
  for (TextColumn* column : {Memo13, Memo15, Memo14})
    column->setRowsShown(form.chip.profile.programWords);
  // Expanded, the footnote grows upwards over the columns.
  const int height = w.Memo2Height();
  if (Memo2->height() != height) {
    Memo2->setFixedHeight(height);
    Memo2->move(6, footnoteBottom_ - height);
    Memo2->raise();
  }
}

}  // namespace kalmar::qt
