// Every operating-system call the program makes goes through this header.
// One source file implements it per operating system (posix.cpp, win32.cpp);
// no other file in the program includes an OS header.
#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::platform {

// The process as the OS started it.
//
// ExecutablePath is the path the OS reports for the running executable,
// falling back to argument 0 when it reports none.
std::string ExecutablePath(std::string_view argument0);

// The command line as the user typed it. Where the OS keeps no raw command
// line, argument 0 and the arguments joined by single blanks.
std::string RawCommandLine(int argc, const char* const* argv);

// The arguments after argument 0. Text inside the program is UTF-8: on
// Windows they come from the wide command line, elsewhere they are the bytes
// the program was started with.
std::vector<std::string> ProgramArguments(int argc, const char* const* argv);

// Puts the standard streams into the mode the program's output bytes assume:
// text mode on Windows (each '\n' becomes CR LF), nothing elsewhere.
void PrepareStandardStreams();

enum class TStandardStream { Output, Error };

// Writes all of bytes to the stream, unbuffered (the caller buffers).
// Returns an empty text when every byte was written, otherwise the system's
// description of why a write failed ("No space left on device").
std::string WriteStandardStream(TStandardStream stream, std::string_view bytes);

// Number and date facts of the locale the program formats with: the system
// default locale on Windows, the environment's LC_NUMERIC/LC_TIME elsewhere.
// Date and time formats use the pattern letters of the date formatter
// (yyyy, mm, dd, hh, nn, ss, ampm); names are UTF-8. A separator of '\0'
// means "none given", and so does an empty text.
struct TLocaleFacts {
    char DecimalSeparator = '\0';
    char ThousandsSeparator = '\0';
    char DateSeparator = '\0';
    char TimeSeparator = '\0';
    std::string ShortDateFormat;
    std::string LongDateFormat;
    std::string ShortTimeFormat;
    std::string LongTimeFormat;
    std::string TimeAmString;
    std::string TimePmString;
    std::array<std::string, 12> ShortMonthNames;
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames; // [0] is Sunday
    std::array<std::string, 7> LongDayNames;
};

// Which facts to read: a run that prints no date need not load the locale's
// date and time data.
enum TLocaleParts : unsigned { lpNumbers = 1, lpDates = 2, lpAll = lpNumbers | lpDates };
TLocaleFacts ReadLocaleFacts(TLocaleParts parts = lpAll);

// The one character the program's text uses for a locale's separator
// character: ASCII as it is; the blanks some locales group digits with
// (no-break, narrow no-break, thin and figure space) a plain blank; the right
// single quotation mark an apostrophe; anything else '\0' (none given).
char SeparatorFromCodePoint(char32_t codePoint);

// Case-insensitive equality: by the rules of the user's locale on Windows,
// of the ASCII letters elsewhere.
bool SameTextIgnoreCase(std::string_view a, std::string_view b);

// The local wall clock, to the millisecond.
struct TLocalTime {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};
TLocalTime Now();

// The console the syntax-error report beeps on and waits at. An interface so
// that tests and in-process runs can substitute a silent, instant console.
class TConsole {
  public:
    virtual ~TConsole() = default;
    // Starts watching the keyboard; input typed before this is discarded.
    virtual void BeginKeyCapture() = 0;
    // True when a key press is waiting. Never blocks.
    virtual bool KeyPressed() = 0;
    // Stops watching; pending input, including the key that ended a wait,
    // is discarded so that it reaches no later reader.
    virtual void EndKeyCapture() = 0;
    // The default alert sound, never written into stdout or stderr.
    virtual void Beep() = 0;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

// The real console of this process.
std::unique_ptr<TConsole> SystemConsole();

// A console that neither waits nor beeps, for whole runs in-process
// (fuzzing, benchmarks, the documentation generator). Every poll finds a key,
// so a key wait ends at its first look; sleeping takes no time.
class TNullConsole final : public TConsole {
  public:
    void BeginKeyCapture() override {}
    bool KeyPressed() override { return true; }
    void EndKeyCapture() override {}
    void Beep() override {}
    void Sleep(std::chrono::milliseconds) override {}
};

} // namespace orvex::platform
