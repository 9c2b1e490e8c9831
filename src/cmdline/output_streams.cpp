#include "cmdline/output_streams.h"

#include <string>

namespace orvex::cmdline {

void WriteDashLine(std::ostream& out, int count, bool extraBlankLine) {
    if (count > 0)
        out << std::string(static_cast<std::size_t>(count), '-');
    if (extraBlankLine)
        out << '\n';
    out << '\n';
}

} // namespace orvex::cmdline
