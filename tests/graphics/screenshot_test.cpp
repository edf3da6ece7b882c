#include "graphics/screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(Screenshot, NamesCarryTheTimeAndNeverReplaceAPicture) {
    const std::tm t{.tm_sec = 3, .tm_min = 2, .tm_hour = 1, .tm_mday = 6, .tm_mon = 11, .tm_year = 126};
    const std::string name = screenshot::FileName(t);
    EXPECT_EQ(name, "Screenshot 2026-12-06 01-02-03.png");
    char pattern[] = "/tmp/qm_shots_XXXXXX";
    const std::string folder = std::string(mkdtemp(pattern)) + "/";
    EXPECT_EQ(screenshot::FreePath(folder, name), folder + name);
    std::ofstream(folder + name) << "x";
    EXPECT_EQ(screenshot::FreePath(folder, name), folder + "Screenshot 2026-12-06 01-02-03 2.png");
    // A picture still being written counts as taken too.
    EXPECT_EQ(screenshot::FreePath(folder, name, {folder + "Screenshot 2026-12-06 01-02-03 2.png"}),
              folder + "Screenshot 2026-12-06 01-02-03 3.png");
    std::filesystem::remove_all(folder);
}

TEST(Screenshot, RowsAreTurnedTopToBottom) {
    // 2 x 3 pixels, bottom row first as GL reads them; each byte names its row.
    std::vector<unsigned char> gl;
    for (unsigned char row : {0, 1, 2}) gl.insert(gl.end(), 2 * 4, row);
    const std::vector<unsigned char> png = screenshot::FlipRows(gl, 2, 3);
    for (size_t i = 0; i < png.size(); ++i) EXPECT_EQ(png[i], 2 - int(i / 8)) << i;
}
