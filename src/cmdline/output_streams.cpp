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

namespace {

// The length of the well-formed UTF-8 sequence text starts with (2 to 4),
// or 0 when it starts with none.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 0;
    const auto second = static_cast<unsigned char>(text[1]);
    // Overlong forms, UTF-16 surrogates and code points past U+10FFFF.
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90))
        return 0;
    return length;
}

// One byte as cat -v shows it: "^[" for ESC, "^?" for DEL, "M-" before a
// byte with the high bit set.
void AppendVisible(std::string& shown, unsigned char byte) {
    if (byte >= 0x80) {
        shown += "M-";
        byte &= 0x7F;
    }
    if (byte < 0x20 || byte == 0x7F) {
        shown += '^';
        byte ^= 0x40;
    }
    shown += static_cast<char>(byte);
}

} // namespace

std::string Printable(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
                AppendVisible(shown, byte);
            else
                shown += static_cast<char>(byte);
            ++at;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(text.substr(at));
        // U+0080 to U+009F are the C1 controls, which some terminals obey.
        if (length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0) {
            AppendVisible(shown, static_cast<unsigned char>(text[at + 1]));
            at += 2;
        } else if (length > 0) {
            shown.append(text.substr(at, length));
            at += length;
        } else {
            AppendVisible(shown, byte);
            ++at;
        }
    }
    return shown;
}

} // namespace orvex::cmdline
