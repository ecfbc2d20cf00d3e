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

Rect listingGroupRect(const Geometry& g, int modelWidth) {
  Rect box = g.GroupBox2;
  if (modelWidth < WindowState::kListingWidth) {
    const int width = g.GroupBox2.width * modelWidth / WindowState::kListingWidth;
    box.left = g.GroupBox2.right() - width;
    box.width = width;
  }
  return box;
}

Rect waitPanelRect(int modelLeft, int modelTop, int modelWidth) {
  return {modelLeft + (kClientWidth - modelWidth) / 2, modelTop, WindowState::kPanel2Width,
          WindowState::kPanel2Height};
}

}  // namespace kalmar::desktop
