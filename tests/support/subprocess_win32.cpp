// The Windows child process runner of the end-to-end tests: CreateProcessW
// with both output pipes read at once and standard input from NUL.
#include "subprocess.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <string_view>
#include <thread>

namespace orvex::testsupport {
namespace {

std::wstring Wide(const std::string& text) {
    if (text.empty())
        return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// One argument written so that the C runtime's splitting gives it back
// unchanged: quoted when empty or holding blanks, tabs or quotes, with the
// backslashes before a quote (or before the closing quote) doubled.
void AppendQuoted(std::string& line, const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        line += argument;
        return;
    }
    line += '"';
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            line.append(backslashes * 2 + 1, '\\');
        else
            line.append(backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, '\\');
    line += '"';
}

// Owns one handle.
class Handle {
  public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }

    HANDLE Get() const { return handle_; }
    HANDLE* Out() { return &handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    void Close() {
        if (Valid())
            CloseHandle(handle_);
        handle_ = nullptr;
    }

  private:
    HANDLE handle_ = nullptr;
};

// A pipe whose write end the child inherits and whose read end stays here.
bool CreateChildPipe(Handle& readEnd, Handle& writeEnd) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inheritable, 0))
        return false;
    return SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0) != 0;
}

// Reads a pipe to its end. Each pipe has its own reader so that a child
// filling one pipe never waits for a parent blocked on the other.
void ReadAll(HANDLE pipe, std::string& sink) {
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        sink.append(buffer, got);
}

// A locale variable of the POSIX environment: LANG, LANGUAGE or LC_*.
bool IsLocaleVariable(std::wstring_view entry) {
    const std::wstring_view name = entry.substr(0, entry.find(L'='));
    const auto named = [&](std::wstring_view wanted) {
        return name.size() == wanted.size() &&
               _wcsnicmp(name.data(), wanted.data(), wanted.size()) == 0;
    };
    return named(L"LANG") || named(L"LANGUAGE") || _wcsnicmp(name.data(), L"LC_", 3) == 0;
}

// This process's environment with its locale variables replaced by the
// options' settings (LC_ALL=C when none are given), as a CreateProcessW
// block. Windows programs ignore these variables, and so does Wine when it
// starts a child: the child gets the parent's system locale, which Wine
// took from the LC_ALL the parent was started with.
std::wstring ChildEnvironment(const RunOptions& options) {
    std::wstring block;
    const wchar_t* const strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry != nullptr && *entry != L'\0';) {
        const std::wstring_view variable(entry);
        // Entries such as "=C:=C:\\" keep the drives' current folders.
        if (variable.starts_with(L'=') || !IsLocaleVariable(variable)) {
            block += variable;
            block += L'\0';
        }
        entry += variable.size() + 1;
    }
    if (strings != nullptr)
        FreeEnvironmentStringsW(const_cast<wchar_t*>(strings));
    const std::vector<std::string> settings =
        options.localeEnvironment.value_or(std::vector<std::string>{"LC_ALL=C"});
    for (const std::string& setting : settings) {
        block += Wide(setting);
        block += L'\0';
    }
    return block;
}

// The child's standard output: the captured pipe, no handle at all, or a
// pipe whose read end is already closed, so that every write fails. A
// device that is full has no Windows counterpart.
bool ChildStandardOutput(OutputTarget target, Handle& readEnd, Handle& writeEnd) {
    switch (target) {
    case OutputTarget::Closed:
        return true;
    case OutputTarget::BrokenPipe:
        if (!CreateChildPipe(readEnd, writeEnd))
            return false;
        readEnd.Close();
        return true;
    case OutputTarget::Pipe:
    case OutputTarget::FullDevice:
        break;
    }
    return CreateChildPipe(readEnd, writeEnd);
}

// An exit code in the NTSTATUS error range (access violation, stack
// overflow, ...) is how Windows reports a crashed process.
bool IsCrashStatus(DWORD code) {
    return (code & 0xF0000000u) == 0xC0000000u;
}

} // namespace

std::string CommandLineFor(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        AppendQuoted(line, argument);
    }
    return line;
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const RunOptions& options) {
    ProcessResult result;
    Handle outRead, outWrite, errRead, errWrite;
    if (!ChildStandardOutput(options.standardOutput, outRead, outWrite) ||
        !CreateChildPipe(errRead, errWrite))
        return result;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle nullInput(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inheritable, OPEN_EXISTING, 0, nullptr));
    if (!nullInput.Valid())
        return result;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullInput.Get();
    startup.hStdOutput = outWrite.Get();
    startup.hStdError = errWrite.Get();
    PROCESS_INFORMATION process{};
    std::wstring commandLine = Wide(CommandLineFor(arguments));
    const std::wstring application = Wide(program);
    std::wstring environment = ChildEnvironment(options);
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                        &process))
        return result;
    Handle processHandle(process.hProcess);
    Handle threadHandle(process.hThread);
    // Only the child may hold the write ends now, so that the reads end
    // when it exits.
    outWrite.Close();
    errWrite.Close();
    nullInput.Close();

    std::thread errorReader(ReadAll, errRead.Get(), std::ref(result.standardError));
    if (outRead.Valid())
        ReadAll(outRead.Get(), result.standardOutput);
    errorReader.join();
    WaitForSingleObject(processHandle.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(processHandle.Get(), &code);
    result.exitCode = static_cast<int>(code);
    result.terminatedBySignal = IsCrashStatus(code);
    return result;
}

bool CopyExecutable(const std::string& from, const std::string& to) {
    namespace fs = std::filesystem;
    const std::wstring source = Wide(from);
    const std::wstring target = Wide(to);
    std::error_code error;
    fs::create_directories(fs::path(target).parent_path(), error);
    // The copies of one binary are many: an existing copy of the same size
    // and time stamp (CopyFileW keeps the time stamp) is the same build.
    WIN32_FILE_ATTRIBUTE_DATA sourceData{}, targetData{};
    if (GetFileAttributesExW(source.c_str(), GetFileExInfoStandard, &sourceData) &&
        GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &targetData) &&
        sourceData.nFileSizeLow == targetData.nFileSizeLow &&
        sourceData.nFileSizeHigh == targetData.nFileSizeHigh &&
        CompareFileTime(&sourceData.ftLastWriteTime, &targetData.ftLastWriteTime) == 0)
        return true;
    return CopyFileW(source.c_str(), target.c_str(), FALSE) != 0;
}

} // namespace orvex::testsupport
