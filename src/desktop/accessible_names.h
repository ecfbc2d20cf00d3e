#pragma once

#include <string>
#include <string_view>

#include "model/window_state.h"

namespace kalmar::desktop {

// What a screen reader reads for a control that shows no name of its own,
// by its component name: the data and ID cells, the source boxes, the
// scrolled columns, the progress bar, the BG list and its arrow. Empty for
// a control whose caption or text serves.
std::string accessibleName(std::string_view component);

// The field panel's boxes and lists, named by what the selected chip has
// there: "ConfigWord1", "ConfigWord2", "CalibrationWord", "ConfigField1"..
// (the fields in their table's order). Empty for any other component or a
// field the chip has not.
std::string fieldPanelName(const FieldPanelState& panel, std::string_view component);

// A picture button: what it does, and in which group, as two groups have
// a button that does the same ("Сохранить").
std::string pictureButtonName(std::string_view hint, std::string_view groupCaption);

}  // namespace kalmar::desktop
