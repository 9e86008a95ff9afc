// The graph's time window on the current entry: every change goes through these setters, which
// keep the window inside the recorded flight.
#pragma once

#include "core/app_state.h"

namespace orvale {

class Prompts;

void SetGraphStart(AppState& state, Prompts& prompts, bool showErrors, double start);
void SetGraphLength(AppState& state, Prompts& prompts, bool showErrors, double length);

}  // namespace orvale
