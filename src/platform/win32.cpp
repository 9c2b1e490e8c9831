// The Windows implementation of the platform interface.
#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

namespace orvex::platform {
namespace {

std::string Utf8FromWide(std::wstring_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

// Arguments and the command line arrive in the ANSI code page.
std::wstring WideFromAnsi(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

} // namespace

std::string ExecutablePath(std::string_view argument0) {
    // Paths may exceed MAX_PATH; a full buffer means the name was cut.
    constexpr DWORD longestPath = 32768;
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
            return std::string(argument0);
        if (length < size) {
            buffer.resize(length);
            return Utf8FromWide(buffer);
        }
        if (size >= longestPath)
            return std::string(argument0);
        buffer.resize(size * 2);
    }
}

std::string RawCommandLine(int, const char* const*) {
    return GetCommandLineA();
}

void PrepareStandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_TEXT);
    _setmode(_fileno(stderr), _O_TEXT);
}

namespace {

std::wstring LocaleText(LCTYPE item) {
    wchar_t buffer[256];
    const int length = GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, item, buffer, 256);
    // The length counts the terminating zero.
    return length > 1 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : std::wstring();
}

// A separator must be one character of the program's text. The blanks that
// some locales group digits with (no-break, narrow no-break, thin, figure
// space) become a plain blank and the right single quotation mark an
// apostrophe; any other character outside ASCII counts as none given.
char SeparatorCharacter(const std::wstring& text) {
    if (text.empty())
        return '\0';
    const wchar_t c = text[0];
    if (c > 0 && c < 0x80)
        return static_cast<char>(c);
    switch (c) {
    case 0x00A0:
    case 0x2007:
    case 0x2009:
    case 0x202F:
        return ' ';
    case 0x2019:
        return '\'';
    default:
        return '\0';
    }
}

// Appends a run of literal text in quotes, so that none of it is taken for a
// pattern letter.
void AppendLiteral(std::string& pattern, std::string_view literal) {
    if (literal.empty())
        return;
    const char quote = literal.find('"') == std::string_view::npos ? '"' : '\'';
    pattern += quote;
    pattern += literal;
    pattern += quote;
}

// A Windows date or time picture ("dd.MM.yyyy", "h:mm:ss tt",
// "yyyy'年'M'月'd'日'") in the date formatter's pattern letters: M is the
// month, m the minute (n), H and h the hour, t and tt the AM/PM marker
// (ampm); the era (g) is dropped; quoted text and other letters stay
// literal.
std::string PatternFromPicture(std::wstring_view picture) {
    std::string pattern;
    std::size_t at = 0;
    while (at < picture.size()) {
        const wchar_t c = picture[at];
        if (c == L'\'') {
            // Quoted text; two quotes stand for one.
            std::wstring literal;
            ++at;
            while (at < picture.size()) {
                if (picture[at] == L'\'') {
                    if (at + 1 < picture.size() && picture[at + 1] == L'\'') {
                        literal += L'\'';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                literal += picture[at++];
            }
            AppendLiteral(pattern, Utf8FromWide(literal));
            continue;
        }
        std::size_t count = 1;
        while (at + count < picture.size() && picture[at + count] == c)
            ++count;
        const std::size_t two = count >= 2 ? 2 : 1;
        switch (c) {
        case L'd':
            pattern.append(count > 4 ? 4 : count, 'd');
            break;
        case L'M':
            pattern.append(count > 4 ? 4 : count, 'm');
            break;
        case L'y':
            pattern += count <= 2 ? "yy" : "yyyy";
            break;
        case L'g':
            break;
        case L'h':
        case L'H':
            pattern.append(two, 'h');
            break;
        case L'm':
            pattern.append(two, 'n');
            break;
        case L's':
            pattern.append(two, 's');
            break;
        case L't':
            pattern += "ampm";
            break;
        default:
            if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'))
                AppendLiteral(pattern, Utf8FromWide(std::wstring(count, c)));
            else
                pattern += Utf8FromWide(std::wstring(count, c));
            break;
        }
        at += count;
    }
    return pattern;
}

// LOCALE_SABBREVDAYNAME1 and LOCALE_SDAYNAME1 are Monday.
LCTYPE DayItem(LCTYPE monday, int sundayFirstIndex) {
    return monday + static_cast<LCTYPE>((sundayFirstIndex + 6) % 7);
}

} // namespace

// The system's default locale, as a console program of this platform reads
// it; names are converted to UTF-8.
LocaleFacts ReadLocaleFacts() {
    LocaleFacts facts;
    facts.decimalSeparator = SeparatorCharacter(LocaleText(LOCALE_SDECIMAL));
    facts.thousandsSeparator = SeparatorCharacter(LocaleText(LOCALE_STHOUSAND));
    facts.dateSeparator = SeparatorCharacter(LocaleText(LOCALE_SDATE));
    facts.timeSeparator = SeparatorCharacter(LocaleText(LOCALE_STIME));
    facts.shortDateFormat = PatternFromPicture(LocaleText(LOCALE_SSHORTDATE));
    facts.longDateFormat = PatternFromPicture(LocaleText(LOCALE_SLONGDATE));
    facts.shortTimeFormat = PatternFromPicture(LocaleText(LOCALE_SSHORTTIME));
    facts.longTimeFormat = PatternFromPicture(LocaleText(LOCALE_STIMEFORMAT));
    facts.timeAmString = Utf8FromWide(LocaleText(LOCALE_S1159));
    facts.timePmString = Utf8FromWide(LocaleText(LOCALE_S2359));
    for (int i = 0; i < 12; ++i) {
        const auto month = static_cast<LCTYPE>(i);
        facts.shortMonthNames[i] = Utf8FromWide(LocaleText(LOCALE_SABBREVMONTHNAME1 + month));
        facts.longMonthNames[i] = Utf8FromWide(LocaleText(LOCALE_SMONTHNAME1 + month));
    }
    for (int i = 0; i < 7; ++i) {
        facts.shortDayNames[i] = Utf8FromWide(LocaleText(DayItem(LOCALE_SABBREVDAYNAME1, i)));
        facts.longDayNames[i] = Utf8FromWide(LocaleText(DayItem(LOCALE_SDAYNAME1, i)));
    }
    return facts;
}

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
    const auto isAscii = [](std::string_view text) {
        for (const char c : text)
            if (static_cast<unsigned char>(c) >= 0x80)
                return false;
        return true;
    };
    // Option names are compared with every argument many times over; for
    // plain ASCII text the letter-case rules of every locale agree.
    if (isAscii(a) && isAscii(b)) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
            if (lower(a[i]) != lower(b[i]))
                return false;
        }
        return true;
    }
    const std::wstring wideA = WideFromAnsi(a);
    const std::wstring wideB = WideFromAnsi(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(),
                          static_cast<int>(wideA.size()), wideB.data(),
                          static_cast<int>(wideB.size())) == CSTR_EQUAL;
}

LocalTime Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                     now.wMinute, now.wSecond, now.wMilliseconds};
}

namespace {

// The keyboard of the console that standard input reads from. Without a
// console (input redirected from a file, a pipe or NUL) nothing is captured
// and no key is ever reported, so a wait simply runs out.
class Win32Console final : public Console {
  public:
    ~Win32Console() override { EndKeyCapture(); }

    void BeginKeyCapture() override {
        if (capturing_)
            return;
        input_ = GetStdHandle(STD_INPUT_HANDLE);
        DWORD mode = 0;
        // GetConsoleMode succeeds for console handles only; the file type
        // would call NUL a character device as well.
        if (input_ == nullptr || input_ == INVALID_HANDLE_VALUE || !GetConsoleMode(input_, &mode))
            return;
        capturing_ = true;
        FlushConsoleInputBuffer(input_);
    }

    bool KeyPressed() override {
        if (!capturing_)
            return false;
        // Mouse, focus, resize and key-up events, and the modifier keys on
        // their own, are read and dropped; a key press stays in the buffer
        // until the capture ends.
        for (;;) {
            INPUT_RECORD record{};
            DWORD count = 0;
            if (!PeekConsoleInputW(input_, &record, 1, &count) || count == 0)
                return false;
            if (IsKeyPress(record))
                return true;
            ReadConsoleInputW(input_, &record, 1, &count);
        }
    }

    void EndKeyCapture() override {
        if (!capturing_)
            return;
        FlushConsoleInputBuffer(input_);
        capturing_ = false;
    }

    void Beep() override { MessageBeep(0); }

    void Sleep(std::chrono::milliseconds duration) override {
        ::Sleep(static_cast<DWORD>(duration.count()));
    }

  private:
    static bool IsKeyPress(const INPUT_RECORD& record) {
        if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown)
            return false;
        switch (record.Event.KeyEvent.wVirtualKeyCode) {
        case VK_SHIFT:
        case VK_CONTROL:
        case VK_MENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_CAPITAL:
        case VK_NUMLOCK:
        case VK_SCROLL:
            return false;
        default:
            return true;
        }
    }

    HANDLE input_ = nullptr;
    bool capturing_ = false;
};

} // namespace

std::unique_ptr<Console> SystemConsole() {
    return std::make_unique<Win32Console>();
}

} // namespace orvex::platform
