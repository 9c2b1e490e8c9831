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

} // namespace
} // namespace orvex::cmdline
