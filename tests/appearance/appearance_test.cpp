// The colour dialog, the About box and the help pages, headless.
#include <gtest/gtest.h>

#include <fstream>

#include "appearance/about_help.h"
#include "appearance/colour_commands.h"
#include "support/chip_rig.h"

namespace kalmar::testing {
namespace {

using Triple = ColourTriple;

TEST(ColourDialog, APreviewIsTakenBackByCancel) {
  ChipRig rig(sim::ChipKind::PIC16F628A);
  const Triple before = rig.form.window.colours.shown;
  N40Click(rig.form);
  EXPECT_EQ(rig.form.window.request, FrontEndRequest::Colours);
  EXPECT_TRUE(rig.form.window.GroupBox9Visible) << "the listing shows colour 2 beside it";
  EXPECT_EQ(rig.form.window.GroupBox9Width, 233);
  form2::ComboBox1Change(rig.form, 3);  // "Светлая 1"
  EXPECT_EQ(rig.form.window.colours.shown, (Triple{0x8BE6F5, 0xF5E08B, 0xEAE8EE}));
  EXPECT_EQ(rig.form.window.colourDialog.previews, rig.form.window.colours.shown);
  form2::SpeedButton18Click(rig.form);
  EXPECT_EQ(rig.form.window.colours.shown, before);
  EXPECT_FALSE(rig.form.window.GroupBox9Visible);
  EXPECT_EQ(rig.form.window.GroupBox9Width, 346);
  EXPECT_EQ(rig.form.window.GroupBox9Left, 231);
}

TEST(ColourDialog, CustomColoursAndThePageSwitch) {
  ChipRig rig(sim::ChipKind::PIC16F84A);
  N40Click(rig.form);
  const Triple before = rig.form.window.colours.shown;
  form2::ComboBox1Change(rig.form, 6);  // "Произвольная": the second page, no colour
  EXPECT_EQ(rig.form.window.colourDialog.PageIndex, 1);
  EXPECT_EQ(rig.form.window.colours.shown, before);
  EXPECT_EQ(rig.form.window.colours.presetIndex, 0);
  EXPECT_EQ(rig.form.window.colourDialog.ComboBox1ItemIndex, 0) << "its entry selected again";

  rig.host.queueColour(std::nullopt);  // a cancelled picker changes nothing
  form2::colourButtonClick(rig.form, 1);
  EXPECT_EQ(rig.form.window.colours.presetIndex, 0);
  rig.host.queueColour(0x123456);
  form2::colourButtonClick(rig.form, 1);
  EXPECT_EQ(rig.form.window.colours.shown[1], 0x123456u);
  EXPECT_EQ(rig.form.window.colours.presetIndex, ColourDialogState::kCustomMarker);
  form2::PageControl1Change(rig.form, 0);
  EXPECT_EQ(rig.form.window.colourDialog.ComboBox1ItemIndex, 6);

  form2::SpeedButton17Click(rig.form);  // "Сохранить"
  EXPECT_EQ(rig.form.window.colours.saved[1], 0x123456u);
  EXPECT_EQ(rig.form.window.colours.ComboBox1Tag, 6);
}

TEST(AboutAndHelp, AboutTakesTheSavedColours) {
  ChipRig rig(sim::ChipKind::PIC16F84A);
  N40Click(rig.form);
  form2::ComboBox1Change(rig.form, 3);
  form2::SpeedButton17Click(rig.form);
  N29Click(rig.form);
  EXPECT_EQ(rig.form.window.request, FrontEndRequest::About);
  EXPECT_EQ(rig.form.window.about.titleColour, 0x8BE6F5u);
  EXPECT_EQ(rig.form.window.about.linkColour, 0xF5E08Bu);
  EXPECT_EQ(rig.form.window.about.textColour, 0xEAE8EEu);
}

// The rig's system is Linux: names are joined with "/" whatever runs the test.
TEST(AboutAndHelp, PagesComeFromTheStartDirectoryThenTheInstalledCopy) {
  ChipRig rig(sim::ChipKind::PIC16F84A);
  rig.host.expectMessage(MessageResult::Ok);
  N26Click(rig.form);
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].caption, "Ошибка при откпытии файла помощи.");
  EXPECT_EQ(rig.host.messages[0].text, "Файл " + rig.directory.string() + "/Help.htm не найден.");

  const auto installed = rig.directory / "share";
  std::filesystem::create_directories(installed);
  std::ofstream(installed / "Shema.htm") << "<html></html>";
  rig.form.settings.installedDataDirectory = installed.string();
  N27Click(rig.form);
  ASSERT_EQ(rig.host.shellOpened.size(), 1u);
  EXPECT_EQ(rig.host.shellOpened[0], installed.string() + "/Shema.htm");

  std::ofstream(rig.directory / "Shema.htm") << "<html></html>";
  N27Click(rig.form);
  EXPECT_EQ(rig.host.shellOpened.back(), rig.directory.string() + "/Shema.htm");
}

}  // namespace
}  // namespace kalmar::testing
