// The screenshot's file name, its never-replacing path, and the row order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "graphics/screenshot.h"

TEST(Screenshot, FileNameCarriesTheDateAndTime) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 6;
    t.tm_hour = 1;
    t.tm_min = 2;
    t.tm_sec = 3;
    EXPECT_EQ(screenshot::FileName(t), "Screenshot 2026-12-06 01-02-03.png");
}

TEST(Screenshot, ATakenNameGetsTheNextNumber) {
    char pattern[] = "/tmp/qm_shots_XXXXXX";
    const std::string folder = std::string(mkdtemp(pattern)) + "/";
    const std::string name = "Screenshot 2026-12-06 01-02-03.png";
    EXPECT_EQ(screenshot::FreePath(folder, name), folder + name);
    std::ofstream(folder + name) << "x";
    EXPECT_EQ(screenshot::FreePath(folder, name), folder + "Screenshot 2026-12-06 01-02-03 2.png");
    // A picture still being written counts as taken too.
    EXPECT_EQ(screenshot::FreePath(folder, name, {folder + "Screenshot 2026-12-06 01-02-03 2.png"}),
              folder + "Screenshot 2026-12-06 01-02-03 3.png");
    std::filesystem::remove_all(folder);
}

TEST(Screenshot, RowsAreTurnedTopToBottom) {
    // 2 x 3 pixels, bottom row first as GL reads them; each pixel's bytes name its row.
    std::vector<unsigned char> gl;
    for (unsigned char row : {0, 1, 2})
        for (int i = 0; i < 2 * 4; ++i) gl.push_back(row);
    const std::vector<unsigned char> png = screenshot::FlipRows(gl, 2, 3);
    ASSERT_EQ(png.size(), gl.size());
    for (int y = 0; y < 3; ++y)
        for (int i = 0; i < 8; ++i) EXPECT_EQ(png[size_t(y) * 8 + size_t(i)], 2 - y) << y;
}
