#include "win32/program_view.h"

#include "memory/config_word.h"
#include "model/hex_text.h"
#include "routes/routes.h"

namespace kalmar::win32 {

ProgramView::ProgramView(HWND area, WindowLink& link) : controls_(link.controls()) {
  GroupBox2 = controls_.makePanel("GroupBox2", " Память программ ", true, area, {});
  Edit4 = std::make_unique<SourceBox>(controls_, "Edit4", GroupBox2);
  Edit4->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit4); }); };

  ScrollBox1 = std::make_unique<ColumnView>(controls_, "ScrollBox1", GroupBox2, desktop::Rect{},
                                            true);
  std::string addresses;
  for (int line = 0; line < kProgramRows; ++line) addresses += hex4(line * 8) + ":\r\n";
  ScrollBox1->setText(ScrollBox1->addColumn(44), addresses);  // Memo1
  for (int c = 0; c < 8; ++c) ScrollBox1->addColumn(41);      // Memo4..Memo11
  ScrollBox1->onClick = [&link] { link.input(Memo1Click); };
}

void ProgramView::place(const desktop::Geometry& geometry) {
  controls_.place(GroupBox2, geometry.GroupBox2);
  controls_.place(ScrollBox1->hwnd(), desktop::programColumnsRect(geometry));
}

void ProgramView::show(const WindowState& window) {
  Edit4->show(window.Edit4, 0);
  ScrollBox1->setTextColour(0, window.colours.shown[2]);
  ScrollBox1->setRowsShown(window.programRowsShown);
  for (std::size_t c = 0; c < window.programColumns.size(); ++c) {
    const int column = static_cast<int>(c) + 1;
    ScrollBox1->setText(column, window.programColumns[c]);
    ScrollBox1->setTextColour(column, window.colours.shown[0]);
  }
  setGroupEnabled(GroupBox2, window.GroupBox2Enabled, {Edit4->hwnd(), ScrollBox1->hwnd()});
}

HBRUSH ProgramView::colourOf(HWND control, HDC dc, const WindowState& window) {
  if (control != Edit4->hwnd()) return nullptr;
  return brushes_.paint(dc, window.colours.shown[0]);
}

}  // namespace kalmar::win32
