// The console's signal handlers belong to the key wait alone: installed when
// it begins on a terminal, the process's own dispositions back when it ends,
// and a signal the process ignores stays ignored.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>

namespace orvex::platform {
namespace {

void ProcessOwnHandler(int) {}

using Handler = void (*)(int);

Handler DispositionOf(int signal) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler;
}

// Standard input replaced for one test: a pseudo-terminal that is not the
// controlling terminal (so the wait never changes its modes), or the null
// device.
class StandardInput {
  public:
    explicit StandardInput(bool terminal) {
        saved_ = dup(STDIN_FILENO);
        int replacement = -1;
        if (terminal) {
            master_ = posix_openpt(O_RDWR | O_NOCTTY);
            if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
                replacement = open(ptsname(master_), O_RDWR | O_NOCTTY);
        } else {
            replacement = open("/dev/null", O_RDONLY);
        }
        if (replacement >= 0) {
            dup2(replacement, STDIN_FILENO);
            close(replacement);
        }
    }
    ~StandardInput() {
        dup2(saved_, STDIN_FILENO);
        close(saved_);
        if (master_ >= 0)
            close(master_);
    }
    StandardInput(const StandardInput&) = delete;
    StandardInput& operator=(const StandardInput&) = delete;

  private:
    int saved_ = -1, master_ = -1;
};

struct DispositionRow {
    const char* name;
    int signal;
    bool terminal;           // standard input is a terminal
    Handler before;          // the process's own disposition
    bool replacedDuringWait; // the wait has a handler of its own for it
};

const DispositionRow kDispositions[] = {
    {"own SIGINT handler", SIGINT, true, ProcessOwnHandler, true},
    {"default SIGTERM", SIGTERM, true, SIG_DFL, true},
    {"default SIGHUP", SIGHUP, true, SIG_DFL, true},
    {"default SIGQUIT", SIGQUIT, true, SIG_DFL, true},
    {"default SIGTSTP", SIGTSTP, true, SIG_DFL, true},
    {"default SIGCONT", SIGCONT, true, SIG_DFL, true},
    {"ignored SIGINT", SIGINT, true, SIG_IGN, false},
    {"ignored SIGHUP", SIGHUP, true, SIG_IGN, false},
    {"ignored SIGTSTP", SIGTSTP, true, SIG_IGN, false},
    // Ignoring SIGCONT does not keep a stopped process stopped; the wait
    // still needs to know it was continued.
    {"ignored SIGCONT", SIGCONT, true, SIG_IGN, true},
    {"SIGINT without a terminal", SIGINT, false, SIG_DFL, false},
};

TEST(KeyWaitSignals, HandlersLastOnlyAsLongAsTheWait) {
    for (const DispositionRow& row : kDispositions) {
        SCOPED_TRACE(row.name);
        const StandardInput input(row.terminal);
        struct sigaction own {};
        own.sa_handler = row.before;
        struct sigaction original {};
        sigaction(row.signal, &own, &original);
        {
            const std::unique_ptr<TConsole> console = SystemConsole();
            console->BeginKeyCapture();
            EXPECT_EQ(DispositionOf(row.signal) != row.before, row.replacedDuringWait);
            EXPECT_FALSE(console->KeyPressed());
            console->EndKeyCapture();
            EXPECT_EQ(DispositionOf(row.signal), row.before);
            console->BeginKeyCapture();
        }
        // The console's end restores them as well.
        EXPECT_EQ(DispositionOf(row.signal), row.before);
        sigaction(row.signal, &original, nullptr);
    }
}

} // namespace
} // namespace orvex::platform
