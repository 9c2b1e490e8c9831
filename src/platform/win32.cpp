// The Windows implementation of the platform interface.
#include "platform/ascii_case.h"
#include "platform/platform.h"
#include "platform/system_locale.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

// The C runtime's wide parse of the command line; declared by no public
// header. A narrow entry point never calls it, so the wide arguments exist
// only once it has run.
extern "C" {
struct TCrtStartupInfo {
    int newMode;
};
int __cdecl __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** environment, int expandWildcards,
                           TCrtStartupInfo* startupInfo);
}

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

// Text inside the program is UTF-8. Invalid UTF-8 gives no text at all
// unless lenient, when each broken sequence becomes U+FFFD.
std::optional<std::wstring> WideFromUtf8(std::string_view text, bool lenient) {
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const DWORD flags = lenient ? 0 : MB_ERR_INVALID_CHARS;
    const int length = MultiByteToWideChar(CP_UTF8, flags, text.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, flags, text.data(), size, wide.data(), length);
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
    return Utf8FromWide(GetCommandLineW());
}

// The narrow argument vector is in the ANSI code page, which cannot hold
// every character the user may type. The C runtime's wide parse splits the
// command line by the same rules (quotes, "" inside quotes, backslashes
// before a quote) as the narrow one, which CommandLineToArgvW does not in
// every corner. Wildcards are never expanded: "*" is the calculator's
// multiplication sign.
std::vector<std::string> ProgramArguments(int argc, const char* const* argv) {
    int wideCount = 0;
    wchar_t** wideArguments = nullptr;
    wchar_t** wideEnvironment = nullptr;
    TCrtStartupInfo startupInfo{0};
    if (__wgetmainargs(&wideCount, &wideArguments, &wideEnvironment, 0, &startupInfo) < 0 ||
        wideArguments == nullptr) {
        // Out of memory at start-up: the narrow arguments are better than none.
        return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc)
                        : std::vector<std::string>();
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < wideCount; ++i)
        arguments.push_back(Utf8FromWide(wideArguments[i]));
    return arguments;
}

// The program's own output goes through WriteStandardStream, which makes
// its line ends CR LF itself; text mode matters for what the C runtime
// writes on its own, such as the message of an abort.
void PrepareStandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_TEXT);
    _setmode(_fileno(stderr), _O_TEXT);
}

namespace {

// The system's own one-line description of an error code, in UTF-8, as
// FormatMessage words it (with its closing period) but without the line
// end it appends.
std::string SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : L"";
    if (buffer != nullptr)
        LocalFree(buffer);
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n')
            c = L' ';
    while (!text.empty() && text.back() == L' ')
        text.pop_back();
    if (text.empty())
        return "system error " + std::to_string(code);
    return Utf8FromWide(text);
}

// The one place where the program's line ends become the CR LF of Windows
// text: every '\n' the program writes, to a console, a file or a pipe.
std::string WithCrLf(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (const char c : bytes) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

// A console shows UTF-16 text whatever its code page; UTF-8 bytes written
// to it would show as the code page's characters. Bytes that are not UTF-8
// show as U+FFFD.
std::string WriteConsoleText(HANDLE console, std::string_view bytes) {
    const std::wstring text = WideFromUtf8(bytes, true).value_or(std::wstring());
    // Consoles of older systems refuse very long writes; blocks stay well
    // below their limit.
    constexpr std::size_t block = 8192;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t count = std::min(block, text.size() - at);
        // A character beyond U+FFFF (two UTF-16 units) stays in one piece.
        if (count > 1 && at + count < text.size() && IS_HIGH_SURROGATE(text[at + count - 1]))
            --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + at, static_cast<DWORD>(count), &written, nullptr))
            return SystemMessage(GetLastError());
        if (written == 0)
            return SystemMessage(ERROR_WRITE_FAULT);
        at += written;
    }
    return {};
}

// Files and pipes get the UTF-8 bytes themselves.
std::string WriteFileBytes(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD count = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), count, &written, nullptr))
            return SystemMessage(GetLastError());
        if (written == 0)
            return SystemMessage(ERROR_WRITE_FAULT);
        bytes.remove_prefix(written);
    }
    return {};
}

// GetConsoleMode succeeds for console handles only; the file type alone
// would take NUL and serial ports for consoles as well.
bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode) != 0;
}

} // namespace

std::string WriteStandardStream(TStandardStream stream, std::string_view bytes) {
    const HANDLE handle =
        GetStdHandle(stream == TStandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (bytes.empty())
        return {};
    // A process started without the stream has no handle for it at all.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return SystemMessage(ERROR_INVALID_HANDLE);
    const std::string text = WithCrLf(bytes);
    return IsConsole(handle) ? WriteConsoleText(handle, text) : WriteFileBytes(handle, text);
}

namespace {

std::wstring LocaleText(LCTYPE item) {
    wchar_t buffer[256];
    const int length = GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, item, buffer, 256);
    // The length counts the terminating zero.
    return length > 1 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : std::wstring();
}

// A separator is one character of the program's text, by the rule every
// platform shares; UTF-16 gives the character itself, surrogate pairs aside.
char SeparatorCharacter(const std::wstring& text) {
    if (text.empty())
        return '\0';
    const wchar_t first = text[0];
    if (first >= 0xD800 && first <= 0xDFFF)
        return '\0';
    return SeparatorFromCodePoint(static_cast<char32_t>(first));
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
void ReadNumberFacts(TLocaleFacts& facts) {
    facts.DecimalSeparator = SeparatorCharacter(LocaleText(LOCALE_SDECIMAL));
    facts.ThousandsSeparator = SeparatorCharacter(LocaleText(LOCALE_STHOUSAND));
}

void ReadDateFacts(TLocaleFacts& facts) {
    facts.DateSeparator = SeparatorCharacter(LocaleText(LOCALE_SDATE));
    facts.TimeSeparator = SeparatorCharacter(LocaleText(LOCALE_STIME));
    facts.ShortDateFormat = PatternFromPicture(LocaleText(LOCALE_SSHORTDATE));
    facts.LongDateFormat = PatternFromPicture(LocaleText(LOCALE_SLONGDATE));
    facts.ShortTimeFormat = PatternFromPicture(LocaleText(LOCALE_SSHORTTIME));
    facts.LongTimeFormat = PatternFromPicture(LocaleText(LOCALE_STIMEFORMAT));
    facts.TimeAmString = Utf8FromWide(LocaleText(LOCALE_S1159));
    facts.TimePmString = Utf8FromWide(LocaleText(LOCALE_S2359));
    for (int i = 0; i < 12; ++i) {
        const auto month = static_cast<LCTYPE>(i);
        facts.ShortMonthNames[i] = Utf8FromWide(LocaleText(LOCALE_SABBREVMONTHNAME1 + month));
        facts.LongMonthNames[i] = Utf8FromWide(LocaleText(LOCALE_SMONTHNAME1 + month));
    }
    for (int i = 0; i < 7; ++i) {
        facts.ShortDayNames[i] = Utf8FromWide(LocaleText(DayItem(LOCALE_SABBREVDAYNAME1, i)));
        facts.LongDayNames[i] = Utf8FromWide(LocaleText(DayItem(LOCALE_SDAYNAME1, i)));
    }
}

namespace {

bool IsAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
    // Option names are compared with every argument many times over; for
    // plain ASCII text the letter-case rules of every locale agree.
    if (IsAscii(a) && IsAscii(b))
        return EqualsIgnoreAsciiCase(a, b);
    // Text that is not UTF-8 has no letters beyond ASCII to fold: two
    // broken texts must not both pass for U+FFFD and so for equal.
    const std::optional<std::wstring> wideA = WideFromUtf8(a, false);
    const std::optional<std::wstring> wideB = WideFromUtf8(b, false);
    if (!wideA || !wideB)
        return EqualsIgnoreAsciiCase(a, b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA->data(),
                          static_cast<int>(wideA->size()), wideB->data(),
                          static_cast<int>(wideB->size())) == CSTR_EQUAL;
}

TLocalTime Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return TLocalTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                      now.wMinute, now.wSecond, now.wMilliseconds};
}

namespace {

// The keyboard of the console that standard input reads from. Without a
// console (input redirected from a file, a pipe or NUL) nothing is captured
// and no key is ever reported, so a wait simply runs out.
class TWin32Console final : public TConsole {
  public:
    ~TWin32Console() override { EndKeyCapture(); }

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

std::unique_ptr<TConsole> SystemConsole() {
    return std::make_unique<TWin32Console>();
}

} // namespace orvex::platform
