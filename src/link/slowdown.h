#pragma once

#include "link/timing.h"
#include "model/window_state.h"

namespace kalmar {

// The six items of "Замедлить работу": each sets the slow-down factor and
// moves the "^ " mark to its own caption.
void N201Click(SlowdownMenuState& menu, TimingState& timing);   // 1.2
void N501Click(SlowdownMenuState& menu, TimingState& timing);   // 1.5
void N1001Click(SlowdownMenuState& menu, TimingState& timing);  // 2.0
void N2001Click(SlowdownMenuState& menu, TimingState& timing);  // 3.0
void N5001Click(SlowdownMenuState& menu, TimingState& timing);  // 5.0
void N42Click(SlowdownMenuState& menu, TimingState& timing);    // 1.0

// Selects the item whose factor is the given one; false when no item has it.
bool selectSlowdownFactor(SlowdownMenuState& menu, TimingState& timing, double factor);

}  // namespace kalmar
