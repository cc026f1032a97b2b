#include "core/BuildInfo.h"

#include "platform/sim/SimServices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <vector>

namespace quillmere {
namespace {

namespace fs = std::filesystem;

const std::string U = BuildInfo::Unknown;

struct Case {
    const char* what;
    std::string file;
    std::string build, date, version;
};

class BuildInfoTest : public testing::Test {
protected:
    void TearDown() override { fs::remove_all(resources.folder()); }

    void expectReads(const std::vector<Case>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            resources.writeFile("BuildInfo.txt", c.file);
            expectRead(c.build, c.date, c.version);
        }
    }
    void expectRead(const std::string& build, const std::string& date, const std::string& version) {
        const auto info = BuildInfo::fromResourceFile(resources, "BuildInfo");
        EXPECT_EQ(info.build(), build);
        EXPECT_EQ(info.date(), date);
        EXPECT_EQ(info.version(), version);
    }

    sim::SimResources resources{fs::temp_directory_path() /
                                ("quillmere-buildinfo-" + std::to_string(std::random_device{}()))};
};

TEST_F(BuildInfoTest, WellFormedFiles) {
    expectReads({
        // 32 code points: without the end of the last one, reading the value overflows (sanitizer).
        {"every line break, empty lines, a byte order mark, no final break",
         "\xEF\xBB\xBF"
         "Build=7\r\n\n\v\fDate=d\u0085\u2028\u2029Version=v2",
         "7", "d", "v2"},
        {"blanks around lines trimmed, inside and after = kept, any order, UTF-8 of every length",
         "Version=1 .2=\u3000\nDate= d "
         "\u2000\u200A\n\u00A0\tBuild=\u0080\u0800\U00010000\U0010FFFF",
         "\u0080\u0800\U00010000\U0010FFFF", " d", "1 .2="},
    });
}

// Broken files never fail the program: whatever could not be read stays "UNKNOWN".
TEST_F(BuildInfoTest, MalformedFiles) {
    expectReads({
        {"lines without key or value passed over",
         "Build=7\n \t \njunk\n=x\nDate=\nVersion= \t\nVersion=v", "7", U, "v"},
        {"unknown key ends the reading", "Build=7\nCommit=abc\nDate=d\nVersion=v", "7", U, U},
        {"empty file", "", U, U, U},
    });
    const std::string good = "Build=7\nDate=d\nVersion=";
    for (const std::string& invalidUtf8 :
         {good + "\x80", good + "\xC0\xAF", good + "\xE0\x80\xAF", good + "\xF0\x82\x82\xAC",
          good + "\xED\xA0\x80", good + "\xED\xBF\xBF", good + "\xF4\x90\x80\x80",
          good + "\xE2\x82", std::string("Build=\xE2\x82\nDate=d\nVersion=v")}) {
        expectReads({{"invalid UTF-8", invalidUtf8, U, U, U}});
    }
}

TEST_F(BuildInfoTest, UnreadableResourceReadsNothing) {
    expectRead(U, U, U); // not packaged
    fs::create_directories(resources.folder() / "BuildInfo.txt");
    expectRead(U, U, U); // a directory in its place: the stream throws instead of failing
}

} // namespace
} // namespace quillmere
