// The region editor driven by presses and moves as the dialog receives them: a region drawn in
// three presses and stored in picture coordinates, the limits on axis and width, picking,
// stepping back and deleting with the right button, the ground margin, and a drag ended by a
// command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/region_editor.h"

namespace {

using regions::RegionEditor;

// Records what the editor asks of the window.
struct RecordingView : regions::RegionView {
    void DrawRubberRegion(const EllipseRegion&, int state) override {
        log.push_back(state == 1 ? "axis" : "ellipse");
        rubberOnScreen[state] = !rubberOnScreen[state];
    }
    void DrawOutline(const EllipseRegion& rubber) override {
        log.push_back("outline");
        outlines.push_back(rubber);
    }
    void Capture(bool on) override {
        log.push_back(on ? "capture" : "release");
        captured = on;
    }
    void SetCursorKind(int kind) override { cursor = kind; }
    void RepaintPreview() override {
        log.push_back("repaint");
        outlines.clear();
        editor->PaintOutlines(*this);
    }
    void OpenGroundDialog() override { log.push_back("ground"); }

    RegionEditor* editor = nullptr;
    std::vector<std::string> log;
    std::vector<EllipseRegion> outlines;
    bool rubberOnScreen[3] = {false, false, false};
    bool captured = false;
    int cursor = -1;
};

// A 1900 × 1000 picture reduced with step 10 at image origin (20, 65).
struct RegionEditorTest : ::testing::Test {
    void SetUp() override {
        editor.SetPlacement({20, 65, 210, 165}, {20, 65, 10, 1000});
        view.editor = &editor;
    }
    void Left(int x, int y) {
        editor.LeftDown(view, x, y);
        editor.LeftUp();
    }
    void Right(int x, int y) {
        editor.RightDown(view, x, y);
        editor.RightUp();
    }
    void Move(int x, int y) { editor.MouseMove(view, x, y); }
    // Axis from (x0, y) to (x1, y), width to `widthY`.
    void Draw(int x0, int x1, int y, int widthY) {
        Left(x0, y);
        Move(x1, y);
        Left(x1, y);
        Move((x0 + x1) / 2, widthY);
        Left((x0 + x1) / 2, widthY);
    }
    RegionEditor editor;
    RecordingView view;
};

}  // namespace

TEST_F(RegionEditorTest, ThreePressesStoreTheRegionInPictureCoordinates) {
    Left(40, 100);
    EXPECT_EQ(editor.State(), RegionEditor::kAxis);
    EXPECT_TRUE(view.captured);
    EXPECT_EQ(view.cursor, regions::kCursorHand2);
    Move(120, 100);
    Left(120, 100);
    EXPECT_EQ(editor.State(), RegionEditor::kWidth);
    EXPECT_EQ(view.cursor, regions::kCursorHand3);
    Move(80, 120);
    Left(80, 120);
    ASSERT_EQ(editor.Count(), 1);
    const EllipseRegion& r = editor.Regions()[0];
    EXPECT_EQ(r.startX, 200);
    EXPECT_EQ(r.startY, 649);
    EXPECT_EQ(r.endX, 1000);
    EXPECT_EQ(r.endY, 649);
    EXPECT_EQ(r.centerX, 600);
    EXPECT_EQ(r.centerY, 649);
    EXPECT_EQ(r.length, 800);
    EXPECT_EQ(r.width, 400);
    EXPECT_DOUBLE_EQ(r.ratio, 0.5);
    EXPECT_EQ(editor.State(), RegionEditor::kIdle);
    EXPECT_FALSE(view.captured);
    EXPECT_EQ(view.cursor, regions::kCursorHand1);
    EXPECT_FALSE(view.rubberOnScreen[1] || view.rubberOnScreen[2]) << "every rubber band erased";
    ASSERT_FALSE(view.outlines.empty());
    EXPECT_EQ(view.outlines.back().centerX, 80) << "the committed outline in preview coordinates";
    EXPECT_EQ(view.outlines.back().centerY, 100);
}

TEST_F(RegionEditorTest, ShortAxesAndFlatWidthsAreRefused) {
    Left(40, 100);
    Move(50, 110);  // 10 right and 10 down
    Left(50, 110);
    EXPECT_EQ(editor.State(), RegionEditor::kAxis) << "not more than 10 pixels";
    Move(51, 110);
    Left(51, 110);
    EXPECT_EQ(editor.State(), RegionEditor::kWidth);
    Move(45, 105);  // on the axis line
    Left(45, 105);
    EXPECT_EQ(editor.State(), RegionEditor::kWidth) << "a ratio of 0 is refused";
    EXPECT_EQ(editor.Count(), 0);
    Move(45, 200);
    Left(45, 200);
    ASSERT_EQ(editor.Count(), 1);
    EXPECT_DOUBLE_EQ(editor.Regions()[0].ratio, 1.0) << "far away: a circle";
    EXPECT_EQ(editor.Regions()[0].width, editor.Regions()[0].length);
}

TEST_F(RegionEditorTest, TwentyRegionsAtMost) {
    for (int i = 0; i < 20; ++i) Draw(30, 60, 70 + 4 * i, 78 + 4 * i);
    EXPECT_EQ(editor.Count(), 20);
    Left(100, 100);
    EXPECT_EQ(editor.State(), RegionEditor::kIdle) << "the 21st cannot be started";
    EXPECT_FALSE(view.captured);
}

TEST_F(RegionEditorTest, RightButtonPicksStepsBackAndDeletes) {
    Draw(30, 70, 80, 90);    // region 0 around (50, 80)
    Draw(100, 140, 120, 130);  // region 1 around (120, 120)
    Draw(150, 200, 150, 160);  // region 2 around (175, 150)
    ASSERT_EQ(editor.Count(), 3);
    view.log.clear();
    Right(120, 121);
    EXPECT_EQ(editor.State(), RegionEditor::kWidth) << "region 1 picked";
    ASSERT_EQ(view.outlines.size(), 2u) << "repainted without the picked region";
    EXPECT_EQ(view.outlines[0].centerX, 50);
    EXPECT_EQ(view.outlines[1].centerX, 175);
    EXPECT_TRUE(view.captured);
    Right(0, 0);
    EXPECT_EQ(editor.State(), RegionEditor::kAxis) << "back to the axis";
    EXPECT_EQ(view.cursor, regions::kCursorHand2);
    Right(0, 0);
    EXPECT_EQ(editor.State(), RegionEditor::kIdle);
    ASSERT_EQ(editor.Count(), 2) << "deleted; the later region moves down";
    EXPECT_EQ(editor.Regions()[1].centerX, (175 - 20) * 10);
    EXPECT_FALSE(view.captured);

    Right(5, 5);  // nothing there
    EXPECT_EQ(editor.State(), RegionEditor::kIdle);
    Left(40, 100);
    Right(0, 0);
    EXPECT_EQ(editor.Count(), 2) << "a new region is just dropped";
}

TEST_F(RegionEditorTest, AGroundMarginPressOpensTheGroundDialogEvenAfterAStudy) {
    Left(16, 16);
    EXPECT_EQ(view.log, (std::vector<std::string>{"ground"}));
    editor.SetUnpaintedShown(false);
    view.log.clear();
    Left(16, 16);
    Left(100, 100);
    EXPECT_EQ(view.log, (std::vector<std::string>{"ground"})) << "no region can be started";
    Move(100, 100);
    EXPECT_EQ(view.cursor, regions::kCursorArrow);
    Move(16, 16);
    EXPECT_EQ(view.cursor, regions::kCursorMaterial);
    Move(300, 100);
    EXPECT_EQ(view.cursor, regions::kCursorArrow);
}

TEST_F(RegionEditorTest, ACommandEndsADragInProgress) {
    Left(40, 100);
    Move(120, 100);
    Left(120, 100);
    ASSERT_TRUE(view.rubberOnScreen[2]);
    editor.EndDrag(view);
    EXPECT_EQ(editor.State(), RegionEditor::kIdle);
    EXPECT_FALSE(view.rubberOnScreen[2]) << "the rubber band is erased";
    EXPECT_FALSE(view.captured);
    EXPECT_EQ(editor.Count(), 0);
    view.log.clear();
    editor.EndDrag(view);
    EXPECT_TRUE(view.log.empty()) << "nothing to end when idle";
}
