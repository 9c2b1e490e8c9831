// The framework's two text outputs. Results and help go to StdOutText, the
// banner and syntax-error reports to StdErrText; after a syntax-error report
// StdOutText writes to standard error for the rest of the run, so that the
// help printed after a report lands beside it.
#pragma once

#include "platform/platform.h"

#include <concepts>
#include <string>
#include <string_view>

namespace orvex::cmdline {

// Text output collected in a buffer and handed on in blocks: when the buffer
// grows past a few KiB, on Flush, and when the other sink of the pair is
// written to (so that standard output and standard error interleave on a
// terminal in the order the run wrote them).
//
// The first failed delivery is kept and everything written after it is
// dropped: a run whose output cannot be written goes on to its end, and the
// driver reports the failure then.
class TTextSink {
  public:
    TTextSink() = default;
    TTextSink(const TTextSink&) = delete;
    TTextSink& operator=(const TTextSink&) = delete;
    virtual ~TTextSink() = default;

    TTextSink& operator<<(std::string_view text) {
        Prepare();
        buffer_.append(text);
        if (buffer_.size() >= kBlockSize)
            Flush();
        return *this;
    }
    TTextSink& operator<<(char c) {
        Prepare();
        buffer_ += c;
        return *this;
    }
    // Numbers are turned into text by the formatting layer, never here; this
    // keeps an integer from being written as a character by accident.
    template <std::integral T>
    requires(!std::same_as<T, char>) TTextSink& operator<<(T) = delete;

    // Hands every collected byte on.
    void Flush();

    // Flushes the partner first whenever this sink is written to.
    void Pair(TTextSink& partner) {
        partner_ = &partner;
        partner.partner_ = this;
    }

    bool Failed() const { return !failure_.empty(); }
    // Why the first delivery failed ("No space left on device").
    const std::string& Failure() const { return failure_; }

  protected:
    // Hands bytes on. Returns an empty text when all of them went out,
    // otherwise the reason they did not.
    virtual std::string Deliver(std::string_view bytes) = 0;

  private:
    static constexpr std::size_t kBlockSize = 8192;

    void Prepare() {
        if (partner_ != nullptr && !partner_->buffer_.empty())
            partner_->Flush();
    }

    std::string buffer_;
    std::string failure_;
    TTextSink* partner_ = nullptr;
};

// Collects the text, for tests and in-process runs.
class TStringSink final : public TTextSink {
  public:
    // Everything written so far.
    const std::string& Text() {
        Flush();
        return text_;
    }

  protected:
    std::string Deliver(std::string_view bytes) override {
        text_.append(bytes);
        return {};
    }

  private:
    std::string text_;
};

// Standard output or standard error of the process.
class TStandardSink final : public TTextSink {
  public:
    explicit TStandardSink(platform::TStandardStream stream) : stream_(stream) {}

  protected:
    std::string Deliver(std::string_view bytes) override {
        return platform::WriteStandardStream(stream_, bytes);
    }

  private:
    platform::TStandardStream stream_;
};

class TOutputStreams {
  public:
    TOutputStreams(TTextSink& standardOutput, TTextSink& standardError)
        : standardOutput_(&standardOutput), standardError_(&standardError) {}

    TTextSink& StdOutText() const { return redirected_ ? *standardError_ : *standardOutput_; }
    TTextSink& StdErrText() const { return *standardError_; }
    // Standard output itself, redirected or not: the driver checks it for
    // failed writes at the end of the run.
    TTextSink& StandardOutput() const { return *standardOutput_; }

    // Lasts until the end of the run.
    void RedirectStdOutToStdErr() { redirected_ = true; }
    bool StdOutRedirected() const { return redirected_; }

  private:
    TTextSink* standardOutput_;
    TTextSink* standardError_;
    bool redirected_ = false;
};

// Writes count "-" characters, then an empty line when extraBlankLine is set,
// then ends the line.
void WriteDashLine(TTextSink& out, int count, bool extraBlankLine);

// User-supplied text as it may be echoed to a terminal, shown as cat -v
// shows it so that it cannot drive the terminal: control characters (bytes
// 0x00-0x1F other than tab, and 0x7F) in caret notation, "^[" for ESC and
// "^?" for DEL; the C1 controls U+0080-U+009F and bytes that belong to no
// well-formed UTF-8 sequence with "M-" before them ("M-^[" for U+009B, "M-C"
// for a lone 0xC3), so that the output stays valid UTF-8. Printable text,
// UTF-8 included, stays as it is.
std::string Printable(std::string_view text);

} // namespace orvex::cmdline
