#include "cmdline/unclaimed_params.h"

#include "cmdline/text_helpers.h"
#include "formatting/text.h"

#include <utility>

namespace orvex::cmdline {

void GetUnclaimedParams(std::string& text, const TParamStatusArray& table, int first, int last) {
    const int lastIndex = static_cast<int>(table.size()) - 1;
    if (last < 0 || last > lastIndex)
        last = lastIndex;
    if (first < 0)
        first = 0;
    std::string joined;
    for (int i = first; i <= last; ++i) {
        const TParamStatusRec& argument = table[static_cast<std::size_t>(i)];
        if (argument.Status == psUnclaimed || argument.Status == psError) {
            joined += ' ';
            joined += argument.Text;
        }
    }
    formatting::TrimControlInPlace(joined);
    text = std::move(joined);
}

} // namespace orvex::cmdline
