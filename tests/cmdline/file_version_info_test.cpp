#include "cmdline/file_version_info.h"

#include "context_fixture.h"

#include <gtest/gtest.h>

namespace orvex::cmdline {
namespace {

using testing::ContextUnderTest;

struct IdentityCase {
    std::string path;
    bool upperCase;
    std::string fileName;
    std::string baseName;
    std::string extension;
    std::string directory;
};

class InitFileVersionInfoTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(InitFileVersionInfoTest, NamesComeFromTheExecutableFile) {
    const IdentityCase& c = GetParam();
    ContextUnderTest run({}, c.path);
    TFileVersionInfoRec record;
    InitFileVersionInfo(run.context, record, "2.4.0", "2.4.0.290", "Does sums", c.upperCase);
    EXPECT_TRUE(record.Initialized);
    EXPECT_EQ(record.FileName, c.fileName);
    EXPECT_EQ(record.BaseName, c.baseName);
    EXPECT_EQ(record.Extension, c.extension);
    EXPECT_EQ(record.Directory, c.directory);
    EXPECT_EQ(record.ShortTitle, c.baseName + " v2.4.0");
    EXPECT_EQ(record.FileTitle, c.fileName + " v2.4.0.290");
    EXPECT_EQ(record.FullTitle, c.baseName + " v2.4.0.290");
    EXPECT_EQ(record.Description, "Does sums");
    EXPECT_EQ(record.Copyright, "Copyright (c) 2023-2026 The Orvex Developers");
    EXPECT_EQ(record.Credits, "Written by The Orvex Developers - https://orvex.dev");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, InitFileVersionInfoTest,
    ::testing::Values(
        IdentityCase{"/opt/calc/orvex", false, "orvex", "orvex", "", "/opt/calc"},
        IdentityCase{"/opt/calc/orvex.exe", false, "orvex.exe", "orvex", ".exe", "/opt/calc"},
        IdentityCase{"/opt/calc/orvex.exe.exe", false, "orvex.exe.exe", "orvex", ".exe",
                     "/opt/calc"},
        IdentityCase{"/opt/calc/Calc.exe.EXE", false, "Calc.exe.EXE", "Calc", ".EXE", "/opt/calc"},
        IdentityCase{"/tmp/my dir/sums", false, "sums", "sums", "", "/tmp/my dir"},
        IdentityCase{"/a.b/orvex", false, "orvex", "orvex", "", "/a.b"},
        IdentityCase{"orvex.bin", false, "orvex.bin", "orvex", ".bin", ""},
        IdentityCase{"/x/Orvex.exe", true, "ORVEX.EXE", "ORVEX", ".exe", "/x"}));

// The executable's path split into directory, file name and extension, as
// the identity record and the syntax-error report take them.
TEST(PathParts, SplitAtTheLastSeparator) {
    const struct {
        std::string_view path, directory, fileName, extension;
    } rows[] = {
        {"/usr/bin/orvex", "/usr/bin", "orvex", ""},
        {"/orvex", "", "orvex", ""},
        {"orvex", "", "orvex", ""},
        {"", "", "", ""},
        {"./orvex", ".", "orvex", ""},
        {"bin//orvex", "bin/", "orvex", ""},
        {"/opt/v2.4/orvex", "/opt/v2.4", "orvex", ""},
        {"/opt/orvex.tar.gz", "/opt", "orvex.tar.gz", ".gz"},
        {"/opt/.orvex", "/opt", ".orvex", ".orvex"},
        {"/opt/orvex.", "/opt", "orvex.", "."},
        {"/opt/calc/", "/opt/calc", "", ""},
#ifdef _WIN32
        {"C:\\Tools\\orvex.exe", "C:\\Tools", "orvex.exe", ".exe"},
        {"C:\\Tools/sub\\orvex.exe", "C:\\Tools/sub", "orvex.exe", ".exe"},
        {"\\\\server\\share\\orvex.exe", "\\\\server\\share", "orvex.exe", ".exe"},
#else
        // A backslash is an ordinary character of a POSIX file name.
        {"/opt/a\\b.exe", "/opt", "a\\b.exe", ".exe"},
        {"C:orvex", "", "C:orvex", ""},
#endif
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(PathDirectory(row.path), row.directory);
        EXPECT_EQ(PathFileName(row.path), row.fileName);
        EXPECT_EQ(PathExtension(row.path), row.extension);
    }
}

} // namespace
} // namespace orvex::cmdline
