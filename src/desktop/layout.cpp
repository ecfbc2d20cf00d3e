#include "desktop/layout.h"

#include "model/window_state.h"

namespace kalmar::desktop {

const Geometry& geometryFor(int dataRows) {
  static const Geometry kFamily84{{7, 4, 236, 84},   {7, 92, 236, 44},   {7, 140, 236, 145},
                                  {7, 133, 236, 44}, {249, 4, 404, 281}, 240,
                                  227,               291,                299,
                                  320};
  static const Geometry kOthers{{7, 4, 236, 172},   {249, 4, 404, 52},   {7, 180, 236, 249},
                                {7, 173, 236, 44},  {249, 60, 404, 369}, 326,
                                313,                435,                 443,
                                463};
  constexpr int kMore = 16 * kLineHeight;  // 16 more data rows
  static const Geometry kLarge{{7, 4, 236, 172},
                               {249, 4, 404, 52},
                               {7, 180, 236, 249 + kMore},
                               {7, 173, 236, 44},
                               {249, 60, 404, 369 + kMore},
                               326 + kMore,
                               313 + kMore,
                               435 + kMore,
                               443 + kMore,
                               463 + kMore};
  if (dataRows <= 8) return kFamily84;
  return dataRows <= 16 ? kOthers : kLarge;
}

const Geometry& geometryFor(int dataRows, bool fieldPanel) {
  if (!fieldPanel) return geometryFor(dataRows);
  constexpr int kPanel = kFieldPanelHeight;
  constexpr int kTop = 4 + kPanel + 4;  // the groups under the panel
  constexpr int kBottom = 435 + 6;      // the second panel's arrangement, a little taller
  constexpr int kProgramTop = kTop + 56;
  auto make = [&](int more) {
    return Geometry{{7, 4, kClientWidth - 14, kPanel},
                    {249, kTop, 404, 52},
                    {7, kTop, 236, kBottom - 6 - kTop + more},
                    {7, kTop - 7, 236, 44},
                    {249, kProgramTop, 404, kBottom - 6 - kProgramTop + more},
                    kBottom - 6 - kProgramTop - 43 + more,
                    kBottom - 6 - kProgramTop - 56 + more,
                    kBottom + more,
                    kBottom + 8 + more,
                    kBottom + 28 + more};
  };
  static const Geometry kFields = make(0);
  static const Geometry kFieldsLarge = make(16 * kLineHeight);
  return dataRows <= 16 ? kFields : kFieldsLarge;
}

Rect listingGroupRect(const Geometry& g, int modelWidth) {
  Rect box = g.GroupBox2;
  if (modelWidth < WindowState::kListingWidth) {
    const int width = g.GroupBox2.width * modelWidth / WindowState::kListingWidth;
    box.left = g.GroupBox2.right() - width;
    box.width = width;
  }
  return box;
}

const std::vector<SwitchPlace>& switchPlaces() {
  static const std::vector<SwitchPlace> kPlaces = [] {
    std::vector<SwitchPlace> places{
        {true, 1, "GroupBox6", {8, 12, 42, 17}},  {true, 2, "GroupBox6", {50, 12, 42, 17}},
        {true, 3, "GroupBox6", {8, 36, 42, 17}},  {true, 4, "GroupBox6", {50, 36, 42, 17}},
        {false, 1, "GroupBox5", {112, 20, 118, 17}}, {false, 2, "GroupBox5", {112, 39, 118, 17}},
        {false, 3, "GroupBox5", {112, 58, 118, 17}}};
    for (int i = 0; i < 4; ++i) {
      places.push_back({true, 5 + i, "GroupBox10", {6, 8 + i * 19, 46, 17}});
      places.push_back({true, 9 + i, "GroupBox10", {52, 8 + i * 19, 66, 17}});
    }
    for (int i = 0; i < 4; ++i) places.push_back({false, 4 + i, "GroupBox7", {140, 20 + i * 17, 92, 17}});
    places.push_back({false, 10, "GroupBox7", {140, 88, 92, 17}});
    places.push_back({false, 8, "CodeProtectionGroup", {4, 16, 126, 17}});
    places.push_back({false, 9, "CodeProtectionGroup", {4, 35, 126, 17}});
    return places;
  }();
  return kPlaces;
}

Rect waitPanelRect(int modelLeft, int modelTop, int modelWidth) {
  return {modelLeft + (kClientWidth - modelWidth) / 2, modelTop, WindowState::kPanel2Width,
          WindowState::kPanel2Height};
}

}  // namespace kalmar::desktop
