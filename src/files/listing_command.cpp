#include "files/listing_command.h"

#include "files/disassembler.h"
#include "memory/operation_frame.h"

namespace kalmar {

namespace {

void rebuildListing(TForm1& form) {
  WindowState& w = form.window;
  setProgress(form, 5);
  w.StatusBar1 = "Выполняемое действие: дизассемблирование.";
  w.StatusBar2.clear();
  form.host.pump();
  w.Memo14.clear();
  w.Memo15.assign(kMaxProgramWords, " ");
  w.Edit6.Text = w.Edit4.Text;
  w.GroupBox9Visible = true;

  const int words = form.chip.profile.programWords;
  std::vector<std::string> listing;
  listing.reserve(static_cast<std::size_t>(words));
  for (int n = 0; n < words; ++n) {
    DecodedWord decoded = decodeWord(form.buffer.disassembly[static_cast<std::size_t>(n)],
                                     form.chip.profile.registers);
    if (decoded.target) w.Memo15[*decoded.target] = labelFor(*decoded.target);
    listing.push_back(std::move(decoded.text));
    setProgress(form, roundHalfEven((n + 1) * 100.0 / words) + 5);
  }
  w.Memo14 = std::move(listing);
}

}  // namespace

void Button18Click(TForm1& form) {
  const std::int64_t start = form.platform.timeOfDayMs();
  BattonDisabl(form);
  form.window.routes.N4.Enabled = false;
  if (form.buffer.disassemblyNeeded)
    rebuildListing(form);
  else
    form.window.GroupBox9Visible = true;
  form.buffer.disassemblyNeeded = false;
  form.window.StatusBar1 = " Последнее выполненое действие: дизассемблирование.";
  form.window.ProgressBar1 = 106;
  BattonEnable(form);
  form.window.routes.SpeedButton5.Enabled = true;
  form.window.routes.N28.Enabled = true;
  form.window.StatusBar2 = elapsedSince(form, start);
}

void SpeedButton6Click(TForm1& form) {
  form.window.GroupBox9Visible = false;
  form.window.routes.N4.Enabled = true;
  form.window.routes.N28.Enabled = false;
  collapseFootnote(form);
}

void Memo2Click(TForm1& form) {
  form.window.Memo2Expanded = !form.window.Memo2Expanded;
}

void collapseFootnote(TForm1& form) {
  form.window.Memo2Expanded = false;
}

}  // namespace kalmar
