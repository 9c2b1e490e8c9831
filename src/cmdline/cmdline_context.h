// The framework's state for one run. Every setting, table and record the
// framework keeps lives here instead of in process-wide variables, so that a
// whole run can be executed in-process with its output captured.
#pragma once

#include "cmdline/declaration_table.h"
#include "cmdline/file_version_info.h"
#include "cmdline/output_streams.h"
#include "cmdline/param_statistics.h"
#include "cmdline/param_table.h"
#include "formatting/format_settings.h"
#include "platform/platform.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvex::cmdline {

// What the process was started with.
struct TProcessFacts {
    std::vector<std::string> Arguments; // without argument 0
    std::string ExecutablePath;
    std::string RawCommandLine; // as typed, program invocation included
};

struct TCmdLineContext {
    // The start-up steps: exit code 0, the two streams bound, the executable
    // directory stored, one unclaimed table entry per argument, both
    // statistics records reset, the format settings loaded from the locale.
    TCmdLineContext(const TProcessFacts& facts, TTextSink& standardOutput, TTextSink& standardError,
                    platform::TConsole& console);
    TCmdLineContext(const TCmdLineContext&) = delete;
    TCmdLineContext& operator=(const TCmdLineContext&) = delete;

    TTextSink& StdOutText() const { return Streams.StdOutText(); }
    TTextSink& StdErrText() const { return Streams.StdErrText(); }

    std::int32_t ExitCode = 0;
    TOutputStreams Streams;
    platform::TConsole& Console;

    std::string ExecutablePath;
    // The executable's directory as the syntax-error report shows it: in
    // double quotes when it contains a blank or is empty.
    std::string ExeDirText;
    std::string RawCommandLine;

    TParamStatusArray ParamStatus;

    // 1 = bare special one-character names accepted, 2 = values attached with
    // ":" or "=", 3 = both, 0 = neither.
    std::int32_t SwitchStyle = 0;
    bool LongNamesNeedDoubleDash = true;
    // Upper-case words of every name list declared so far, each once. The
    // names of a declaration table join them when they are first read
    // (ResolvedKnownParamNames); until then the table waits here.
    std::string KnownParamNames;
    std::span<const TParamDeclaration> PendingDeclarations;
    bool NumberDefaulted = false; // set by every ParamNumber

    TParamStatisticsRec CustomSyntax;
    TParamStatisticsRec DefaultSyntax;
    std::string HelpParamHint;
    // A validation asked for with DeferSyntaxValidation and not carried out
    // yet: nothing has read its records or the help hint so far.
    struct TDeferredValidation {
        bool Pending = false;
        bool CheckOptions = false;
        std::int32_t First = -1;
        std::int32_t Last = -1;
    };
    TDeferredValidation DeferredValidation;
    bool ErrorDelay = false;
    bool AudibleError = false;
    std::int32_t MissingParamReportKind = 0;

    TFileVersionInfoRec FileVersionInfo;
    bool BannerShown = false;
    bool BannerAllowed = true;

    // Loaded with the locale's number facts at start-up; its date and time
    // facts join on the first call of ReadDateFacts (most runs write no
    // date, and the locale's date data costs more to load than they do).
    formatting::TFormatSettings FormatSettings;
    bool DateFactsRead = false;
    void ReadDateFacts();
};

} // namespace orvex::cmdline
