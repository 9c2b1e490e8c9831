// What both platform files share of the locale facts: the parts a run asks
// for, and the rule that a locale's separator is one character of the
// program's text, whatever the locale writes.
#include "platform/platform.h"
#include "platform/system_locale.h"

namespace orvex::platform {

TLocaleFacts ReadLocaleFacts(TLocaleParts parts) {
    TLocaleFacts facts;
    if ((parts & lpNumbers) != 0)
        ReadNumberFacts(facts);
    if ((parts & lpDates) != 0)
        ReadDateFacts(facts);
    return facts;
}

char SeparatorFromCodePoint(char32_t codePoint) {
    if (codePoint > 0 && codePoint < 0x80)
        return static_cast<char>(codePoint);
    switch (codePoint) {
    case 0x00A0: // no-break space
    case 0x2007: // figure space
    case 0x2009: // thin space
    case 0x202F: // narrow no-break space
        return ' ';
    case 0x2019: // right single quotation mark
        return '\'';
    default:
        return '\0';
    }
}

} // namespace orvex::platform
