// The POSIX implementation of the platform interface.
#include "platform/platform.h"

#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <sys/time.h>
#include <thread>

namespace orvex::platform {

std::string ExecutablePath(std::string_view argument0) {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return std::string(argument0);
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::string RawCommandLine(int argc, const char* const* argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) {
        if (i > 0)
            line += ' ';
        line += argv[i];
    }
    return line;
}

void PrepareStandardStreams() {}

namespace {

// strftime-style date and time formats turned into the date formatter's
// pattern letters. Directives without an equivalent are dropped.
std::string PatternFromStrftime(std::string_view format) {
    std::string pattern;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            pattern += format[i];
            continue;
        }
        char directive = format[++i];
        if (directive == 'E' || directive == 'O' || directive == '-') {
            if (i + 1 == format.size())
                break;
            directive = format[++i];
        }
        switch (directive) {
        case 'd':
            pattern += "dd";
            break;
        case 'e':
            pattern += "d";
            break;
        case 'm':
            pattern += "mm";
            break;
        case 'b':
        case 'h':
            pattern += "mmm";
            break;
        case 'B':
            pattern += "mmmm";
            break;
        case 'a':
            pattern += "ddd";
            break;
        case 'A':
            pattern += "dddd";
            break;
        case 'y':
            pattern += "yy";
            break;
        case 'Y':
            pattern += "yyyy";
            break;
        case 'H':
        case 'I':
            pattern += "hh";
            break;
        case 'k':
        case 'l':
            pattern += "h";
            break;
        case 'M':
            pattern += "nn";
            break;
        case 'S':
            pattern += "ss";
            break;
        case 'p':
            pattern += "ampm";
            break;
        case 'D':
            pattern += "mm/dd/yy";
            break;
        case 'T':
            pattern += "hh:nn:ss";
            break;
        case 'R':
            pattern += "hh:nn";
            break;
        case 'r':
            pattern += "hh:nn:ss ampm";
            break;
        case '%':
            pattern += '%';
            break;
        default:
            break;
        }
    }
    return pattern;
}

// The first character of a separator text, or none.
char SingleCharacter(const char* text) {
    return text != nullptr ? text[0] : '\0';
}

// The first non-alphanumeric character of a date or time pattern.
char SeparatorIn(const std::string& pattern) {
    for (char c : pattern)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != ' ')
            return c;
    return '\0';
}

// The locale name the environment gives a category: LC_ALL, the category's
// own variable, LANG, whichever is set and not empty first.
std::string_view EnvironmentLocaleName(const char* categoryVariable) {
    for (const char* variable : {"LC_ALL", categoryVariable, "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0')
            return value;
    }
    return "C";
}

// The C locale in any character set ("C", "C.UTF-8", "POSIX") writes numbers
// and dates the POSIX way.
bool IsCLocaleName(std::string_view name) {
    return name == "C" || name == "POSIX" || name.starts_with("C.");
}

// "" (the environment's locale), or "C" when the environment names the C
// locale for both categories: the C library hands that one out at once,
// while a name it must look up among the installed locales costs more than
// the rest of a short run.
const char* LocaleNameToOpen() {
    const bool plainC = IsCLocaleName(EnvironmentLocaleName("LC_NUMERIC")) &&
                        IsCLocaleName(EnvironmentLocaleName("LC_TIME"));
    return plainC ? "C" : "";
}

} // namespace

LocaleFacts ReadLocaleFacts() {
    LocaleFacts facts;
    // A locale object of our own: setlocale() would change how the C library
    // reads and writes numbers everywhere in the process.
    locale_t locale =
        newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, LocaleNameToOpen(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        locale = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, "C", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return facts;
    facts.decimalSeparator = SingleCharacter(nl_langinfo_l(RADIXCHAR, locale));
    facts.thousandsSeparator = SingleCharacter(nl_langinfo_l(THOUSEP, locale));
    facts.shortDateFormat = PatternFromStrftime(nl_langinfo_l(D_FMT, locale));
    facts.longTimeFormat = PatternFromStrftime(nl_langinfo_l(T_FMT, locale));
    facts.dateSeparator = SeparatorIn(facts.shortDateFormat);
    facts.timeSeparator = SeparatorIn(facts.longTimeFormat);
    facts.timeAmString = nl_langinfo_l(AM_STR, locale);
    facts.timePmString = nl_langinfo_l(PM_STR, locale);
    static constexpr nl_item shortMonths[12] = {ABMON_1, ABMON_2,  ABMON_3,  ABMON_4,
                                                ABMON_5, ABMON_6,  ABMON_7,  ABMON_8,
                                                ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static constexpr nl_item longMonths[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                               MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static constexpr nl_item shortDays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                             ABDAY_5, ABDAY_6, ABDAY_7};
    static constexpr nl_item longDays[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    for (int i = 0; i < 12; ++i) {
        facts.shortMonthNames[i] = nl_langinfo_l(shortMonths[i], locale);
        facts.longMonthNames[i] = nl_langinfo_l(longMonths[i], locale);
    }
    for (int i = 0; i < 7; ++i) {
        facts.shortDayNames[i] = nl_langinfo_l(shortDays[i], locale);
        facts.longDayNames[i] = nl_langinfo_l(longDays[i], locale);
    }
    freelocale(locale);
    return facts;
}

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

LocalTime Now() {
    timeval now{};
    gettimeofday(&now, nullptr);
    const time_t seconds = now.tv_sec;
    tm local{};
    localtime_r(&seconds, &local);
    return LocalTime{local.tm_year + 1900,
                     local.tm_mon + 1,
                     local.tm_mday,
                     local.tm_hour,
                     local.tm_min,
                     local.tm_sec,
                     static_cast<int>(now.tv_usec / 1000)};
}

namespace {

// The controlling terminal, when the process has one. Keys are read from it
// in non-canonical mode so that a single key press ends the wait.
class PosixConsole final : public Console {
  public:
    ~PosixConsole() override { EndKeyCapture(); }

    void BeginKeyCapture() override {
        if (capturing_ || !isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &saved_) != 0)
            return;
        termios raw = saved_;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        raw.c_cc[VMIN] = 0;
        raw.c_cc[VTIME] = 0;
        if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0)
            return;
        capturing_ = true;
        tcflush(STDIN_FILENO, TCIFLUSH);
    }

    bool KeyPressed() override {
        if (!capturing_)
            return false;
        pollfd pending{STDIN_FILENO, POLLIN, 0};
        return poll(&pending, 1, 0) > 0 && (pending.revents & POLLIN) != 0;
    }

    void EndKeyCapture() override {
        if (!capturing_)
            return;
        tcflush(STDIN_FILENO, TCIFLUSH);
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
        capturing_ = false;
    }

    void Beep() override {
        const int tty = open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (tty < 0)
            return;
        [[maybe_unused]] const ssize_t written = write(tty, "\a", 1);
        close(tty);
    }

    void Sleep(std::chrono::milliseconds duration) override {
        std::this_thread::sleep_for(duration);
    }

  private:
    bool capturing_ = false;
    termios saved_{};
};

} // namespace

std::unique_ptr<Console> SystemConsole() {
    return std::make_unique<PosixConsole>();
}

} // namespace orvex::platform
