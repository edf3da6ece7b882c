// The box collider's inspector widgets edit the unrotated box.
#include <gtest/gtest.h>

#include "core/level_changes.h"
#include "physics/box_collider.h"
#include "tests/editor/gui_driver.h"

namespace {

class BoxInspectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        editor::ClearLevelChanged();
        Draw();
    }
    void Draw() {
        gui.Frame([&] { box.EditInfoDisplay(); });
    }
    void TypeInto(const char* label, const std::string& text) {
        GuiDriver::Enter(GuiDriver::Id(GuiDriver::kHost, {label}), text, [&] { Draw(); });
    }

    GuiDriver gui;
    BoxCollider box;
};

}  // namespace

TEST_F(BoxInspectorTest, SizesResetTheEdgeVectorsToTheUnrotatedBoxAndCheckBoxesSetTheFlags) {
    box.widthVector = {3.0f, 4.0f};  // as a rotated probe would have it
    TypeInto("Width", "6");
    TypeInto("Height", "2.5");
    EXPECT_EQ(box.width, 6.0f);
    EXPECT_EQ(box.widthVector, glm::vec2(6.0f, 0.0f));
    EXPECT_EQ(box.heightVector, glm::vec2(0.0f, 2.5f));
    EXPECT_TRUE(editor::LevelChanged());

    // The check boxes set the flags.
    GuiDriver::Press(GuiDriver::Id(GuiDriver::kHost, {"ghost"}));
    Draw();
    GuiDriver::Press(GuiDriver::Id(GuiDriver::kHost, {"Static:"}));
    Draw();
    EXPECT_TRUE(box.ghost);
    EXPECT_TRUE(box.isStatic);
}
