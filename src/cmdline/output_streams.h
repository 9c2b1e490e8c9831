// The framework's two text output streams. Results and help go to
// StdOutText, the banner and syntax-error reports to StdErrText; after a
// syntax-error report StdOutText writes to standard error for the rest of the
// run, so that the help printed after a report lands beside it.
#pragma once

#include <ostream>

namespace orvex::cmdline {

class TOutputStreams {
  public:
    TOutputStreams(std::ostream& standardOutput, std::ostream& standardError)
        : standardOutput_(&standardOutput), standardError_(&standardError) {}

    std::ostream& StdOutText() const {
        return redirected_ ? *standardError_ : *standardOutput_;
    }
    std::ostream& StdErrText() const { return *standardError_; }

    // Lasts until the end of the run.
    void RedirectStdOutToStdErr() { redirected_ = true; }
    bool StdOutRedirected() const { return redirected_; }

  private:
    std::ostream* standardOutput_;
    std::ostream* standardError_;
    bool redirected_ = false;
};

// Writes count "-" characters, then an empty line when extraBlankLine is set,
// then ends the line.
void WriteDashLine(std::ostream& out, int count, bool extraBlankLine);

} // namespace orvex::cmdline
