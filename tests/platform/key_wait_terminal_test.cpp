// The built orvex on a pseudo-terminal that is its controlling terminal: the
// key wait after a syntax error ends by a key, by its ticks or by a signal,
// and whatever ends it, the terminal keeps the modes it had.
#include "frontend/exit_codes.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::string_view kPrompt = "Press Any Key to Continue...";
constexpr int kWaitTicks = 30;
constexpr int kMoreThanOneComparison = orvex::frontend::kExitTooManyComparisons;
// Generous bounds for a busy machine; a full wait of 30 ticks takes 7.5 s.
constexpr auto kRunLimit = 30s;
constexpr auto kStepLimit = 5s;

int Milliseconds(Clock::duration duration) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(duration).count());
}

bool SameModes(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::equal(a.c_cc, a.c_cc + NCCS, b.c_cc);
}

// The key wait's own mode: no line editing, no echo, reads that never block.
bool InWaitMode(const termios& modes) {
    return (modes.c_lflag & (ICANON | ECHO)) == 0 && modes.c_cc[VMIN] == 0;
}

std::string Describe(const termios& modes) {
    char text[96];
    std::snprintf(text, sizeof text, "lflag %#lx ICANON %d ECHO %d VMIN %d VTIME %d",
                  static_cast<unsigned long>(modes.c_lflag), (modes.c_lflag & ICANON) != 0,
                  (modes.c_lflag & ECHO) != 0, modes.c_cc[VMIN], modes.c_cc[VTIME]);
    return text;
}

void CloseOnExec(int fd) {
    fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// Orphaned: orvex stays in the session leader's own foreground group, which
// no shell outside it can continue, so the system never stops it for SIGTSTP.
enum class Group { Foreground, Background, Orphaned };

// Shell commands the session leader understands.
constexpr char kTakeTerminal = 't'; // make the leader's own group the foreground
constexpr char kForeground = 'f';   // hand the terminal to orvex and continue it

// orvex as a job of the session leader: a process group of its own, in the
// foreground or not, with the signals as an exec from a shell leaves them.
[[noreturn]] void StartOrvex(int tty, Group group, bool ignoreInterrupt) {
    if (group != Group::Orphaned)
        setpgid(0, 0);
    if (group == Group::Foreground)
        tcsetpgrp(tty, getpid());
    dup2(tty, STDIN_FILENO);
    dup2(tty, STDOUT_FILENO);
    dup2(tty, STDERR_FILENO);
    if (tty > STDERR_FILENO)
        close(tty);
    for (int signal : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP, SIGCONT, SIGTTIN, SIGTTOU})
        std::signal(signal, SIG_DFL);
    if (ignoreInterrupt)
        std::signal(SIGINT, SIG_IGN);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    const rlimit noCoreFile{0, 0};
    setrlimit(RLIMIT_CORE, &noCoreFile);
    char* const argv[] = {const_cast<char*>(ORVEX_TERMINAL_BINARY), const_cast<char*>("1<2<3"),
                          const_cast<char*>("--error-delay"), nullptr};
    char* const environment[] = {const_cast<char*>("LC_ALL=C"), nullptr};
    execve(ORVEX_TERMINAL_BINARY, argv, environment);
    _exit(127);
}

// A job-control shell in miniature, so that orvex's process group is not
// orphaned (an orphaned group is never stopped by SIGTSTP): it leads the
// session of the terminal, reports orvex's pid and then every change of its
// state as a wait status, and obeys the test's commands.
[[noreturn]] void LeadSession(const char* ttyName, Group group, bool ignoreInterrupt, int commands,
                              int events) {
    setsid();
    const int tty = open(ttyName, O_RDWR);
    if (tty < 0 || ioctl(tty, TIOCSCTTY, 0) != 0)
        _exit(126);
    // A shell takes the terminal back from the background without stopping.
    std::signal(SIGTTOU, SIG_IGN);
    const pid_t orvex = fork();
    if (orvex == 0)
        StartOrvex(tty, group, ignoreInterrupt);
    if (group != Group::Orphaned)
        setpgid(orvex, orvex);
    if (group == Group::Foreground)
        tcsetpgrp(tty, orvex);
    [[maybe_unused]] ssize_t written = write(events, &orvex, sizeof orvex);
    for (;;) {
        pollfd command{commands, POLLIN, 0};
        char what = 0;
        if (poll(&command, 1, 10) > 0 && read(commands, &what, 1) == 1) {
            if (what == kTakeTerminal) {
                tcsetpgrp(tty, getpgrp());
            } else if (what == kForeground) {
                tcsetpgrp(tty, orvex);
                kill(-orvex, SIGCONT);
            }
        }
        int status = 0;
        if (waitpid(orvex, &status, WNOHANG | WUNTRACED | WCONTINUED) != orvex)
            continue;
        written = write(events, &status, sizeof status);
        if (WIFEXITED(status) || WIFSIGNALED(status))
            _exit(0);
    }
}

// One run of `orvex "1<2<3" --error-delay` on a fresh pseudo-terminal, which
// the test reads and types into through the master side and whose modes it
// reads and sets through a slave descriptor of its own.
class TerminalRun {
  public:
    explicit TerminalRun(Group group, bool ignoreInterrupt = false) {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return;
        const std::string ttyName = ptsname(master_);
        tty_ = open(ttyName.c_str(), O_RDWR | O_NOCTTY);
        int commands[2], events[2];
        if (tty_ < 0 || pipe(commands) != 0 || pipe(events) != 0)
            return;
        for (int fd : {master_, tty_, commands[1], events[0]})
            CloseOnExec(fd);
        tcgetattr(tty_, &before);
        leader_ = fork();
        if (leader_ == 0) {
            for (int fd : {master_, tty_, commands[1], events[0]})
                close(fd);
            LeadSession(ttyName.c_str(), group, ignoreInterrupt, commands[0], events[1]);
        }
        close(commands[0]);
        close(events[1]);
        commands_ = commands[1];
        events_ = events[0];
        pid_t orvex = -1;
        if (ReadEvent(&orvex, sizeof orvex, kStepLimit))
            orvex_ = orvex;
    }

    ~TerminalRun() {
        if (orvex_ > 0 && !ended_)
            kill(orvex_, SIGKILL);
        if (leader_ > 0 && !ended_)
            kill(leader_, SIGKILL); // it may never have heard of orvex
        if (leader_ > 0)
            waitpid(leader_, nullptr, 0);
        for (int fd : {master_, tty_, commands_, events_})
            if (fd >= 0)
                close(fd);
    }

    TerminalRun(const TerminalRun&) = delete;
    TerminalRun& operator=(const TerminalRun&) = delete;

    bool Started() const { return orvex_ > 0; }
    pid_t Pid() const { return orvex_; }

    termios Modes() const {
        termios modes{};
        tcgetattr(tty_, &modes);
        return modes;
    }
    void SetModes(const termios& modes) { tcsetattr(tty_, TCSANOW, &modes); }

    bool AwaitWaitMode() {
        for (const auto end = Clock::now() + kStepLimit; Clock::now() < end;
             std::this_thread::sleep_for(5ms))
            if (InWaitMode(Modes()))
                return true;
        return false;
    }

    // Keys as typed on the terminal's keyboard.
    void Type(std::string_view keys) {
        [[maybe_unused]] const ssize_t written = write(master_, keys.data(), keys.size());
    }

    void Command(char what) { [[maybe_unused]] const ssize_t written = write(commands_, &what, 1); }

    // The next change of orvex's state, as waitpid reports it.
    std::optional<int> NextStatus(Clock::duration limit = kRunLimit) {
        int status = 0;
        if (!ReadEvent(&status, sizeof status, limit))
            return std::nullopt;
        ended_ = WIFEXITED(status) || WIFSIGNALED(status);
        return status;
    }

    // Reads the terminal's output until it holds `text`.
    bool AwaitOutput(std::string_view text, Clock::duration limit = kStepLimit) {
        const auto end = Clock::now() + limit;
        while (output_.find(text) == std::string::npos)
            if (!ReadOutput(std::max(0, Milliseconds(end - Clock::now()))))
                return false;
        return true;
    }

    bool AwaitDots(int count) {
        while (Dots() < count)
            if (!ReadOutput(Milliseconds(kStepLimit)))
                return false;
        return true;
    }

    // The dots written after the prompt so far.
    int Dots() const {
        const std::size_t prompt = output_.find(kPrompt);
        if (prompt == std::string::npos)
            return 0;
        const std::size_t first = prompt + kPrompt.size();
        const std::size_t end = output_.find_first_not_of('.', first);
        return static_cast<int>((end == std::string::npos ? output_.size() : end) - first);
    }

    // Everything still to be read from the terminal once orvex has ended.
    void DrainOutput() {
        while (ReadOutput(100)) {
        }
    }

    // What a later reader of the terminal gets: the line a test types after
    // the run, and before it whatever the run left in the input queue.
    std::string NextLineRead() {
        Type("\n");
        pollfd line{tty_, POLLIN, 0};
        char buffer[64];
        if (poll(&line, 1, Milliseconds(kStepLimit)) <= 0)
            return "(nothing)";
        const ssize_t got = read(tty_, buffer, sizeof buffer);
        return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : "(nothing)";
    }

    termios before{};

  private:
    bool ReadOutput(int timeoutMilliseconds) {
        pollfd output{master_, POLLIN, 0};
        if (poll(&output, 1, timeoutMilliseconds) <= 0)
            return false;
        char buffer[4096];
        const ssize_t got = read(master_, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        output_.append(buffer, static_cast<std::size_t>(got));
        return true;
    }

    bool ReadEvent(void* value, std::size_t size, Clock::duration limit) {
        pollfd event{events_, POLLIN, 0};
        return poll(&event, 1, Milliseconds(limit)) > 0 &&
               read(events_, value, size) == static_cast<ssize_t>(size);
    }

    int master_ = -1, tty_ = -1, commands_ = -1, events_ = -1;
    pid_t leader_ = -1, orvex_ = -1;
    bool ended_ = false;
    std::string output_;
};

testing::AssertionResult ExitedWith(std::optional<int> status, int code) {
    if (!status)
        return testing::AssertionFailure() << "orvex neither ended nor stopped in time";
    if (WIFEXITED(*status) && WEXITSTATUS(*status) == code)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "wait status " << std::hex << *status;
}

testing::AssertionResult DiedOf(std::optional<int> status, int signal) {
    if (!status)
        return testing::AssertionFailure() << "orvex neither ended nor stopped in time";
    if (WIFSIGNALED(*status) && WTERMSIG(*status) == signal)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "wait status " << std::hex << *status;
}

// Starts a foreground run and waits until its key wait has the terminal.
#define START_WAIT(run)                                                                            \
    ASSERT_TRUE((run).Started());                                                                  \
    ASSERT_TRUE((run).AwaitOutput(kPrompt));                                                       \
    ASSERT_TRUE((run).AwaitWaitMode()) << Describe((run).Modes())

TEST(KeyWaitOnTerminal, KeyEndsTheWaitAndIsNotReadLater) {
    TerminalRun run(Group::Foreground);
    START_WAIT(run);
    run.Type("x");
    EXPECT_TRUE(ExitedWith(run.NextStatus(), kMoreThanOneComparison));
    run.DrainOutput();
    EXPECT_LT(run.Dots(), kWaitTicks);
    EXPECT_TRUE(SameModes(run.Modes(), run.before)) << Describe(run.Modes());
    EXPECT_EQ(run.NextLineRead(), "\n");
}

// The ticks end the wait on a terminal in the foreground, and in the
// background, where the terminal is not touched and no SIGTTOU stops the run.
TEST(KeyWaitOnTerminal, TicksEndTheWaitWithoutAKey) {
    TerminalRun foreground(Group::Foreground);
    TerminalRun background(Group::Background);
    START_WAIT(foreground);
    ASSERT_TRUE(background.Started());
    ASSERT_TRUE(background.AwaitOutput(kPrompt));
    EXPECT_TRUE(SameModes(background.Modes(), background.before)) << Describe(background.Modes());
    for (TerminalRun* run : {&foreground, &background}) {
        EXPECT_TRUE(ExitedWith(run->NextStatus(), kMoreThanOneComparison));
        run->DrainOutput();
        EXPECT_EQ(run->Dots(), kWaitTicks);
        EXPECT_TRUE(SameModes(run->Modes(), run->before)) << Describe(run->Modes());
    }
}

struct EndingSignalRow {
    const char* name;
    int signal;
    std::string_view key; // typed on the terminal's keyboard, or else sent with kill
};

constexpr EndingSignalRow kEndingSignals[] = {
    {"Ctrl-C", SIGINT, "\x03"}, {"Ctrl-\\", SIGQUIT, "\x1c"}, {"SIGINT", SIGINT, ""},
    {"SIGTERM", SIGTERM, ""},   {"SIGHUP", SIGHUP, ""},       {"SIGQUIT", SIGQUIT, ""},
};

TEST(KeyWaitOnTerminal, EndingSignalRestoresTheModesAndKills) {
    for (const EndingSignalRow& row : kEndingSignals) {
        SCOPED_TRACE(row.name);
        TerminalRun run(Group::Foreground);
        START_WAIT(run);
        if (row.key.empty())
            kill(run.Pid(), row.signal);
        else
            run.Type(row.key);
        EXPECT_TRUE(DiedOf(run.NextStatus(), row.signal));
        EXPECT_TRUE(SameModes(run.Modes(), run.before)) << Describe(run.Modes());
    }
}

// A background job of a non-interactive shell ignores SIGINT; the wait keeps
// it ignored, and a key still ends it.
TEST(KeyWaitOnTerminal, IgnoredInterruptStaysIgnored) {
    TerminalRun run(Group::Foreground, true);
    START_WAIT(run);
    run.Type("\x03");
    ASSERT_TRUE(run.AwaitDots(run.Dots() + 2));
    EXPECT_EQ(run.NextStatus(0s), std::nullopt);
    ASSERT_TRUE(run.AwaitWaitMode()) << Describe(run.Modes());
    run.Type("x");
    EXPECT_TRUE(ExitedWith(run.NextStatus(), kMoreThanOneComparison));
    EXPECT_TRUE(SameModes(run.Modes(), run.before)) << Describe(run.Modes());
}

// Ctrl-Z hands the shell its terminal as it was; while orvex is stopped the
// shell changes the modes, and after fg the wait takes the terminal again and
// finally leaves it in the changed modes.
TEST(KeyWaitOnTerminal, StopRestoresTheModesAndContinueReentersTheWait) {
    TerminalRun run(Group::Foreground);
    START_WAIT(run);
    run.Type("\x1a");
    const std::optional<int> stopped = run.NextStatus(kStepLimit);
    ASSERT_TRUE(stopped && WIFSTOPPED(*stopped) && WSTOPSIG(*stopped) == SIGTSTP);
    EXPECT_TRUE(SameModes(run.Modes(), run.before)) << Describe(run.Modes());

    run.Command(kTakeTerminal);
    termios changed = run.before;
    changed.c_lflag &= static_cast<tcflag_t>(~ECHOCTL);
    changed.c_cc[VERASE] = '\b';
    run.SetModes(changed);
    run.Command(kForeground);
    const std::optional<int> continued = run.NextStatus(kStepLimit);
    ASSERT_TRUE(continued && WIFCONTINUED(*continued));
    ASSERT_TRUE(run.AwaitWaitMode()) << Describe(run.Modes());
    EXPECT_EQ(run.Modes().c_cc[VERASE], '\b');

    run.Type("x");
    EXPECT_TRUE(ExitedWith(run.NextStatus(), kMoreThanOneComparison));
    EXPECT_TRUE(SameModes(run.Modes(), changed)) << Describe(run.Modes());
}

// Once another process group has the terminal, its modes are no longer the
// wait's to restore: trying would stop the run with SIGTTOU.
TEST(KeyWaitOnTerminal, TerminalTakenAwayIsLeftToItsNewOwner) {
    TerminalRun run(Group::Foreground);
    START_WAIT(run);
    run.Command(kTakeTerminal);
    ASSERT_TRUE(run.AwaitDots(run.Dots() + 2));
    kill(run.Pid(), SIGTERM);
    EXPECT_TRUE(DiedOf(run.NextStatus(kStepLimit), SIGTERM));
}

// Where Ctrl-Z cannot stop the process, the wait gets its mode back at once.
TEST(KeyWaitOnTerminal, StopInAnOrphanedGroupKeepsWaiting) {
    TerminalRun run(Group::Orphaned);
    START_WAIT(run);
    run.Type("\x1a");
    ASSERT_TRUE(run.AwaitDots(run.Dots() + 2));
    ASSERT_TRUE(run.AwaitWaitMode()) << Describe(run.Modes());
    run.Type("x");
    EXPECT_TRUE(ExitedWith(run.NextStatus(), kMoreThanOneComparison));
    run.DrainOutput();
    EXPECT_LT(run.Dots(), kWaitTicks);
    EXPECT_TRUE(SameModes(run.Modes(), run.before)) << Describe(run.Modes());
}

// A wait begun in the background leaves the terminal alone until fg brings
// it to the foreground; from then on a key ends it.
TEST(KeyWaitOnTerminal, WaitBegunInTheBackgroundTakesTheTerminalAfterFg) {
    TerminalRun run(Group::Background);
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.AwaitOutput(kPrompt));
    ASSERT_TRUE(run.AwaitDots(1));
    EXPECT_TRUE(SameModes(run.Modes(), run.before)) << Describe(run.Modes());
    // A running job gets SIGCONT from fg all the same; no stop, no report.
    run.Command(kForeground);
    ASSERT_TRUE(run.AwaitWaitMode()) << Describe(run.Modes());
    run.Type("x");
    EXPECT_TRUE(ExitedWith(run.NextStatus(), kMoreThanOneComparison));
    EXPECT_TRUE(SameModes(run.Modes(), run.before)) << Describe(run.Modes());
}

} // namespace
