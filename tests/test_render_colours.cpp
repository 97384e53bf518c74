// Which of a shape's two colours lands where: a triangle takes the upper
// colour at its first corner and the lower one at the other two; an oval is
// the lower colour at its centre and the upper one at its rim.
#include "test_render_support.h"

namespace {

using RenderColours = RenderFixture;

// Mostly red (the upper colour below) or mostly blue (the lower one).
::testing::AssertionResult Reddish(const Rgba& c) {
    if (c[0] > 200 && c[2] < 55) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << c[0] << "," << c[1] << "," << c[2] << ") is not red";
}
::testing::AssertionResult Bluish(const Rgba& c) {
    if (c[2] > 200 && c[0] < 55) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << c[0] << "," << c[1] << "," << c[2] << ") is not blue";
}

TEST_F(RenderColours, TriangleAndOvalPlaceTheirTwoColours) {
    ThisGame.SetGradient(255, 0, 0, 1, 0, 0, 255, 1);
    ThisGame.FullTri(400, 50, 590, 290, 210, 290);
    ThisGame.Oval(400, 450, 200, 200);
    Frame();
    EXPECT_TRUE(Reddish(Px(400, 58)));   // first corner
    EXPECT_TRUE(Bluish(Px(578, 286)));   // second
    EXPECT_TRUE(Bluish(Px(222, 286)));   // third
    EXPECT_TRUE(Bluish(Px(400, 450)));   // oval centre
    EXPECT_TRUE(Reddish(Px(400, 547)));  // rim, straight down
    EXPECT_TRUE(Reddish(Px(303, 450)));  // rim, left
}

}  // namespace
