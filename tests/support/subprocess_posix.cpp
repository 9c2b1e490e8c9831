#include "subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace orvex::testsupport {
namespace {

void ReadBoth(int outFd, int errFd, std::string& out, std::string& err) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[2] = {&out, &err};
    int open = 2;
    char buffer[65536];
    while (open > 0) {
        if (poll(fds, 2, -1) < 0)
            return;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

// The locale settings the child runs with.
void SetLocaleEnvironment(const RunOptions& options) {
    if (!options.localeEnvironment) {
        setenv("LC_ALL", "C", 1);
        return;
    }
    std::vector<std::string> names;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view setting(*entry);
        const std::string_view name = setting.substr(0, setting.find('='));
        if (name == "LANG" || name == "LANGUAGE" || name.starts_with("LC_"))
            names.emplace_back(name);
    }
    for (const std::string& name : names)
        unsetenv(name.c_str());
    for (const std::string& setting : *options.localeEnvironment) {
        const std::size_t equals = setting.find('=');
        setenv(setting.substr(0, equals).c_str(),
               equals == std::string::npos ? "" : setting.c_str() + equals + 1, 1);
    }
}

// Points the child's standard output where the options say; the captured
// pipe is already in place.
void RedirectStandardOutput(OutputTarget target) {
    switch (target) {
    case OutputTarget::Pipe:
        return;
    case OutputTarget::FullDevice:
        dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
        return;
    case OutputTarget::Closed:
        close(STDOUT_FILENO);
        return;
    case OutputTarget::BrokenPipe: {
        int broken[2];
        if (pipe(broken) != 0)
            _exit(126);
        close(broken[0]);
        dup2(broken[1], STDOUT_FILENO);
        close(broken[1]);
        signal(SIGPIPE, SIG_IGN);
        return;
    }
    }
}

} // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const RunOptions& options) {
    ProcessResult result;
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        return result;
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int nullFd = open("/dev/null", O_RDONLY);
        dup2(nullFd, STDIN_FILENO);
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        RedirectStandardOutput(options.standardOutput);
        SetLocaleEnvironment(options);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    ReadBoth(outPipe[0], errPipe[0], result.standardOutput, result.standardError);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.terminatedBySignal = true;
        result.exitCode = 128 + WTERMSIG(status);
    }
    return result;
}

bool CopyExecutable(const std::string& from, const std::string& to) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(fs::path(to).parent_path(), error);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error)
        return false;
    fs::permissions(to, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec,
                    fs::perm_options::add, error);
    return !error;
}

} // namespace orvex::testsupport
