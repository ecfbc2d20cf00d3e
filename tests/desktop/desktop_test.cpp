// What both window front ends share: their options, how commands run and
// the close waits for them, and the arrangement's arithmetic.
#include <gtest/gtest.h>

#include "desktop/accessible_names.h"
#include "desktop/command_runner.h"
#include "desktop/layout.h"
#include "desktop/options.h"
#include "desktop/window_start.h"
#include "support/chip_rig.h"

namespace kalmar::desktop {
namespace {

TEST(DesktopOptions, NameThePortAsTheCommandLineDoes) {
  auto options = parseDesktopOptions({"--port", "LPT2"});
  EXPECT_EQ(options.port.value_or(""), "lpt2");
  options = parseDesktopOptions({"--port=sim:My.chip", "--virtual-time"});
  EXPECT_TRUE(options.error.empty() && options.virtualTime);
  EXPECT_EQ(options.port.value_or(""), "sim:My.chip");
  EXPECT_FALSE(parseDesktopOptions({"--virtual-time"}).error.empty());
  EXPECT_FALSE(parseDesktopOptions({"--port", "com1"}).error.empty());
  EXPECT_FALSE(parseDesktopOptions({"--port"}).error.empty());
  EXPECT_FALSE(parseDesktopOptions({"--version", "--port", "lpt1"}).error.empty());
}

// An adapter's pin map goes with its port: FT232R pins by name or bit, GPIO
// lines by number; a map without an adapter, or naming a pin twice or one
// the device lacks, is refused.
TEST(DesktopOptions, PinsFollowTheAdapterPort) {
  auto options = parseDesktopOptions({"--port", "FTDI:A1b2", "--pins", "dtr,DSR#,7,6,txd"});
  ASSERT_TRUE(options.error.empty()) << options.error;
  EXPECT_EQ(options.port.value_or(""), "ftdi:A1b2");
  EXPECT_EQ(adapterPinsText(*options.pins), "4,5,7,6,0");
  options = parseDesktopOptions({"--pins=5,6,13,19,26", "--port=gpio:/dev/gpiochip4"});
  ASSERT_TRUE(options.pins.has_value()) << options.error;
  EXPECT_EQ(options.pins->levelsFor(0x0C), (std::uint64_t{1} << 13) | (std::uint64_t{1} << 19));
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--pins", "0,1,2,4,3"},
           {"--port", "ftdi", "--pins", "0,1,2,4,8"},
           {"--port", "ftdi", "--pins", "0,1,2,4,4"},
           {"--port", "gpio", "--pins", "TXD,1,2,4,3"},
           {"--port", "gpio", "--pins", "1,2,3,4"}})
    EXPECT_FALSE(parseDesktopOptions(args).error.empty()) << args.back();
}

// The caption names the adapter device the command line chose; the port
// line of Kalmar.cfg is not about it.
TEST(DesktopOptions, TheCaptionNamesTheAdapter) {
  const DesktopOptions options = parseDesktopOptions({"--port", "ftdi:A700"});
  std::string error;
  const auto stack = PortStack::build(portChoice(options), error);
  ASSERT_TRUE(stack) << error;
  EXPECT_EQ(captionSuffix(*stack, options), "   // адаптер: FT232R A700");
}

// A close box pressed while a command runs closes the window only after
// the command; a second command cannot start inside the first.
TEST(CommandRunner, TheCloseWaitsForTheCommandAndCommandsNeverNest) {
  testing::ChipRig rig(sim::ChipKind::PIC16F628A);
  CommandRunner runner(rig.form);
  int closes = 0, savedChips = 0, inner = 0;
  runner.closeWindow = [&] {
    ++closes;
    runner.requestClose();
  };
  runner.onClosed = [&] { ++savedChips; };
  runner.run([&](TForm1&) {
    EXPECT_FALSE(runner.requestClose());
    runner.run([&](TForm1&) { ++inner; });
    EXPECT_EQ(savedChips, 0);
  });
  EXPECT_EQ(inner, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(savedChips, 1);
  EXPECT_TRUE(runner.closed());
  runner.run([&](TForm1&) { ++inner; });  // nothing runs after the close
  EXPECT_EQ(inner, 0);
}

TEST(CommandRunner, DialogsAskedForByACommandOpenAfterIt) {
  testing::ChipRig rig(sim::ChipKind::PIC16F628A);
  CommandRunner runner(rig.form);
  std::vector<FrontEndRequest> opened;
  runner.openDialog = [&](FrontEndRequest request) { opened.push_back(request); };
  runner.run([](TForm1& form) { form.window.request = FrontEndRequest::About; });
  EXPECT_EQ(opened, std::vector<FrontEndRequest>{FrontEndRequest::About});
  EXPECT_EQ(rig.form.window.request, FrontEndRequest::None);
}

// Narrowed beside the colour dialog, the listing keeps its right edge.
TEST(Layout, TheNarrowedListingKeepsItsRightEdge) {
  const Geometry& g = geometryFor(16);
  const Rect full = listingGroupRect(g, WindowState::kListingWidth);
  EXPECT_EQ(full, g.GroupBox2);
  const Rect narrow = listingGroupRect(g, WindowState::kListingWidth / 2);
  EXPECT_EQ(narrow.right(), full.right());
  EXPECT_EQ(narrow.width, full.width / 2);
  EXPECT_EQ(geometryFor(32).clientHeight - geometryFor(16).clientHeight, 16 * kLineHeight);
}

// Both windows give a screen reader the same names; each cell's is its own.
TEST(AccessibleNames, CellsAreNamedByTheirAddress) {
  EXPECT_EQ(accessibleName("MaskEdit1"), "Память данных, адрес 00");
  EXPECT_EQ(accessibleName("MaskEdit256"), "Память данных, адрес FF");
  EXPECT_EQ(accessibleName("MaskEdit304"), "Идентификатор, слово 4 (адрес 2003)");
  EXPECT_EQ(accessibleName("MaskEdit257"), "");
  EXPECT_EQ(accessibleName("MaskEdit1x"), "");
  EXPECT_EQ(accessibleName("GroupBox2"), "");
  EXPECT_EQ(pictureButtonName("Сохранить", " Листинг "), "Сохранить (Листинг)");
  EXPECT_EQ(pictureButtonName("Сохранить", ""), "Сохранить");
}

}  // namespace
}  // namespace kalmar::desktop
