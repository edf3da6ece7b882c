#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "core/file_util.h"

namespace fs = std::filesystem;

namespace {

class FileUtilTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("qm_file_util_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string At(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(FileUtilTest, WrittenBytesReadBackExactlyAndNoTemporaryFileStays) {
    // Larger than the read block, with NUL bytes and no final newline.
    std::string content;
    for (int i = 0; i < 300000; ++i) content.push_back(char(i * 7));
    ASSERT_TRUE(WriteFileAtomically(At("level.json"), content));
    EXPECT_EQ(ReadWholeFile(At("level.json")), content);
    EXPECT_FALSE(fs::exists(At("level.json.tmp")));

    ASSERT_TRUE(WriteFileAtomically(At("level.json"), ""));
    EXPECT_EQ(ReadWholeFile(At("level.json")), std::string());
}

TEST_F(FileUtilTest, AFailedWriteLeavesTheOldFileWhole) {
    ASSERT_TRUE(WriteFileAtomically(At("save.json"), "old"));

    // The temporary cannot be created: a folder is in its place.
    fs::create_directory(At("save.json.tmp"));
    EXPECT_FALSE(WriteFileAtomically(At("save.json"), "new"));
    EXPECT_EQ(ReadWholeFile(At("save.json")), "old");
    fs::remove(At("save.json.tmp"));

    // The rename fails: the target is a folder, which must survive untouched.
    fs::create_directory(At("folder"));
    EXPECT_FALSE(WriteFileAtomically(At("folder"), "new"));
    EXPECT_TRUE(fs::is_directory(At("folder")));
    EXPECT_FALSE(fs::exists(At("folder.tmp")));

    EXPECT_FALSE(WriteFileAtomically(At("missing/save.json"), "new"));
}

TEST_F(FileUtilTest, FoldersAndMissingFilesReadAsNothing) {
    fs::create_directory(At("level.json"));
    EXPECT_EQ(ReadWholeFile(At("level.json")), std::nullopt);
    EXPECT_EQ(ReadWholeFile(At("absent.json")), std::nullopt);
}

TEST_F(FileUtilTest, ListingGivesSortedStemsOfRegularFilesWithThatExtension) {
    for (const char* name : {"b.json", "a.json", "c.txt", "a.json.tmp", "B.json"}) WriteFileAtomically(At(name), "{}");
    fs::create_directory(At("d.json"));
    const std::vector<std::string> expected = {"B", "a", "b"};
    EXPECT_EQ(ListFilesWithExtension(dir_.string(), "json"), expected);
    EXPECT_TRUE(ListFilesWithExtension(At("missing"), "json").empty());
}

}  // namespace
