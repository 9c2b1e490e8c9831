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
struct KeyWaitTerminal {
    volatile sig_atomic_t waiting = 0; // handlers installed, a capture in progress
    volatile sig_atomic_t modeSet = 0; // the terminal is in the wait's mode
    termios found{};                   // the modes to leave the terminal in
};
KeyWaitTerminal keyWait;

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
    if (keyWait.modeSet == 0 && tcgetattr(STDIN_FILENO, &keyWait.found) != 0)
        return;
    const termios wait = WaitModeOf(keyWait.found);
    if (tcsetattr(STDIN_FILENO, TCSANOW, &wait) == 0)
        keyWait.modeSet = 1;
}

void LeaveWaitMode() {
    if (keyWait.modeSet == 0)
        return;
    keyWait.modeSet = 0;
    if (OwnsTerminal())
        tcsetattr(STDIN_FILENO, TCSANOW, &keyWait.found);
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
    if (keyWait.waiting != 0)
        EnterWaitMode();
    errno = savedErrno;
}

// After a stop by SIGSTOP, or a wait begun in the background and brought to
// the foreground, the wait's mode is (re-)entered here.
void ResumeOnSignal(int) {
    const int savedErrno = errno;
    if (keyWait.waiting != 0)
        EnterWaitMode();
    errno = savedErrno;
}

// Blocks the wait's signals for its lifetime, so that no handler runs while
// the wait itself changes the shared state.
class WaitSignalsBlocked {
  public:
    WaitSignalsBlocked() {
        const sigset_t waitSignals = WaitSignalSet();
        sigprocmask(SIG_BLOCK, &waitSignals, &previous_);
    }
    ~WaitSignalsBlocked() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    WaitSignalsBlocked(const WaitSignalsBlocked&) = delete;
    WaitSignalsBlocked& operator=(const WaitSignalsBlocked&) = delete;

  private:
    sigset_t previous_{};
};

bool IsIgnored(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

// The controlling terminal, when standard input is one. Keys are read from
// it in the wait's mode so that a single key press ends the wait; whatever
// ends the wait, the terminal is left in the modes it had.
class PosixConsole final : public Console {
  public:
    ~PosixConsole() override { EndKeyCapture(); }

    void BeginKeyCapture() override {
        if (capturing_ || keyWait.waiting != 0 || !isatty(STDIN_FILENO))
            return;
        const WaitSignalsBlocked blocked;
        InstallHandlers();
        capturing_ = true;
        keyWait.waiting = 1;
        EnterWaitMode();
        if (keyWait.modeSet != 0)
            tcflush(STDIN_FILENO, TCIFLUSH);
    }

    bool KeyPressed() override {
        if (keyWait.modeSet == 0)
            return false;
        pollfd pending{STDIN_FILENO, POLLIN, 0};
        return poll(&pending, 1, 0) > 0 && (pending.revents & POLLIN) != 0;
    }

    void EndKeyCapture() override {
        if (!capturing_)
            return;
        const WaitSignalsBlocked blocked;
        if (keyWait.modeSet != 0 && OwnsTerminal())
            tcflush(STDIN_FILENO, TCIFLUSH);
        LeaveWaitMode();
        keyWait.waiting = 0;
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

std::unique_ptr<Console> SystemConsole() {
    return std::make_unique<PosixConsole>();
}

} // namespace orvex::platform
