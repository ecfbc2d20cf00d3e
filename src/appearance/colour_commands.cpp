#include "appearance/colour_commands.h"

namespace kalmar {

namespace {

constexpr int kCustomPage = 6;  // "Произвольная" in the list

}  // namespace

void F_Clr_CB1(TForm1& form, const ColourTriple& colours) {
  form.window.colourDialog.previews = colours;
  form.window.colours.current = colours;
  F_Clr(form, colours);
}

void N40Click(TForm1& form) {
  WindowState& w = form.window;
  w.colours.current = w.colours.shown;  // what the window shows, preview included
  w.GroupBox9Visible = true;
  form.host.pump();
  w.GroupBox9Width = 233;
  w.GroupBox9Left = 343;
  w.colourDialog.ComboBox1ItemIndex = w.colours.ComboBox1Tag;
  w.colourDialog.previews = w.colours.current;
  w.colourDialog.PageIndex = 0;
  w.colourDialog.Visible = true;
  form2::FormShow(form);
  w.request = FrontEndRequest::Colours;
}

namespace form2 {

void FormShow(TForm1& form) {
  form.window.colours.presetIndex = form.window.colours.ComboBox1Tag;
}

void ComboBox1Change(TForm1& form, int index) {
  if (index < 0 || index > kCustomPage) return;
  ColourDialogState& dialog = form.window.colourDialog;
  dialog.ComboBox1ItemIndex = index;
  if (index == kCustomPage) {
    dialog.PageIndex = 1;
    PageControl1Change(form, 1);
    return;
  }
  F_Clr_CB1(form, colourScheme(index));
  form.window.colours.presetIndex = index;
}

void colourButtonClick(TForm1& form, int role) {
  if (role < 0 || role > 2) return;
  ColourState& c = form.window.colours;
  const auto slot = static_cast<std::size_t>(role);
  const std::optional<std::uint32_t> picked = form.host.pickColour(c.current[slot]);
  if (!picked) return;
  c.current[slot] = *picked;
  form.window.colourDialog.previews[slot] = *picked;
  F_Clr(form, c.current);
  c.presetIndex = ColourDialogState::kCustomMarker;
}

void PageControl1Change(TForm1& form, int page) {
  ColourDialogState& dialog = form.window.colourDialog;
  const int preset = form.window.colours.presetIndex;
  dialog.PageIndex = page;
  const bool custom = preset == ColourDialogState::kCustomMarker;
  if (page == 0 && custom)
    dialog.ComboBox1ItemIndex = kCustomPage;
  else
    dialog.ComboBox1ItemIndex = custom ? -1 : preset;
}

void SpeedButton17Click(TForm1& form) {
  ColourState& c = form.window.colours;
  c.saved = c.current;
  c.ComboBox1Tag = form.window.colourDialog.ComboBox1ItemIndex;
  FormClose(form);
}

void SpeedButton18Click(TForm1& form) {
  F_Clr(form, form.window.colours.saved);
  FormClose(form);
}

// Closing always hides the listing view, even one that was open before.
void FormClose(TForm1& form) {
  WindowState& w = form.window;
  w.GroupBox9Visible = false;
  w.GroupBox9Width = WindowState::kListingWidth;
  w.GroupBox9Left = WindowState::kListingLeft;
  w.colourDialog.Visible = false;
}

}  // namespace form2

}  // namespace kalmar
