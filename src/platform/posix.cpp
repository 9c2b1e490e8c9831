// The POSIX implementation of the platform interface.
#include "platform/ascii_case.h"
#include "platform/platform.h"
#include "platform/system_locale.h"

#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
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

std::vector<std::string> ProgramArguments(int argc, const char* const* argv) {
    if (argc <= 1)
        return {};
    return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareStandardStreams() {}

std::string WriteStandardStream(TStandardStream stream, std::string_view bytes) {
    const int fd = stream == TStandardStream::Output ? STDOUT_FILENO : STDERR_FILENO;
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return std::strerror(written < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

namespace {

// The date formatter's letters for one strftime directive; none for a
// directive without an equivalent.
std::string_view PatternForDirective(char directive) {
    switch (directive) {
    case 'd':
        return "dd";
    case 'e':
        return "d";
    case 'm':
        return "mm";
    case 'b':
    case 'h':
        return "mmm";
    case 'B':
        return "mmmm";
    case 'a':
        return "ddd";
    case 'A':
        return "dddd";
    case 'y':
        return "yy";
    case 'Y':
        return "yyyy";
    case 'H':
    case 'I':
        return "hh";
    case 'k':
    case 'l':
        return "h";
    case 'M':
        return "nn";
    case 'S':
        return "ss";
    case 'p':
        return "ampm";
    case 'D':
        return "mm/dd/yy";
    case 'T':
        return "hh:nn:ss";
    case 'R':
        return "hh:nn";
    case 'r':
        return "hh:nn:ss ampm";
    case '%':
        return "%";
    default:
        return {};
    }
}

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
        pattern += PatternForDirective(directive);
    }
    return pattern;
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
// and dates the POSIX way, with constant facts that need no locale data.
bool IsCLocaleName(std::string_view name) {
    return name == "C" || name == "POSIX" || name.starts_with("C.") || name.starts_with("C@");
}

// True when a locale name says its text is UTF-8 ("de_DE.UTF-8",
// "fr_FR.utf8@euro"). A name without a character set ("de_DE") means the
// locale's traditional one.
bool NamesUtf8(std::string_view name) {
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos)
        return false;
    std::string_view codeset = name.substr(dot + 1);
    codeset = codeset.substr(0, codeset.find('@'));
    std::string folded;
    for (char c : codeset)
        if (c != '-' && c != '_')
            folded += AsciiLower(c);
    return folded == "utf8";
}

// The first character of a UTF-8 text; 0 for an empty or broken one.
char32_t FirstCodePoint(std::string_view text) {
    if (text.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80)
        return lead;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || text.size() < length)
        return 0;
    char32_t codePoint = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    return codePoint;
}

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// One category of a named locale, opened on its own so that a locale the
// system lacks for one category leaves the other alone. Its texts come out
// in UTF-8 whatever character set the locale keeps them in.
class TLocaleCategory {
  public:
    TLocaleCategory(int categoryMask, std::string_view name) : name_(name), utf8_(NamesUtf8(name)) {
        // The character set belongs to LC_CTYPE, needed only when the name
        // does not give it away.
        const int mask = utf8_ ? categoryMask : categoryMask | LC_CTYPE_MASK;
        locale_ = newlocale(mask, name_.c_str(), static_cast<locale_t>(0));
        if (Opened() && !utf8_) {
            codeset_ = nl_langinfo_l(CODESET, locale_);
            utf8_ = codeset_ == "UTF-8";
        }
    }
    ~TLocaleCategory() {
        if (Opened())
            freelocale(locale_);
        if (converter_ != kNoConverter)
            iconv_close(converter_);
    }
    TLocaleCategory(const TLocaleCategory&) = delete;
    TLocaleCategory& operator=(const TLocaleCategory&) = delete;

    bool Opened() const { return locale_ != static_cast<locale_t>(0); }

    // An item of the locale in UTF-8; empty when it cannot be converted.
    std::string Text(nl_item item) {
        const char* text = nl_langinfo_l(item, locale_);
        if (text == nullptr)
            return {};
        if (utf8_ || IsAscii(text))
            return text;
        return ToUtf8(text);
    }

    // A separator item as one character of the program's text.
    char Separator(nl_item item) { return SeparatorFromCodePoint(FirstCodePoint(Text(item))); }

  private:
    inline static const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

    std::string ToUtf8(std::string_view text) {
        if (converter_ == kNoConverter)
            converter_ = iconv_open("UTF-8", codeset_.c_str());
        if (converter_ == kNoConverter)
            return {};
        std::string input(text);
        std::string output(text.size() * 4, '\0');
        char* in = input.data();
        char* out = output.data();
        std::size_t inLeft = input.size();
        std::size_t outLeft = output.size();
        if (iconv(converter_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            iconv(converter_, nullptr, nullptr, nullptr, nullptr);
            return {};
        }
        output.resize(output.size() - outLeft);
        return output;
    }

    std::string name_;
    bool utf8_;
    std::string codeset_;
    locale_t locale_ = static_cast<locale_t>(0);
    iconv_t converter_ = kNoConverter;
};

// The C locale's facts, without asking the C library: "." and no thousands
// separator, US dates and English names.
void TakeCNumberFacts(TLocaleFacts& facts) {
    facts.DecimalSeparator = '.';
    facts.ThousandsSeparator = '\0';
}

void TakeCDateFacts(TLocaleFacts& facts) {
    static constexpr std::string_view months[12] = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    static constexpr std::string_view days[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                 "Thursday", "Friday", "Saturday"};
    facts.ShortDateFormat = "mm/dd/yy";
    facts.LongTimeFormat = "hh:nn:ss";
    facts.DateSeparator = '/';
    facts.TimeSeparator = ':';
    facts.TimeAmString = "AM";
    facts.TimePmString = "PM";
    for (std::size_t i = 0; i < 12; ++i) {
        facts.LongMonthNames[i] = months[i];
        facts.ShortMonthNames[i] = months[i].substr(0, 3);
    }
    for (std::size_t i = 0; i < 7; ++i) {
        facts.LongDayNames[i] = days[i];
        facts.ShortDayNames[i] = days[i].substr(0, 3);
    }
}

} // namespace

// A locale object of our own per category: setlocale() would change how the
// C library reads and writes numbers everywhere in the process. A locale the
// system does not have means the C locale, silently.
void ReadNumberFacts(TLocaleFacts& facts) {
    const std::string_view name = EnvironmentLocaleName("LC_NUMERIC");
    if (IsCLocaleName(name))
        return TakeCNumberFacts(facts);
    TLocaleCategory numeric(LC_NUMERIC_MASK, name);
    if (!numeric.Opened())
        return TakeCNumberFacts(facts);
    facts.DecimalSeparator = numeric.Separator(RADIXCHAR);
    facts.ThousandsSeparator = numeric.Separator(THOUSEP);
}

void ReadDateFacts(TLocaleFacts& facts) {
    const std::string_view name = EnvironmentLocaleName("LC_TIME");
    if (IsCLocaleName(name))
        return TakeCDateFacts(facts);
    TLocaleCategory time(LC_TIME_MASK, name);
    if (!time.Opened())
        return TakeCDateFacts(facts);
    facts.ShortDateFormat = PatternFromStrftime(time.Text(D_FMT));
    facts.LongTimeFormat = PatternFromStrftime(time.Text(T_FMT));
    facts.DateSeparator = SeparatorIn(facts.ShortDateFormat);
    facts.TimeSeparator = SeparatorIn(facts.LongTimeFormat);
    facts.TimeAmString = time.Text(AM_STR);
    facts.TimePmString = time.Text(PM_STR);
    static constexpr nl_item shortMonths[12] = {ABMON_1, ABMON_2,  ABMON_3,  ABMON_4,
                                                ABMON_5, ABMON_6,  ABMON_7,  ABMON_8,
                                                ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static constexpr nl_item longMonths[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                               MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static constexpr nl_item shortDays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                             ABDAY_5, ABDAY_6, ABDAY_7};
    static constexpr nl_item longDays[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    for (std::size_t i = 0; i < 12; ++i) {
        facts.ShortMonthNames[i] = time.Text(shortMonths[i]);
        facts.LongMonthNames[i] = time.Text(longMonths[i]);
    }
    for (std::size_t i = 0; i < 7; ++i) {
        facts.ShortDayNames[i] = time.Text(shortDays[i]);
        facts.LongDayNames[i] = time.Text(longDays[i]);
    }
}

// The program never sets the C library's global locale (the locale facts
// come from locale objects of their own), so the letter case the C library
// would fold here is that of the C locale: the ASCII letters.
bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
    return EqualsIgnoreAsciiCase(a, b);
}

TLocalTime Now() {
    timeval now{};
    gettimeofday(&now, nullptr);
    const time_t seconds = now.tv_sec;
    tm local{};
    localtime_r(&seconds, &local);
    return TLocalTime{local.tm_year + 1900,
                      local.tm_mon + 1,
                      local.tm_mday,
                      local.tm_hour,
                      local.tm_min,
                      local.tm_sec,
                      static_cast<int>(now.tv_usec / 1000)};
}

// The key wait's console. Its terminal handling runs partly in signal
// handlers, so everything it calls from there is async-signal-safe.
#include <signal.h>

#include <cerrno>

namespace {

// The signals the key wait handles while it runs: those that end the process
// (the terminal is restored first), the keyboard stop (restored before
// stopping) and the continue after any stop (the wait's mode re-entered).
constexpr int kWaitSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT};
constexpr std::size_t kWaitSignalCount = std::size(kWaitSignals);

// What the signal handlers share with the wait. The wait changes it only
// while its signals are blocked; the handlers change it only while all the
// others are blocked too.
struct TKeyWaitTerminal {
    volatile sig_atomic_t Waiting = 0; // handlers installed, a capture in progress
    volatile sig_atomic_t ModeSet = 0; // the terminal is in the wait's mode
    termios Found{};                   // the modes to leave the terminal in
};
TKeyWaitTerminal keyWait;

sigset_t WaitSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kWaitSignals)
        sigaddset(&set, signal);
    return set;
}

void ChangeSignalMask(int how, int signal) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(how, &set, nullptr);
}

void SetDisposition(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_mask = WaitSignalSet();
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

// Only the foreground process group may change the terminal's modes; a
// background job that tries is stopped by SIGTTOU. A standard input that is
// some other terminal than the controlling one has no foreground group for us.
bool OwnsTerminal() {
    const pid_t foreground = tcgetpgrp(STDIN_FILENO);
    return foreground != -1 && foreground == getpgrp();
}

// No line editing and no echo, and reads that never block: a single key
// press becomes visible to the poll at once. Signal keys keep working.
termios WaitModeOf(const termios& modes) {
    termios wait = modes;
    wait.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    wait.c_cc[VMIN] = 0;
    wait.c_cc[VTIME] = 0;
    return wait;
}

// Takes the terminal's present modes as the ones to leave it in, unless they
// are the wait's own, and puts the terminal into the wait's mode.
void EnterWaitMode() {
    if (!OwnsTerminal())
        return;
    if (keyWait.ModeSet == 0 && tcgetattr(STDIN_FILENO, &keyWait.Found) != 0)
        return;
    const termios wait = WaitModeOf(keyWait.Found);
    if (tcsetattr(STDIN_FILENO, TCSANOW, &wait) == 0)
        keyWait.ModeSet = 1;
}

void LeaveWaitMode() {
    if (keyWait.ModeSet == 0)
        return;
    keyWait.ModeSet = 0;
    if (OwnsTerminal())
        tcsetattr(STDIN_FILENO, TCSANOW, &keyWait.Found);
}

// Dies of the signal that arrived, as if no handler had been there, so that
// the parent sees the true cause (a shell reports 130 for SIGINT).
void EndOnSignal(int signal) {
    LeaveWaitMode();
    SetDisposition(signal, SIG_DFL);
    raise(signal);
    ChangeSignalMask(SIG_UNBLOCK, signal);
}

// The shell gets its terminal back as it handed it over; once continued, the
// modes it has then are the ones to restore when the wait ends. In an
// orphaned process group the stop never happens and the wait goes on at once.
void StopOnSignal(int) {
    const int savedErrno = errno;
    LeaveWaitMode();
    SetDisposition(SIGTSTP, SIG_DFL);
    raise(SIGTSTP);
    ChangeSignalMask(SIG_UNBLOCK, SIGTSTP); // stopped here until continued
    ChangeSignalMask(SIG_BLOCK, SIGTSTP);
    SetDisposition(SIGTSTP, StopOnSignal);
    if (keyWait.Waiting != 0)
        EnterWaitMode();
    errno = savedErrno;
}

// After a stop by SIGSTOP, or a wait begun in the background and brought to
// the foreground, the wait's mode is (re-)entered here.
void ResumeOnSignal(int) {
    const int savedErrno = errno;
    if (keyWait.Waiting != 0)
        EnterWaitMode();
    errno = savedErrno;
}

// Blocks the wait's signals for its lifetime, so that no handler runs while
// the wait itself changes the shared state.
class TWaitSignalsBlocked {
  public:
    TWaitSignalsBlocked() {
        const sigset_t waitSignals = WaitSignalSet();
        sigprocmask(SIG_BLOCK, &waitSignals, &previous_);
    }
    ~TWaitSignalsBlocked() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    TWaitSignalsBlocked(const TWaitSignalsBlocked&) = delete;
    TWaitSignalsBlocked& operator=(const TWaitSignalsBlocked&) = delete;

  private:
    sigset_t previous_{};
};

bool IsIgnored(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

// The controlling terminal, when standard input is one. Keys are read from
// it in the wait's mode so that a single key press ends the wait; whatever
// ends the wait, the terminal is left in the modes it had.
class TPosixConsole final : public TConsole {
  public:
    ~TPosixConsole() override { EndKeyCapture(); }

    void BeginKeyCapture() override {
        if (capturing_ || keyWait.Waiting != 0 || !isatty(STDIN_FILENO))
            return;
        const TWaitSignalsBlocked blocked;
        InstallHandlers();
        capturing_ = true;
        keyWait.Waiting = 1;
        EnterWaitMode();
        if (keyWait.ModeSet != 0)
            tcflush(STDIN_FILENO, TCIFLUSH);
    }

    bool KeyPressed() override {
        if (keyWait.ModeSet == 0)
            return false;
        pollfd pending{STDIN_FILENO, POLLIN, 0};
        return poll(&pending, 1, 0) > 0 && (pending.revents & POLLIN) != 0;
    }

    void EndKeyCapture() override {
        if (!capturing_)
            return;
        const TWaitSignalsBlocked blocked;
        if (keyWait.ModeSet != 0 && OwnsTerminal())
            tcflush(STDIN_FILENO, TCIFLUSH);
        LeaveWaitMode();
        keyWait.Waiting = 0;
        RestoreHandlers();
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
    // A signal the process ignores stays ignored (a background job of a
    // non-interactive shell must not die of the keyboard's SIGINT). SIGCONT
    // is the exception: ignoring it changes nothing but whether a handler
    // runs, and the wait needs its own to get its mode back after a stop.
    void InstallHandlers() {
        for (std::size_t i = 0; i < kWaitSignalCount; ++i) {
            const int signal = kWaitSignals[i];
            sigaction(signal, nullptr, &previous_[i]);
            if (IsIgnored(previous_[i]) && signal != SIGCONT)
                continue;
            SetDisposition(signal, signal == SIGTSTP   ? StopOnSignal
                                   : signal == SIGCONT ? ResumeOnSignal
                                                       : EndOnSignal);
        }
    }

    void RestoreHandlers() {
        for (std::size_t i = 0; i < kWaitSignalCount; ++i)
            sigaction(kWaitSignals[i], &previous_[i], nullptr);
    }

    bool capturing_ = false;
    std::array<struct sigaction, kWaitSignalCount> previous_{};
};

} // namespace

std::unique_ptr<TConsole> SystemConsole() {
    return std::make_unique<TPosixConsole>();
}

} // namespace orvex::platform
