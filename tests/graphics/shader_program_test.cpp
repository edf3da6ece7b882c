#include "graphics/shader_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/debug_exception.h"
#include "core/log.h"

TEST(ShaderProgram, EveryLiveProgramOfAChangedFileIsReloadedAnUnreadableOneIsKept) {
    char pattern[] = "/tmp/qm_shaders_XXXXXX";
    const std::string folder = std::string(mkdtemp(pattern)) + "/";
    for (const char* f : {"a.vs", "a.frag", "b.frag"}) std::ofstream(folder + f) << "void main() {}\n";
    EXPECT_THROW(ShaderProgram(folder + "a.vs", folder + "none.frag"), debug::exception);
    EXPECT_THROW(ShaderProgram(folder + "none.vs", folder + "a.frag"), debug::exception);
    ShaderProgram first(folder + "a.vs", folder + "a.frag"), second(folder + "a.vs", folder + "b.frag");
    {
        ShaderProgram third(folder + "a.vs", folder + "a.frag");
        EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(folder + "a.vs"), 3);
    }
    EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(folder + "a.frag"), 1);  // the destroyed one is gone
    EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(folder + "c.frag"), 0);
    std::filesystem::remove(folder + "b.frag");
    ClearLog();
    EXPECT_FALSE(second.Reload());
    EXPECT_EQ(GetLog().size(), 1u);  // and says so
    EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(folder + "b.frag"), 0);
    std::filesystem::remove_all(folder);
}
