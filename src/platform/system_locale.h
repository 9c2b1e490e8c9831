// The two halves of the locale facts, read from the operating system by the
// platform file of each system; ReadLocaleFacts (locale_facts.cpp) reads
// those a run asks for. Private to the platform layer.
#pragma once

#include "platform/platform.h"

namespace orvex::platform {

// The decimal and thousands separators.
void ReadNumberFacts(TLocaleFacts& facts);
// Date and time formats and separators, AM/PM texts, month and day names.
void ReadDateFacts(TLocaleFacts& facts);

} // namespace orvex::platform
