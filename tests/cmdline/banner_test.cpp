#include "cmdline/banner.h"

#include "cmdline/build_info.h"
#include "context_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orvex::cmdline {
namespace {

using testing::ContextUnderTest;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

struct Stamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

Stamp BuildStamp() {
    Stamp s;
    const std::string text(BuildDateTime());
    EXPECT_EQ(std::sscanf(text.c_str(), "%4d/%2d/%2d %2d:%2d:%2d", &s.year, &s.month, &s.day,
                          &s.hour, &s.minute, &s.second),
              6)
        << text;
    EXPECT_EQ(std::string(BuildDate()), text.substr(0, 10));
    return s;
}

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// "27 Aug 2023", computed apart from the date library.
std::string ExpectedDate(const Stamp& s) {
    return TwoDigits(s.day) + " " + kMonths[s.month - 1] + " " + std::to_string(s.year);
}

class BannerTest : public ::testing::Test {
  protected:
    explicit BannerTest(std::string path = "/opt/calc/orvex.exe") : run({}, std::move(path)) {
        InitFileVersionInfo(run.context, record, "2.4.0", "2.4.0.290",
                            "Perform Basic Arithmetic Calculations at the Command-Line", false);
    }

    std::string BannerLines() const {
        return "orvex v2.4.0" + std::string(ArchitectureText()) + " (" + ExpectedDate(stamp) +
               ") - Perform Basic Arithmetic Calculations at the Command-Line\n"
               "Copyright (c) 2023-2026 The Orvex Developers\n"
               "Written by The Orvex Developers - https://orvex.dev\n\n";
    }
    std::string BuildLine(char timeSeparator = ':') const {
        const std::string zeros = std::string(1, timeSeparator) + "00";
        return "orvex.exe v2.4.0.290" + std::string(ArchitectureText()) + " was compiled on " +
               ExpectedDate(stamp) + " @ " + TwoDigits(stamp.hour) + zeros + zeros + " using " +
               std::string(CompilerText()) + "\n";
    }

    ContextUnderTest run;
    TFileVersionInfoRec record;
    Stamp stamp = BuildStamp();
};

TEST_F(BannerTest, PrintsTheBannerAlone) {
    ShowBanner(run.context, record, false, true);
    EXPECT_EQ(run.err.Text(), BannerLines());
    EXPECT_EQ(run.out.Text(), "");
    EXPECT_TRUE(run.context.BannerShown);
}

TEST_F(BannerTest, PrintsTheBuildLineAloneWithoutAnEmptyLine) {
    ShowBanner(run.context, record, true, false);
    EXPECT_EQ(run.err.Text(), BuildLine());
}

TEST_F(BannerTest, PrintsBothWithAnEmptyLineAfterEach) {
    ShowBanner(run.context, record, true, true);
    EXPECT_EQ(run.err.Text(), BannerLines() + BuildLine() + "\n");
}

TEST_F(BannerTest, PrintsOncePerRunWhateverTheFlags) {
    ShowBanner(run.context, record, false, false);
    EXPECT_TRUE(run.context.BannerShown);
    ShowBanner(run.context, record, true, true);
    EXPECT_EQ(run.err.Text(), "");

    ContextUnderTest second({});
    ShowBanner(second.context, record, false, true);
    ShowBanner(second.context, record, true, true);
    EXPECT_EQ(second.err.Text(), BannerLines());
}

TEST_F(BannerTest, LeavesTheDateSeparatorSlashAndRestoresTheShortDateFormat) {
    run.context.ReadDateFacts();
    run.context.FormatSettings.DateSeparator = '.';
    run.context.FormatSettings.ShortDateFormat = "dd.mm.yyyy";
    ShowBanner(run.context, record, false, false);
    EXPECT_EQ(run.context.FormatSettings.DateSeparator, '/');
    EXPECT_EQ(run.context.FormatSettings.ShortDateFormat, "dd.mm.yyyy");
}

TEST_F(BannerTest, UsesTheLocaleMonthNamesAndTimeSeparator) {
    run.context.ReadDateFacts();
    for (int i = 0; i < 12; ++i)
        run.context.FormatSettings.ShortMonthNames[static_cast<std::size_t>(i)] =
            "M" + std::to_string(i + 1);
    run.context.FormatSettings.TimeSeparator = '.';
    ShowBanner(run.context, record, true, false);
    std::string expected = BuildLine('.');
    const std::string english = std::string(" ") + kMonths[stamp.month - 1] + " ";
    expected.replace(expected.find(english), english.size(),
                     " M" + std::to_string(stamp.month) + " ");
    EXPECT_EQ(run.err.Text(), expected);
}

class RenamedBannerTest : public BannerTest {
  protected:
    RenamedBannerTest() : BannerTest("/tmp/tools/calc") {}
};

TEST_F(RenamedBannerTest, NamesTheRenamedExecutable) {
    ShowBanner(run.context, record, true, true);
    const std::string text = run.err.Text();
    EXPECT_TRUE(text.starts_with("calc v2.4.0" + std::string(ArchitectureText()) + " (")) << text;
    EXPECT_NE(
        text.find("\ncalc v2.4.0.290" + std::string(ArchitectureText()) + " was compiled on "),
        std::string::npos)
        << text;
    EXPECT_EQ(text.find("orvex v"), std::string::npos);
}

TEST(ParseDateTimeText, ReadsDateTimeAndMilliseconds) {
    ContextUnderTest run({});
    run.context.FormatSettings.ShortDateFormat = "yyyy/mm/dd";
    run.context.FormatSettings.DateSeparator = '/';
    using formatting::EncodeDateTime;
    struct Case {
        const char* text;
        formatting::TDateTime expected;
    };
    const Case cases[] = {
        {"2023/08/27 11:31:15", EncodeDateTime(2023, 8, 27, 11, 31, 15, 0)},
        {"2023/08/27 11:31:15.5", EncodeDateTime(2023, 8, 27, 11, 31, 15, 500)},
        {"2023/08/27 11:31:15.12345", EncodeDateTime(2023, 8, 27, 11, 31, 15, 123)},
        {"2023/08/27", EncodeDateTime(2023, 8, 27, 0, 0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ParseDateTimeText(run.context.FormatSettings, c.text, "mm/dd/yyyy"),
                         c.expected)
            << c.text;
}

TEST(ParseDateTimeText, ATimeWithoutDateIsToday) {
    ContextUnderTest run({});
    const formatting::TDateTime before = formatting::CurrentDate();
    const formatting::TDateTime value =
        ParseDateTimeText(run.context.FormatSettings, "06:00:00", "mm/dd/yyyy");
    const formatting::TDateTime after = formatting::CurrentDate();
    EXPECT_TRUE(value == before + 0.25 || value == after + 0.25) << value;
}

TEST(ParseDateTimeText, KeepsAnExplicitDayZero) {
    ContextUnderTest run({});
    run.context.FormatSettings.ShortDateFormat = "mm/dd/yyyy";
    EXPECT_DOUBLE_EQ(
        ParseDateTimeText(run.context.FormatSettings, "12/30/1899 06:00", "mm/dd/yyyy"), 0.25);
}

} // namespace
} // namespace orvex::cmdline
