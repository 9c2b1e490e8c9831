#include "docgen/option_forms.h"
#include "cmdline/output_streams.h"

#include "cmdline/cmdline_context.h"
#include "cmdline/declaration_table.h"
#include "cmdline/param_names.h"
#include "formatting/text.h"
#include "frontend/options.h"
#include "frontend/run_settings.h"
#include "platform/platform.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace orvex::docgen {
namespace {

std::string LowerCase(std::string text) {
    return formatting::LowerCaseAscii(text);
}

} // namespace

std::vector<std::string> OptionForms() {
    // Declaring the options against an empty command line leaves their
    // names in the framework's list of known names.
    platform::TNullConsole console;
    orvex::cmdline::TStringSink ignored;
    cmdline::TCmdLineContext context({}, ignored, ignored, console);
    frontend::TRunSettings settings;
    frontend::DeclareOptions(context, settings);

    std::string forms;
    cmdline::ExpandParamForms(context, forms, cmdline::ResolvedKnownParamNames(context), 0);
    std::vector<std::string> result;
    std::istringstream words(forms);
    for (std::string form; words >> form;)
        result.push_back(LowerCase(form));
    return result;
}

} // namespace orvex::docgen
