// The main window's routes: which command each reaches and when it is enabled.
#include "routes/routes.h"

#include <gtest/gtest.h>

#include <set>

#include "device/catalogue.h"
#include "memory/config_word.h"
#include "support/chip_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;

bool enabled(ChipRig& rig, const char* name) {
  const RouteNode* node = findRoute(name);
  EXPECT_NE(node, nullptr) << name;
  return node != nullptr && routeEnabled(*node, rig.form.window);
}

void click(ChipRig& rig, const char* name) {
  const RouteNode* node = findRoute(name);
  ASSERT_NE(node, nullptr) << name;
  node->handler(rig.form);
}

std::set<std::string> enabledItems(ChipRig& rig, const char* menu) {
  std::set<std::string> names;
  for (const RouteNode& item : findRoute(menu)->children)
    if (routeEnabled(item, rig.form.window)) names.insert(item.name);
  return names;
}

TEST(Routes, EveryRouteHasOneNameAndAHandler) {
  std::set<std::string> names;
  auto visit = [&](const std::vector<RouteNode>& nodes, auto& self) -> void {
    for (const RouteNode& node : nodes) {
      EXPECT_TRUE(names.insert(node.name).second) << node.name;
      if (node.children.empty()) {
        EXPECT_NE(node.handler, nullptr) << node.name;
      }
      self(node.children, self);
    }
  };
  visit(mainMenu(), visit);
  for (const PopupMenu& popup : popupMenus()) visit(popup.items, visit);
  visit(speedButtons(), visit);
  EXPECT_EQ(mainMenu().size(), 7u);
  EXPECT_EQ(popupMenus().size(), 4u);
  EXPECT_EQ(speedButtons().size(), 10u);
}

// The first chips' items stand in "Микроконтроллер" itself, in the
// catalogue's order; every later chip in its family's submenu after them.
TEST(Routes, LaterChipsStandInTheirFamilysSubmenus) {
  const RouteNode* menu = findRoute("ChipMenu");
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> top, grouped;
  for (const RouteNode& item : menu->children) {
    if (item.children.empty()) {
      EXPECT_TRUE(grouped.empty()) << item.name << " after a submenu";
      top.push_back(item.name);
    }
    for (const RouteNode& member : item.children) grouped.push_back(member.name);
  }
  ASSERT_EQ(top.size(), 12u);
  for (std::size_t row = 0; row < catalogue().size(); ++row) {
    const std::string component = catalogue()[row].menuComponent;
    const bool first = row < top.size();
    EXPECT_EQ(first ? top[row] : grouped[row - top.size()], component);
  }
  EXPECT_EQ(top.size() + grouped.size(), catalogue().size());

  ChipRig rig(ChipKind::PIC16F84);
  click(rig, "PIC16F881");
  EXPECT_EQ(rig.form.chip.profile.name, "PIC16F88");
  EXPECT_EQ(routeCaption(*findRoute("PIC16F881"), rig.form.window), "PIC16F88 ^");
  EXPECT_EQ(routeCaption(*findRoute("PIC16F841"), rig.form.window), "PIC16F84");
}

TEST(Routes, StartUpOffersOnlyWhatHasASource) {
  ChipRig rig(ChipKind::PIC16F84);
  EXPECT_EQ(enabledItems(rig, "N9"), (std::set<std::string>{"N16", "N17", "N18"}));
  EXPECT_EQ(enabledItems(rig, "N30"), (std::set<std::string>{"N32", "N33"}));
  EXPECT_EQ(enabledItems(rig, "N2"), (std::set<std::string>{"N4"}));
  for (const char* name : {"SpeedButton4", "SpeedButton12", "SpeedButton13", "N37", "N38"})
    EXPECT_FALSE(enabled(rig, name)) << name;
  EXPECT_EQ(routeCaption(*findRoute("PIC16F841"), rig.form.window), "PIC16F84 ^");

  ChipRig small(ChipKind::PIC12F629);
  EXPECT_EQ(enabledItems(small, "N9"), (std::set<std::string>{"N16", "N18"}));
  EXPECT_FALSE(enabled(small, "N19"));
}

TEST(Routes, LoadAndReadPointTheWriteAtOneSource) {
  ChipRig rig(ChipKind::PIC16F628A);
  rig.loadProgram(ChipRig::pattern(2048, 1, 0x3F30));
  EXPECT_TRUE(enabled(rig, "N15"));
  EXPECT_FALSE(enabled(rig, "PIC2"));
  click(rig, "N10");  // "Прочитать" -> "Память программ"
  EXPECT_FALSE(enabled(rig, "N15"));
  EXPECT_FALSE(enabled(rig, "SpeedButton12"));
  EXPECT_TRUE(enabled(rig, "PIC2"));
  EXPECT_TRUE(enabled(rig, "SpeedButton4"));
  rig.loadProgram(ChipRig::pattern(2048, 2, 0x3F30));
  EXPECT_TRUE(enabled(rig, "N15"));
  EXPECT_TRUE(enabled(rig, "N38"));
  EXPECT_FALSE(enabled(rig, "PIC2"));
}

TEST(Routes, ListingViewLocksOpenUntilClosed) {
  ChipRig rig(ChipKind::PIC16F84A);
  click(rig, "N36");
  click(rig, "SpeedButton4");
  EXPECT_TRUE(rig.form.window.GroupBox9Visible);
  EXPECT_FALSE(enabled(rig, "N4"));
  EXPECT_TRUE(enabled(rig, "N28"));
  click(rig, "SpeedButton6");
  EXPECT_FALSE(rig.form.window.GroupBox9Visible);
  EXPECT_TRUE(enabled(rig, "N4"));
  EXPECT_FALSE(enabled(rig, "N28"));
}

TEST(Routes, OpeningAMenuClosesTheBgChooserAndKeepsItsChoice) {
  ChipRig rig(ChipKind::PIC12F675);
  ListBox1Click(rig.form, 2);
  SpeedButton14Click(rig.form);
  ASSERT_TRUE(rig.form.window.bg.open());
  findRoute("N30")->handler(rig.form);
  EXPECT_FALSE(rig.form.window.bg.open());
  EXPECT_EQ(rig.form.window.bg.ListBox1ItemIndex, 2);

  Memo1Click(rig.form);
  EXPECT_EQ(rig.form.window.ActiveControl, "GroupBox2");
  Memo13Click(rig.form);
  EXPECT_EQ(rig.form.window.ActiveControl, "GroupBox4");
  click(rig, "N3");
  EXPECT_EQ(rig.form.window.request, FrontEndRequest::Close);
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// "Программировать всё из файла": enabled with a loaded file, the whole chip
// at its own pace, the window's texts, the simulated chip without complaint.
TEST(ProgramAllFromFile, ProgramsTheWholeChipFromTheLoadedFile) {
  ChipRig rig(sim::ChipKind::PIC16F628A);
  EXPECT_FALSE(routeEnabled(*findRoute("N43"), rig.form.window));
  Buffer image = ChipRig::pattern(2048, 3, 0x3F30);
  for (std::size_t i = 0; i < 2048; i += 3) image.program[i] = kBlankWord;
  image.data[5] = 0x42;
  image.ids = {1, 2, 3, 4};
  rig.loadProgram(image);
  EXPECT_TRUE(routeEnabled(*findRoute("N44"), rig.form.window));
  findRoute("N43")->handler(rig.form);
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненное действие: микроконтроллер запрограммирован, всё проверено.");
  EXPECT_TRUE(rig.host.messages.empty()) << rig.host.messages.at(0).text;
  EXPECT_TRUE(
      std::equal(rig.sim.chip.program.begin(), rig.sim.chip.program.end(), image.program.begin()));
  EXPECT_EQ(rig.sim.chip.data[5], 0x42);
  EXPECT_EQ(rig.sim.chip.ids, (std::array<std::uint16_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(rig.violations(), 0u) << rig.events();
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// The window asks which chip is in the socket before it writes or erases.
TEST(SocketCheck, AnotherChipIsNamedAndAnEmptySocketRefused) {
  FormRig other(sim::ChipKind::PIC12F675);  // in the socket; PIC16F84 selected
  other.start();
  const std::uint16_t calibration = other.sim.chip.program.back();
  other.host.expectMessage(MessageResult::Cancel);
  findRoute("N33")->handler(other.form);
  ASSERT_EQ(other.host.messages.size(), 1u);
  EXPECT_EQ(other.host.messages[0].caption, "Предупреждение.");
  EXPECT_NE(other.host.messages[0].text.find("PIC12F675"), std::string::npos);
  EXPECT_NE(other.host.messages[0].text.find("PIC16F84"), std::string::npos);
  EXPECT_EQ(other.sim.chip.program.back(), calibration) << "nothing erased";

  // Every route that writes or erases asks first.
  for (const char* name : {"N15", "PIC2", "N16", "N17", "N18", "N43", "N33", "N37", "N44", "N35",
                           "N21", "N19", "SpeedButton12", "SpeedButton9"}) {
    ChipRig empty(sim::ChipKind::PIC16F628A);
    empty.sim.adapter.faults.noChip = true;
    empty.host.expectMessage(MessageResult::Ok);
    findRoute(name)->handler(empty.form);
    ASSERT_EQ(empty.host.messages.size(), 1u) << name;
    EXPECT_NE(empty.host.messages[0].text.find("не отвечает"), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace kalmar::testing
