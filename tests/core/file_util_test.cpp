// Whole-file reads and crash-safe writes: the bytes come back exactly, a write
// that fails leaves the old file, folders and missing files read as nothing;
// listings are sorted and hold only regular files with the extension.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/file_util.h"

namespace fs = std::filesystem;

TEST(FileUtilTest, WritesReadBackExactlyAndAFailedOneLeavesTheOldFile) {
    const fs::path dir = fs::temp_directory_path() / ("qm_file_util_" + std::to_string(getpid()));
    fs::create_directories(dir / "d.json");
    const std::string file = (dir / "level.json").string(), folder = (dir / "d.json").string();
    std::string content;
    for (int i = 0; i < 300000; ++i) content.push_back(char(i * 7));  // NUL bytes, more than a read block
    EXPECT_TRUE(WriteFileAtomically(file, content));
    EXPECT_EQ(ReadWholeFile(file), content);
    fs::create_directory(file + ".tmp");  // the temporary file cannot be made
    EXPECT_FALSE(WriteFileAtomically(file, "new"));
    EXPECT_EQ(ReadWholeFile(file), content);
    EXPECT_FALSE(WriteFileAtomically(folder, "new"));  // the rename cannot replace a folder
    EXPECT_FALSE(fs::exists(folder + ".tmp"));
    EXPECT_EQ(ReadWholeFile(folder), std::nullopt);
    EXPECT_EQ(ReadWholeFile((dir / "absent").string()), std::nullopt);
    std::ifstream cmdline("/proc/self/cmdline");  // its size is not known before it is read
    EXPECT_EQ(ReadWholeFile("/proc/self/cmdline"), std::string(std::istreambuf_iterator<char>(cmdline), {}));
    for (const char* name : {"b.json", "B.json", "c.txt", "a.json.tmp"}) EXPECT_TRUE(WriteFileAtomically((dir / name).string(), ""));
    EXPECT_EQ(ReadWholeFile((dir / "b.json").string()), "");
    EXPECT_EQ(ListFilesWithExtension(dir.string(), "json"), (std::vector<std::string>{"B", "b", "level"}));
    EXPECT_TRUE(ListFilesWithExtension((dir / "missing").string(), "json").empty());
    // Every file is closed again: a long session does not run out of descriptors.
    rlimit old{}, few{};
    getrlimit(RLIMIT_NOFILE, &old);
    few = {rlim_t(std::distance(fs::directory_iterator("/proc/self/fd"), {})) + 16, old.rlim_max};
    setrlimit(RLIMIT_NOFILE, &few);
    int failed = 0;
    for (int i = 0; i < 100; ++i) failed += !(WriteFileAtomically(folder + "/x", "x") && ReadWholeFile(folder + "/x"));
    setrlimit(RLIMIT_NOFILE, &old);
    EXPECT_EQ(failed, 0);
    fs::remove_all(dir);
}
