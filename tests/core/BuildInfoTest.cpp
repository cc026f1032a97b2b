#include "core/BuildInfo.h"

#include "platform/Resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace quillmere {
namespace {

namespace fs = std::filesystem;

// Packages exactly one resource, "BuildInfo.txt", at `path`; or nothing when `path` is empty.
class FakeResources : public Resources {
public:
    explicit FakeResources(std::string path)
        : path_(std::move(path)) {}
    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& extension) const override {
        if (path_.empty() || name != "BuildInfo" || extension != "txt") {
            return std::nullopt;
        }
        return path_;
    }
    std::shared_ptr<const Image> image(const std::string&) override { return nullptr; }

private:
    std::string path_;
};

const std::string U = BuildInfo::Unknown;

struct Case {
    const char* what;
    std::string file;
    std::string build, date, version;
};

class BuildInfoTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quillmere-buildinfo-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    BuildInfo read(const std::string& bytes) {
        const auto path = dir_ / "BuildInfo.txt";
        std::ofstream(path, std::ios::binary) << bytes;
        return BuildInfo::fromResourceFile(FakeResources(path.string()), "BuildInfo");
    }

    void expectReads(const std::vector<Case>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            const auto info = read(c.file);
            EXPECT_EQ(info.build(), c.build);
            EXPECT_EQ(info.date(), c.date);
            EXPECT_EQ(info.version(), c.version);
        }
    }

    fs::path dir_;
};

TEST_F(BuildInfoTest, EveryKindOfLineBreakSeparatesLines) {
    expectReads({
        {"LF", "Build=7\nDate=2024-05-01\nVersion=1.2\n", "7", "2024-05-01", "1.2"},
        {"CR LF", "Build=7\r\nDate=2024-05-01\r\nVersion=1.2\r\n", "7", "2024-05-01", "1.2"},
        {"CR, no final break", "Build=7\rDate=d\rVersion=v", "7", "d", "v"},
        {"VT and FF", "Build=7\vDate=d\fVersion=v", "7", "d", "v"},
        {"NEL, LS, PS", "Build=7\u0085Date=d\u2028Version=v\u2029", "7", "d", "v"},
        {"empty lines", "\n\n\r\nBuild=7\n\n\nDate=d\r\n\r\nVersion=v\n\n", "7", "d", "v"},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "Build=7\nDate=d\nVersion=v",
         "7", "d", "v"},
    });
}

TEST_F(BuildInfoTest, KeysAndValues) {
    expectReads({
        {"blanks trimmed", "  Build=7\t\n\u00A0\u3000Date=d \u2003\nVersion=v", "7", "d", "v"},
        {"blanks inside kept", "Build=7 b\nDate=d\nVersion=1 .2", "7 b", "d", "1 .2"},
        {"any order", "Version=v\nDate=d\nBuild=7", "7", "d", "v"},
        {"= inside value", "Build=7\nDate=d\nVersion=a=b=", "7", "d", "a=b="},
        {"non-ASCII value", "Build=7\nDate=d\nVersion=\u00E9t\u00E9 \u2603", "7", "d",
         "\u00E9t\u00E9 \u2603"},
        {"last duplicate wins", "Build=1\nDate=d\nBuild=2\nVersion=v", "2", "d", "v"},
        {"missing field", "Build=7\nVersion=v", "7", U, "v"},
        {"value UNKNOWN", "Build=7\nDate=d\nVersion=UNKNOWN", "7", "d", U},
        {"empty file", "", U, U, U},
        {"only breaks", "\n\r\n\r\v\f\u2028", U, U, U},
    });
}

TEST_F(BuildInfoTest, UnrecognisedKeyEndsTheReading) {
    expectReads({
        {"unknown key in the middle", "Build=7\nCommit=abc\nDate=d\nVersion=v", "7", U, U},
        {"unknown first line", "Name=x\nBuild=7\nDate=d\nVersion=v", U, U, U},
        {"lower-case key", "Build=7\nversion=v\nDate=d", "7", U, U},
        {"space before =", "Build=7\nDate =d\nVersion=v", "7", U, U},
        {"space after = is kept", "Build= 7\nDate=d\nVersion=v", " 7", "d", "v"},
    });
}

TEST_F(BuildInfoTest, LinesWithoutKeyOrValueArePassedOver) {
    expectReads({
        {"blank line", "Build=7\n \t \nDate=d\nVersion=v", "7", "d", "v"},
        {"no =", "Build=7\njunk\nDate=d\nVersion=v", "7", "d", "v"},
        {"no key", "Build=7\n=x\nDate=d\nVersion=v", "7", "d", "v"},
        {"no value", "Build=7\nDate=\nVersion=v", "7", U, "v"},
        {"= then blanks", "Build=7\nDate=d\nVersion= \t", "7", "d", U},
        {"= on the next line", "Build\nDate=d\nVersion=v", U, "d", "v"},
    });
}

TEST_F(BuildInfoTest, InvalidUtf8ReadsNothing) {
    const std::string good = "Build=7\nDate=d\nVersion=";
    expectReads({
        {"stray continuation", good + "\x80", U, U, U},
        {"overlong slash", good + "\xC0\xAF", U, U, U},
        {"overlong 3-byte", good + "\xE0\x80\xAF", U, U, U},
        {"overlong 4-byte", good + "\xF0\x82\x82\xAC", U, U, U},
        {"surrogate", good + "\xED\xA0\x80", U, U, U},
        {"above U+10FFFF", good + "\xF4\x90\x80\x80", U, U, U},
        {"invalid lead", good + "\xFF", U, U, U},
        {"truncated at end", good + "\xE2\x82", U, U, U},
        {"truncated mid-text", "Build=\xE2\x82\nDate=d\nVersion=v", U, U, U},
    });
}

TEST_F(BuildInfoTest, UnreadableResourceReadsNothing) {
    read("Build=7\nDate=d\nVersion=v");
    const struct {
        const char* what;
        std::string path, basename;
    } cases[] = {
        {"not packaged", "", "BuildInfo"},
        {"other base name", (dir_ / "BuildInfo.txt").string(), "Other"},
        {"file gone", (dir_ / "gone.txt").string(), "BuildInfo"},
        {"a directory", dir_.string(), "BuildInfo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto info = BuildInfo::fromResourceFile(FakeResources(c.path), c.basename);
        EXPECT_EQ(info.build(), U);
        EXPECT_EQ(info.date(), U);
        EXPECT_EQ(info.version(), U);
    }
}

} // namespace
} // namespace quillmere
