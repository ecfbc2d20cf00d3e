#include "desktop/editor_buttons.h"

#include "memory/data_editor.h"

namespace kalmar::desktop {

const std::array<EditorButton, 3>& editorButtons() {
  static const std::array<EditorButton, 3> kButtons{{{"SpeedButton2", "Отменить", SpeedButton2Click},
                                                     {"SpeedButton1", "Сохранить", SpeedButton1Click},
                                                     {"SpeedButton3", "Очистить все", SpeedButton3Click}}};
  return kButtons;
}

}  // namespace kalmar::desktop
