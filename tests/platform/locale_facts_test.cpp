// The POSIX locale facts: which variable decides, what an installed locale
// gives in UTF-8, and the C locale's constant facts.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvex::platform {
namespace {

bool Installed(const std::string& name) {
    const locale_t locale = newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return false;
    freelocale(locale);
    return true;
}

using TSettings = std::vector<std::pair<const char*, const char*>>;

// Sets the locale variables for one test and puts back LC_ALL=C, the
// setting every other test runs with.
class LocaleEnvironment {
  public:
    explicit LocaleEnvironment(const TSettings& settings) {
        for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LANG"})
            unsetenv(name);
        for (const auto& [name, value] : settings)
            setenv(name, value, 1);
    }
    ~LocaleEnvironment() {
        for (const char* name : {"LC_NUMERIC", "LC_TIME", "LANG"})
            unsetenv(name);
        setenv("LC_ALL", "C", 1);
    }
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;
};

void SkipUnlessInstalled(const std::string& name) {
    if (Installed(name))
        return;
    if (std::getenv("ORVEX_REQUIRE_LOCALES") != nullptr)
        FAIL() << "the locale " << name << " is not installed";
    GTEST_SKIP() << "the locale " << name << " is not installed";
}

struct InstalledLocaleRow {
    const char* name;
    char decimalSeparator, thousandsSeparator;
    std::string_view march, december, sunday; // UTF-8
    std::string_view shortDate;
};

class InstalledLocale : public testing::TestWithParam<InstalledLocaleRow> {};

TEST_P(InstalledLocale, GivesItsFactsInUtf8) {
    const InstalledLocaleRow& row = GetParam();
    SkipUnlessInstalled(row.name);
    const LocaleEnvironment environment(TSettings{{"LC_ALL", row.name}});
    const TLocaleFacts facts = ReadLocaleFacts();
    EXPECT_EQ(facts.DecimalSeparator, row.decimalSeparator);
    EXPECT_EQ(facts.ThousandsSeparator, row.thousandsSeparator);
    EXPECT_EQ(facts.ShortMonthNames[2], row.march);
    EXPECT_EQ(facts.ShortMonthNames[11], row.december);
    EXPECT_EQ(facts.LongDayNames[0], row.sunday);
    EXPECT_EQ(facts.ShortDateFormat, row.shortDate);
    EXPECT_EQ(facts.LongTimeFormat, "hh:nn:ss");
}

INSTANTIATE_TEST_SUITE_P(
    Posix, InstalledLocale,
    testing::Values(
        InstalledLocaleRow{"de_DE.UTF-8", ',', '.', "M\xC3\xA4r", "Dez", "Sonntag", "dd.mm.yyyy"},
        // U+202F, the narrow no-break space, groups the digits.
        InstalledLocaleRow{"fr_FR.UTF-8", ',', ' ', "mars",
                           "d\xC3\xA9"
                           "c.",
                           "dimanche", "dd/mm/yyyy"},
        // U+2019, the right single quotation mark.
        InstalledLocaleRow{"de_CH.UTF-8", '.', '\'', "M\xC3\xA4r", "Dez", "Sonntag", "dd.mm.yyyy"},
        InstalledLocaleRow{"ru_RU.UTF-8", ',', ' ', "\xD0\xBC\xD0\xB0\xD1\x80",
                           "\xD0\xB4\xD0\xB5\xD0\xBA",
                           "\xD0\x92\xD0\xBE\xD1\x81\xD0\xBA\xD1\x80\xD0\xB5\xD1\x81\xD0\xB5"
                           "\xD0\xBD\xD1\x8C\xD0\xB5",
                           "dd.mm.yyyy"},
        // A locale of another character set: its names are converted.
        InstalledLocaleRow{"de_DE.ISO-8859-1", ',', '.', "M\xC3\xA4r", "Dez", "Sonntag",
                           "dd.mm.yyyy"}),
    [](const testing::TestParamInfo<InstalledLocaleRow>& info) {
        std::string name;
        for (const char* c = info.param.name; *c != '\0'; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

// Which variable decides each category, as the C library decides it: the
// numbers LC_ALL, LC_NUMERIC, LANG; the dates LC_ALL, LC_TIME, LANG.
struct PrecedenceRow {
    const char* title;
    TSettings settings;
    char decimalSeparator;  // ',' is de_DE's, '.' the C locale's
    std::string_view march; // "M\xC3\xA4r" is de_DE's, "Mar" the C locale's
};

class Precedence : public testing::TestWithParam<PrecedenceRow> {};

TEST_P(Precedence, DecidesEachCategory) {
    SkipUnlessInstalled("de_DE.UTF-8");
    const LocaleEnvironment environment(GetParam().settings);
    const TLocaleFacts facts = ReadLocaleFacts(lpAll);
    EXPECT_EQ(facts.DecimalSeparator, GetParam().decimalSeparator);
    EXPECT_EQ(facts.ShortMonthNames[2], GetParam().march);
}

constexpr std::string_view kGermanMarch = "M\xC3\xA4r";

INSTANTIATE_TEST_SUITE_P(
    Posix, Precedence,
    testing::Values(
        PrecedenceRow{"LcAllFirst",
                      {{"LC_ALL", "C"}, {"LC_NUMERIC", "de_DE.UTF-8"}, {"LC_TIME", "de_DE.UTF-8"}},
                      '.',
                      "Mar"},
        PrecedenceRow{"LcAllOverridesTheCategories",
                      {{"LC_ALL", "de_DE.UTF-8"}, {"LC_NUMERIC", "C"}, {"LC_TIME", "C"}},
                      ',',
                      kGermanMarch},
        PrecedenceRow{
            "LcNumericBeforeLang", {{"LC_NUMERIC", "de_DE.UTF-8"}, {"LANG", "C"}}, ',', "Mar"},
        PrecedenceRow{"LcTimeBeforeLang", {{"LC_TIME", "C"}, {"LANG", "de_DE.UTF-8"}}, ',', "Mar"},
        PrecedenceRow{"LangLast", {{"LANG", "de_DE.UTF-8"}}, ',', kGermanMarch},
        PrecedenceRow{"EmptyCountsAsUnset",
                      {{"LC_ALL", ""}, {"LC_NUMERIC", ""}, {"LANG", "de_DE.UTF-8"}},
                      ',',
                      kGermanMarch},
        PrecedenceRow{"LcTimeIsNotForNumbers", {{"LC_TIME", "de_DE.UTF-8"}}, '.', kGermanMarch},
        PrecedenceRow{"LcNumericIsNotForDates", {{"LC_NUMERIC", "de_DE.UTF-8"}}, ',', "Mar"},
        PrecedenceRow{"MissingLocaleIsC", {{"LC_ALL", "xx_XX.UTF-8"}}, '.', "Mar"},
        // A category whose own variable names a missing locale is the C
        // locale's; LANG does not stand in for it.
        PrecedenceRow{"MissingCategoryLocaleIsC",
                      {{"LC_TIME", "xx_XX.UTF-8"}, {"LANG", "de_DE.UTF-8"}},
                      ',',
                      "Mar"},
        PrecedenceRow{"NothingSetIsC", {}, '.', "Mar"}),
    [](const testing::TestParamInfo<PrecedenceRow>& info) { return info.param.title; });

TEST(ReadLocaleFacts, ReadsOnlyTheCategoriesAskedFor) {
    SkipUnlessInstalled("de_DE.UTF-8");
    const LocaleEnvironment environment(TSettings{{"LC_ALL", "de_DE.UTF-8"}});
    const TLocaleFacts numbers = ReadLocaleFacts(lpNumbers);
    EXPECT_EQ(numbers.DecimalSeparator, ',');
    EXPECT_EQ(numbers.ShortMonthNames[2], "");
    EXPECT_EQ(numbers.ShortDateFormat, "");
    const TLocaleFacts dates = ReadLocaleFacts(lpDates);
    EXPECT_EQ(dates.DecimalSeparator, '\0');
    EXPECT_EQ(dates.ShortMonthNames[2], "M\xC3\xA4r");
}

// The C locale's facts are constants of the program; they must be what the
// C library itself says of the C locale.
TEST(ReadLocaleFacts, CLocaleConstantsAreTheLibrarys) {
    const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    ASSERT_NE(c, static_cast<locale_t>(0));
    for (const char* name : {"C", "POSIX", "C.UTF-8"}) {
        const LocaleEnvironment environment(TSettings{{"LC_ALL", name}});
        const TLocaleFacts facts = ReadLocaleFacts();
        SCOPED_TRACE(name);
        EXPECT_EQ(facts.DecimalSeparator, nl_langinfo_l(RADIXCHAR, c)[0]);
        EXPECT_EQ(facts.ThousandsSeparator, nl_langinfo_l(THOUSEP, c)[0]);
        EXPECT_EQ(std::string_view(nl_langinfo_l(D_FMT, c)), "%m/%d/%y");
        EXPECT_EQ(facts.ShortDateFormat, "mm/dd/yy");
        EXPECT_EQ(std::string_view(nl_langinfo_l(T_FMT, c)), "%H:%M:%S");
        EXPECT_EQ(facts.LongTimeFormat, "hh:nn:ss");
        EXPECT_EQ(facts.TimeAmString, nl_langinfo_l(AM_STR, c));
        EXPECT_EQ(facts.TimePmString, nl_langinfo_l(PM_STR, c));
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(facts.ShortMonthNames[i], nl_langinfo_l(ABMON_1 + i, c));
            EXPECT_EQ(facts.LongMonthNames[i], nl_langinfo_l(MON_1 + i, c));
        }
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(facts.ShortDayNames[i], nl_langinfo_l(ABDAY_1 + i, c));
            EXPECT_EQ(facts.LongDayNames[i], nl_langinfo_l(DAY_1 + i, c));
        }
    }
    freelocale(c);
}

} // namespace
} // namespace orvex::platform
