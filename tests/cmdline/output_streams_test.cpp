// The output sinks: blocks handed on in order, the first failure kept, the
// pair of standard streams interleaved as written, and echoed user text made
// harmless to a terminal.
#include "cmdline/output_streams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvex::cmdline {
namespace {

// Records every delivery, and can be told to fail from a given one on.
class RecordingSink final : public TTextSink {
  public:
    RecordingSink(std::vector<std::string>& log, std::string name)
        : log_(log), name_(std::move(name)) {}
    int failFrom = -1; // the delivery number that fails first; -1 never
    int deliveries = 0;

  protected:
    std::string Deliver(std::string_view bytes) override {
        log_.push_back(name_ + ":" + std::string(bytes));
        return failFrom >= 0 && deliveries++ >= failFrom ? "No space left on device" : "";
    }

  private:
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(TextSink, CollectsUntilFlushed) {
    std::vector<std::string> log;
    RecordingSink sink(log, "out");
    sink << "1" << '+' << std::string("2") << std::string_view(" = 3\n");
    EXPECT_TRUE(log.empty());
    sink.Flush();
    sink.Flush();
    EXPECT_EQ(log, (std::vector<std::string>{"out:1+2 = 3\n"}));
}

TEST(TextSink, HandsLargeOutputOnInBlocksWithoutLosingBytes) {
    std::vector<std::string> log;
    RecordingSink sink(log, "out");
    std::string written;
    for (int i = 0; i < 5000; ++i) {
        const std::string line = "line " + std::to_string(i) + "\n";
        sink << line;
        written += line;
    }
    EXPECT_GE(log.size(), 2u) << "a big output is not held back to the end";
    sink.Flush();
    std::string delivered;
    for (const std::string& entry : log)
        delivered += entry.substr(4);
    EXPECT_EQ(delivered, written);
}

TEST(TextSink, KeepsTheFirstFailureAndDropsLaterOutput) {
    std::vector<std::string> log;
    RecordingSink sink(log, "out");
    sink.failFrom = 1;
    sink << "first";
    sink.Flush();
    EXPECT_FALSE(sink.Failed());
    sink << "second";
    sink.Flush();
    EXPECT_TRUE(sink.Failed());
    EXPECT_EQ(sink.Failure(), "No space left on device");
    sink << "third";
    sink.Flush();
    EXPECT_EQ(log, (std::vector<std::string>{"out:first", "out:second"}));
}

TEST(TextSink, PairedSinksReachTheTerminalInTheOrderWritten) {
    std::vector<std::string> log;
    RecordingSink out(log, "out");
    RecordingSink err(log, "err");
    out.Pair(err);
    out << "Expression Evaluated: 1 / 0\n";
    err << "ERROR!  ";
    err << "Divide by Zero Error\n";
    out << "after\n";
    out.Flush();
    err.Flush();
    EXPECT_EQ(log, (std::vector<std::string>{"out:Expression Evaluated: 1 / 0\n",
                                             "err:ERROR!  Divide by Zero Error\n", "out:after\n"}));
}

TEST(TextSink, StringSinkGivesEverythingWritten) {
    TStringSink sink;
    sink << "a";
    EXPECT_EQ(sink.Text(), "a");
    sink << 'b';
    EXPECT_EQ(sink.Text(), "ab");
    EXPECT_FALSE(sink.Failed());
}

TEST(OutputStreams, RedirectionSendsStandardOutputToStandardError) {
    TStringSink out, err;
    TOutputStreams streams(out, err);
    EXPECT_EQ(&streams.StdOutText(), &out);
    streams.RedirectStdOutToStdErr();
    EXPECT_EQ(&streams.StdOutText(), &err);
    EXPECT_EQ(&streams.StandardOutput(), &out);
    EXPECT_TRUE(streams.StdOutRedirected());
}

TEST(Printable, ShowsControlCharactersInCaretNotation) {
    const struct {
        std::string_view text, shown;
    } rows[] = {
        {"1 + 2", "1 + 2"},
        {"", ""},
        {"\x1b[2J", "^[[2J"},
        {"\x1b]52;c;aGk=\x07", "^[]52;c;aGk=^G"},
        {std::string_view("\0", 1), "^@"},
        {"\x01\x1f", "^A^_"},
        {"\x7f", "^?"},
        {"a\tb", "a\tb"}, // a tab moves the cursor only
        {"a\nb\r", "a^Jb^M"},
        {"\xc3\xa9\xe2\x80\xaf", "\xc3\xa9\xe2\x80\xaf"}, // UTF-8 stays
        {"\xe2\x82\xac \xf0\x9f\x98\x80", "\xe2\x82\xac \xf0\x9f\x98\x80"},
        {"\xc2\x9b"
         "2J",
         "M-^[2J"},                              // U+009B, the C1 form of ESC [
        {"\xc2\x85", "M-^E"},                    // U+0085, next line
        {"\xc2\xa0", "\xc2\xa0"},                // U+00A0 is printable
        {"\x9b", "M-^["},                        // a lone continuation byte
        {"\xc3", "M-C"},                         // a lead byte cut off
        {"\xc3(", "M-C("},                       // a lead byte without its continuation
        {"\xc0\xaf", "M-@M-/"},                  // an overlong "/"
        {"\xed\xa0\x80", "M-mM- M-^@"},          // a UTF-16 surrogate
        {"\xf4\x90\x80\x80", "M-tM-^PM-^@M-^@"}, // past U+10FFFF
        {"\xff", "M-^?"},
        {" ~", " ~"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Printable(row.text), row.shown);
}

} // namespace
} // namespace orvex::cmdline
