// The format settings the engine reads and writes value texts with.
#pragma once

#include "formatting/format_settings.h"

namespace orvex::engine {

// A copy of the system's settings, made on first use, with fixed separators
// and patterns so that value texts read the same under every locale:
// decimal separator ".", date separator "-", time separator ":", short date
// pattern "yyyy-mm-dd", long time pattern "hh:nn:ss".
const formatting::TFormatSettings& EngineFormatSettings();

} // namespace orvex::engine
