#include "cmdline/output_streams.h"

namespace orvex::cmdline {

void TTextSink::Flush() {
    if (buffer_.empty())
        return;
    if (failure_.empty())
        failure_ = Deliver(buffer_);
    buffer_.clear();
}

void WriteDashLine(TTextSink& out, int count, bool extraBlankLine) {
    if (count > 0)
        out << std::string(static_cast<std::size_t>(count), '-');
    if (extraBlankLine)
        out << '\n';
    out << '\n';
}

std::string Printable(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            shown += '^';
            shown += static_cast<char>(byte ^ 0x40);
        } else {
            shown += c;
        }
    }
    return shown;
}

} // namespace orvex::cmdline
