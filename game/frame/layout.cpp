// How much of the virtual screen each screen needs in view: the engine
// widens or heightens the virtual screen around it to the window's shape.
#include "MyGame.h"

namespace {

// The whole cave, 50 x 25 cells of 16, with a strip above it for the score
// line and the lives and the same below: at 1920 x 1080 that makes a cell
// 33 pixels across.
const float kCaveViewW = 800, kCaveViewH = 520;
// The menus: laid out for 800 x 600, or 512 across in a window taller
// than wide.
const float kMenuViewW = 800, kMenuViewTallW = 512, kMenuViewH = 600;

}  // namespace

void MyGame::FitScreen() {
    bool cave = OverlayScreen == bh::kScreenNone && Paused == 0 &&
                (GameMode == bh::kModePlaying || GameMode == bh::kModeNewGame);
    if (cave) FitView(kCaveViewW, kCaveViewH);
    else FitView(RealH > RealW ? kMenuViewTallW : kMenuViewW, kMenuViewH);
}
