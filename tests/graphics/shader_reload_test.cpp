// Reloading shader programs by file, on the null device (the GL side is
// checked by the hot reload integration test).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/log.h"
#include "graphics/shader_program.h"

namespace {

class ShaderReloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qm_shaders_XXXXXX";
        folder_ = mkdtemp(pattern);
        for (const char* f : {"a.vs", "a.frag", "b.frag"}) Write(f);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    void Write(const std::string& file) { std::ofstream(Path(file)) << "void main() {}\n"; }
    std::string Path(const std::string& file) const { return folder_ + "/" + file; }

    std::string folder_;
};

}  // namespace

TEST_F(ShaderReloadTest, EveryLiveProgramBuiltFromTheFileIsReloaded) {
    ShaderProgram first(Path("a.vs"), Path("a.frag"));
    ShaderProgram second(Path("a.vs"), Path("b.frag"));
    EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(Path("a.vs")), 2);
    EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(Path("b.frag")), 1);
    EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(Path("c.frag")), 0);
    {
        ShaderProgram third(Path("a.vs"), Path("a.frag"));
        EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(Path("a.frag")), 2);
    }
    // A destroyed program is no longer on the list.
    EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(Path("a.frag")), 1);
}

TEST_F(ShaderReloadTest, AnUnreadableFileKeepsTheProgramAndSaysSo) {
    ShaderProgram program(Path("a.vs"), Path("a.frag"));
    std::filesystem::remove(Path("a.frag"));
    ClearLog();
    EXPECT_FALSE(program.Reload());
    ASSERT_EQ(GetLog().size(), 1u);
    EXPECT_EQ(GetLog().back(), "Shader file unable to be loaded. Keeping the program of " + Path("a.vs") + " and " +
                                   Path("a.frag") + ".");
    EXPECT_EQ(ShaderProgram::ReloadProgramsUsing(Path("a.frag")), 0);
}
