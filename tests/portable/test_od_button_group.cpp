// The picture button's logic: its state repaints only on a change, the bitmap it shows for a
// whole repaint and for a change of selection, and the radio group's presses and limits.
#include <gtest/gtest.h>

#include <vector>

#include "dialogs/od_button_group.h"

namespace {

class FakeButton : public ODButtonState {
public:
    int repaints = 0;

protected:
    void Repaint() override { ++repaints; }
};

struct ThreeButtons : ::testing::Test {
    ThreeButtons() {
        group.Add(10, &a);
        group.Add(20, &b);
        group.Add(30, &c);
    }
    std::vector<int> States() const { return {a.GetState(), b.GetState(), c.GetState()}; }
    std::vector<int> Repaints() const { return {a.repaints, b.repaints, c.repaints}; }
    FakeButton a, b, c;
    ODButtonGroup group;
};

}  // namespace

TEST(ODButtonState, RepaintsOnlyWhenTheStateChanges) {
    FakeButton button;
    button.SetState(0);
    EXPECT_EQ(button.repaints, 0);
    button.SetState(1);
    button.SetState(1);
    EXPECT_EQ(button.GetState(), 1);
    EXPECT_EQ(button.repaints, 1);
    button.SetState(0);
    EXPECT_EQ(button.repaints, 2);
}

TEST(ODButtonState, DownBitmapWhenPressedOrSelected) {
    const struct {
        bool selected;
        int pressed;
        ODBitmap entire, select;
    } cases[] = {
        {false, 0, ODBitmap::kUp, ODBitmap::kUp},
        {true, 0, ODBitmap::kUp, ODBitmap::kDown},  // a whole repaint looks at the state alone
        {false, 1, ODBitmap::kDown, ODBitmap::kDown},
        {true, 1, ODBitmap::kDown, ODBitmap::kDown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "selected " << c.selected << ", pressed " << c.pressed);
        EXPECT_EQ(BitmapForDrawEntire(c.pressed), c.entire);
        EXPECT_EQ(BitmapForSelect(c.selected, c.pressed), c.select);
    }
}

TEST_F(ThreeButtons, PressingOneReleasesThePressedOne) {
    ASSERT_EQ(group.Press(10), 1);
    EXPECT_EQ(States(), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(Repaints(), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(group.Press(20), 1);
    EXPECT_EQ(States(), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(Repaints(), (std::vector<int>{2, 1, 0})) << "c was up and is not repainted";
}

TEST_F(ThreeButtons, PressingThePressedOrAnUnknownIdChangesNothing) {
    group.Press(20);
    const std::vector<int> repaints = Repaints();
    EXPECT_EQ(group.Press(20), 0) << "already pressed";
    EXPECT_EQ(group.Press(99), 0) << "no entry has the id";
    EXPECT_EQ(States(), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(Repaints(), repaints) << "nothing repainted";
}

TEST_F(ThreeButtons, ReleaseAllAndClear) {
    group.Press(30);
    group.ReleaseAll();
    EXPECT_EQ(States(), (std::vector<int>{0, 0, 0}));
    group.Clear();
    EXPECT_EQ(group.Count(), 0);
    EXPECT_EQ(group.Press(10), 0) << "a cleared group holds no ids";
}

TEST(ODButtonGroup, TheFiftyFirstButtonAndANullButtonAreIgnored) {
    std::vector<FakeButton> buttons(51);
    ODButtonGroup group;
    group.Add(7, nullptr);
    EXPECT_EQ(group.Count(), 0);
    EXPECT_EQ(group.Press(7), 0);
    for (int i = 0; i < 51; ++i) group.Add(100 + i, &buttons[i]);
    EXPECT_EQ(group.Count(), 50);
    EXPECT_EQ(group.Press(150), 0) << "the 51st was not added";
    EXPECT_EQ(buttons[50].GetState(), 0);
    EXPECT_EQ(group.Press(149), 1) << "the 50th was";
    EXPECT_EQ(buttons[49].GetState(), 1);
}
