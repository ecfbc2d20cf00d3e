// The speed buttons' pictures and the program icon both window front ends
// take from the desktop layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "desktop/pictures.h"
#include "routes/routes.h"

namespace kalmar::desktop {
namespace {

// A drawn picture of that size: something opaque on a transparent ground.
void expectDrawn(const Picture& picture, int size, const std::string& what) {
  SCOPED_TRACE(what + " at " + std::to_string(size));
  ASSERT_EQ(picture.width, size);
  ASSERT_EQ(picture.height, size);
  ASSERT_EQ(picture.pixels.size(), static_cast<std::size_t>(size * size));
  const auto alpha = [](std::uint32_t pixel) { return pixel >> 24; };
  EXPECT_TRUE(std::ranges::any_of(picture.pixels, [&](auto p) { return alpha(p) == 255; }));
  EXPECT_TRUE(std::ranges::any_of(picture.pixels, [&](auto p) { return alpha(p) == 0; }));
}

// Every speed button of the route table, the data editor's three and the BG
// list's arrow has a picture of its own; only the two save buttons share one.
TEST(Pictures, EverySpeedButtonHasItsOwnPicture) {
  std::vector<std::string> names = {"SpeedButton1", "SpeedButton2", "SpeedButton3",
                                    "SpeedButton14"};
  for (const RouteNode& button : speedButtons()) names.emplace_back(button.name);
  std::map<std::vector<std::uint32_t>, std::string> seen;
  for (const std::string& name : names) {
    for (int size : {16, 32}) expectDrawn(speedButtonPicture(name, size), size, name);
    const auto [other, fresh] = seen.emplace(speedButtonPicture(name, 32).pixels, name);
    if (!fresh) {
      const std::set<std::string> pair = {name, other->second};
      EXPECT_EQ(pair, (std::set<std::string>{"SpeedButton1", "SpeedButton5"}))
          << name << " looks like " << other->second;
    }
  }
  for (int size : {16, 32, 48}) expectDrawn(programPicture(size), size, "the program icon");
}

TEST(Pictures, NothingForAnUnknownNameOrSize) {
  EXPECT_TRUE(speedButtonPicture("SpeedButton15", 16).empty());
  EXPECT_TRUE(speedButtonPicture("", 16).empty());
  EXPECT_TRUE(speedButtonPicture("SpeedButton7", 0).empty());
  EXPECT_TRUE(programPicture(-16).empty());
  EXPECT_TRUE(programPicture(100000).empty());
}

// A disabled button's picture keeps its shape, in grey and faint.
TEST(Pictures, AFadedPictureIsGreyAndFaintInTheSameShape) {
  const Picture picture = speedButtonPicture("SpeedButton12", 16);
  const Picture faded = fadedPicture(picture);
  ASSERT_EQ(faded.pixels.size(), picture.pixels.size());
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const std::uint32_t p = faded.pixels[i];
    EXPECT_EQ((p >> 16) & 0xFF, p & 0xFF);
    EXPECT_EQ((p >> 8) & 0xFF, p & 0xFF);
    EXPECT_EQ(p >> 24, (picture.pixels[i] >> 24) / 3);
  }
}

}  // namespace
}  // namespace kalmar::desktop
