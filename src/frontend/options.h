// The calculator's options, declared to the command-line framework.
#pragma once

#include "cmdline/cmdline_context.h"
#include "frontend/run_settings.h"

namespace orvex::frontend {

// Declares the 21 options in their fixed order; each declaration claims its
// arguments at once. Stores every record in settings.Options, the values in
// settings.Values and two found flags in the framework's error-delay and
// audible-error settings.
void DeclareOptions(cmdline::TCmdLineContext& context, TRunSettings& settings);

} // namespace orvex::frontend
