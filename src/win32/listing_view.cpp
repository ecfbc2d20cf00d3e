#include "win32/listing_view.h"

#include "files/listing_command.h"
#include "memory/config_word.h"
#include "model/hex_text.h"
#include "routes/routes.h"

namespace kalmar::win32 {

namespace {

constexpr int kMemo13 = 0, kMemo15 = 1, kMemo14 = 2;

}  // namespace

ListingView::ListingView(HWND area, WindowLink& link) : controls_(link.controls()) {
  GroupBox9 = controls_.makePanel("GroupBox9", kListingCaption, true, area, {});
  setVisible(GroupBox9, false);
  Edit6 = std::make_unique<SourceBox>(controls_, "Edit6", GroupBox9);
  Edit6->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit6); }); };

  ScrollBox2 = std::make_unique<ColumnView>(controls_, "ScrollBox2", GroupBox9, desktop::Rect{},
                                            true);
  std::string addresses;
  for (int word = 0; word < kMaxProgramWords; ++word) addresses += hex4(word) + ":\r\n";
  ScrollBox2->setText(ScrollBox2->addColumn(42), addresses);  // Memo13
  ScrollBox2->addColumn(60);                                   // Memo15
  ScrollBox2->addColumn(250);                                  // Memo14
  ScrollBox2->onClick = [&link] { link.input(Memo13Click); };

  Memo2 = std::make_unique<ColumnView>(controls_, "Memo2", GroupBox9, desktop::Rect{}, false,
                                       GroupBox9);
  Memo2->addColumn(0);
  Memo2->setLines(0, kFootnoteLines, 3);
  Memo2->setCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
  Memo2->onClick = [&link] { link.input(Memo2Click); };
  controls_.setHint(Memo2->hwnd(), kFootnoteHint);
}

void ListingView::place(const desktop::Geometry& geometry) {
  geometry_ = &geometry;
  narrowed_ = false;
  controls_.place(GroupBox9, geometry.GroupBox2);
  const desktop::Rect columns = desktop::listingColumnsRect(geometry);
  controls_.place(ScrollBox2->hwnd(), columns);
  footnoteBottom_ = desktop::footnoteBottom(geometry);
  columnsWidth_ = columns.width;
  footnoteHeight_ = 0;  // placed by the next show()
  placeFootnote(0, columnsWidth_);
}

void ListingView::placeFootnote(int height, int width) {
  Memo2->setWidth(0, width);
  controls_.place(Memo2->hwnd(), {6, footnoteBottom_ - height, width, height});
}

void ListingView::show(const TForm1& form) {
  const WindowState& w = form.window;
  // Narrowed beside the colour dialog: the same share of the group, at its right.
  const bool narrowed = w.GroupBox9Width < WindowState::kListingWidth;
  if (narrowed != narrowed_) {
    narrowed_ = narrowed;
    const desktop::Rect box = desktop::listingGroupRect(*geometry_, w.GroupBox9Width);
    controls_.place(GroupBox9, box);
    const desktop::Rect columns = desktop::listingColumnsRect(*geometry_);
    columnsWidth_ = box.width - 12;
    controls_.place(ScrollBox2->hwnd(), {columns.left, columns.top, columnsWidth_, columns.height});
    placeFootnote(footnoteHeight_, columnsWidth_);
  }
  const bool shown = (GetWindowLongW(GroupBox9, GWL_STYLE) & WS_VISIBLE) != 0;
  if (w.GroupBox9Visible && !shown) raise(GroupBox9);
  setVisible(GroupBox9, w.GroupBox9Visible);
  setGroupEnabled(GroupBox9, w.GroupBox9Enabled,
                  {Edit6->hwnd(), ScrollBox2->hwnd(), Memo2->hwnd()});
  Edit6->show(w.Edit6, desktop::kSpeedRowTop + 3);  // the group's own caption is long
  ScrollBox2->setTextColour(kMemo13, w.colours.shown[2]);
  ScrollBox2->setTextColour(kMemo14, w.colours.shown[1]);
  ScrollBox2->setTextColour(kMemo15, w.colours.shown[1]);
  Memo2->setTextColour(0, w.colours.shown[0]);
  if (w.GroupBox9Visible) {  // hidden, the columns need not follow
    ScrollBox2->setLines(kMemo14, w.Memo14);
    ScrollBox2->setLines(kMemo15, w.Memo15);
  }
  ScrollBox2->setRowsShown(form.chip.profile.programWords);
  // Expanded, the footnote grows upwards over the columns.
  const int height = w.Memo2Height();
  if (footnoteHeight_ != height) {
    footnoteHeight_ = height;
    placeFootnote(height, columnsWidth_);
    raise(Memo2->hwnd());
  }
}

HBRUSH ListingView::colourOf(HWND control, HDC dc, const WindowState& window) {
  if (control != Edit6->hwnd()) return nullptr;
  return brushes_.paint(dc, window.colours.shown[1]);
}

}  // namespace kalmar::win32
