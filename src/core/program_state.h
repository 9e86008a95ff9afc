// Start-up of the program state: every default, before any file is read.
#pragma once

#include <ctime>
#include <string>

#include "core/app_state.h"
#include "core/version.h"

namespace orvale {

inline const char kCompanyName[] = "Vantrel";
inline const char kProductName[] = "Orvale";

// The defaults alone, without touching any file.
void SetProgramDefaults(AppState& state, std::time_t now);

}  // namespace orvale
