// The view at any window shape: the whole cave with the score line beside
// it, never over it, and every menu's buttons and texts inside the window,
// read from the draw list at six window sizes.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "VellFontWidths.h"
#include "VellHooks.h"
#include "gameplay/play_steps.h"
#include "test_menu_fixture.h"

namespace {

struct Size {
    int w, h;
};
const int kChickFrame = 11;           // in the tile sheet
const double kMenuPictureSide = 504;  // the menu picture, as loaded
const Size kSizes[] = {{800, 600}, {1280, 720}, {1920, 1080}, {2560, 1080}, {672, 896}, {1080, 1920}};

struct Box {
    double x0, y0, x1, y1;
    bool Inside(const Box& o) const { return x0 >= o.x0 && x1 <= o.x1 && y0 >= o.y0 && y1 <= o.y1; }
    bool Meets(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
    bool Same(const Box& o) const { return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1; }
};

class ViewFit : public FrontScreen {
protected:
    // The window at this size; the renders settle the virtual screen the
    // game asks for, as the loop's render does before each update.
    void Window(Size s) {
        ASys.WindowWidth = s.w;
        ASys.WindowHeight = s.h;
        g.Render();
        g.Render();
    }

    // The window in record units (centred, virtual pixels).
    static Box Screen() {
        double hw = ASys.VirtualWidth / 2, hh = ASys.VirtualWidth / ASys.Aspect / 2;
        return Box{-hw - 0.01, -hh - 0.01, hw + 0.01, hh + 0.01};
    }

    // The box of an image record: a glyph's 32-pixel cell, or a frame of
    // the given size, at the record's scale (400 per unit of size).
    static Box ImageBox(const double* r, double frame) {
        double hw = frame / 2 * std::fabs(r[vell::kRecW]) / 400;
        double hh = frame / 2 * std::fabs(r[vell::kRecH]) / 400;
        return Box{r[vell::kRecX] - hw, r[vell::kRecY] - hh, r[vell::kRecX] + hw, r[vell::kRecY] + hh};
    }

    // A glyph's ink: it starts 2 pixels into its 32-pixel cell and is its
    // advance wide; capitals stand 16 high about the cell's middle.
    static Box GlyphBox(const double* r) {
        double k = std::fabs(r[vell::kRecW]) / 400;
        int f = (int)r[vell::kRecFrame];
        double adv = f >= 0 && f < 136 ? fontw[f] - 1 : 0;
        double left = r[vell::kRecX] - 14 * k;
        return Box{left, r[vell::kRecY] - 10 * k, left + adv * k, r[vell::kRecY] + 10 * k};
    }

    // Each run of glyphs drawn one after another on one line at one size,
    // as one box: a label, a line of text.
    static std::vector<Box> Texts() {
        std::vector<Box> out;
        const double* last = nullptr;
        for (int i = 0; i < ASys.DrawTo; i++) {
            const double* r = &ASys.Draw[30 * i];
            if (r[vell::kRecKind] != vell::kDrawImage || (int)r[vell::kRecImageSlot] != kFontSlot) {
                last = nullptr;
                continue;
            }
            Box b = GlyphBox(r);
            bool same = last && last[vell::kRecY] == r[vell::kRecY] && last[vell::kRecW] == r[vell::kRecW] &&
                        r[vell::kRecX] > last[vell::kRecX] &&
                        r[vell::kRecX] - last[vell::kRecX] < 40 * std::fabs(r[vell::kRecW]) / 400;
            if (same) {
                out.back().x1 = std::max(out.back().x1, b.x1);
            } else {
                out.push_back(b);
            }
            last = r;
        }
        return out;
    }

    template <class F>
    static void EachImage(F f) {
        for (int i = 0; i < ASys.DrawTo; i++) {
            const double* r = &ASys.Draw[30 * i];
            if (r[vell::kRecKind] == vell::kDrawImage) f(r, (int)r[vell::kRecImageSlot], (int)r[vell::kRecFrame]);
        }
    }
};

TEST_F(ViewFit, TheWholeCaveIsInViewWithTheScoreLineBesideIt) {
    for (Size s : kSizes) {
        SCOPED_TRACE(testing::Message() << s.w << " x " << s.h);
        SetUp();
        MillsFrozen = true;
        g.GameMode = bh::kModeNewGame;
        g.Play.Score = 12345678;
        g.LoadGame();
        g.PointerPlay = 1;
        Window(s);
        ASys.DrawTo = 0;
        g.ResetDraw();
        g.DoGame();
        g.Ingame();
        MillsFrozen = false;

        Box screen = Screen();
        Box cave{1e9, 1e9, -1e9, -1e9};
        int cells = 0;
        EachImage([&](const double* r, int slot, int frame) {
            // Chicks not yet placed wait off screen, on purpose.
            if (slot != bh::kImgTiles || frame == kChickFrame) return;
            Box b = ImageBox(r, 32);
            EXPECT_TRUE(b.Inside(screen)) << "a cave cell at " << r[1] << ", " << r[2];
            cave =
                Box{std::min(cave.x0, b.x0), std::min(cave.y0, b.y0), std::max(cave.x1, b.x1), std::max(cave.y1, b.y1)};
            cells++;
        });
        EXPECT_GE(cells, 50 * 6);  // the first room: the ceiling and five rows of floor
        // The tiles' union spans the whole 50 x 25 cave.
        EXPECT_NEAR(cave.x1 - cave.x0, 50 * 16, 1.0);
        EXPECT_NEAR(cave.y1 - cave.y0, 25 * 16, 1.0);
        // Words that label the cave itself (the hint towards the exit, the
        // switches' numbers) belong over it; drawn again on their own, they
        // are told apart from the score line by where they stand.
        int drawn = ASys.DrawTo;
        MillsFrozen = true;
        DrawGuides(g, BeginStep(g));
        MillsFrozen = false;
        std::vector<std::pair<double, double>> labels;
        for (int i = drawn; i < ASys.DrawTo; i++) {
            const double* r = &ASys.Draw[30 * i];
            if (r[vell::kRecKind] == vell::kDrawImage && (int)r[vell::kRecImageSlot] == kFontSlot)
                labels.emplace_back(r[vell::kRecX], r[vell::kRecY]);
        }
        ASys.DrawTo = drawn;
        int glyphs = 0;
        EachImage([&](const double* r, int slot, int) {
            if (slot != kFontSlot) return;
            if (std::find(labels.begin(), labels.end(), std::make_pair(r[vell::kRecX], r[vell::kRecY])) != labels.end())
                return;
            Box b = GlyphBox(r);
            EXPECT_TRUE(b.Inside(screen)) << "score text at " << r[1] << ", " << r[2];
            EXPECT_FALSE(b.Meets(cave)) << "score text over the cave at " << r[1] << ", " << r[2];
            glyphs++;
        });
        EXPECT_GE(glyphs, 8 + 8 + 7);  // the score, the place to beat, the bonus
        // On a 1080-pixel-high screen the bird is drawn at least 32 pixels tall.
        if (s.h == 1080 && s.w == 1920) {
            EXPECT_GE(s.h / (ASys.VirtualWidth / ASys.Aspect) * 16, 32.0);
        }
    }
}

TEST_F(ViewFit, EveryMenuKeepsItsButtonsAndTextsOnScreen) {
    struct Screen_ {
        const char* name;
        std::function<void(MyGame&)> open, update;
    } screens[] = {
        {"title", [](MyGame& g) { g.MenuPage = 0; }, [](MyGame& g) { g.DoMenu(); }},
        {"difficulty list", [](MyGame& g) { g.MenuPage = 1; }, [](MyGame& g) { g.DoMenu(); }},
        {"pause",
         [](MyGame& g) {
             g.GameMode = bh::kModePlaying;
             g.Paused = 1;
         },
         [](MyGame& g) { g.PauseMenu(); }},
        {"name entry", [](MyGame& g) { g.OverlayScreen = bh::kScreenNameEntry; }, [](MyGame& g) { g.EnterYourName(); }},
        {"key redefinition",
         [](MyGame& g) {
             g.OverlayScreen = bh::kScreenRedefine;
             g.KeyDefaults();
             g.RedefRow = 1;
         },
         [](MyGame& g) { g.RedefineKeys(); }},
    };
    for (const Screen_& sc : screens) {
        for (Size s : kSizes) {
            SCOPED_TRACE(testing::Message() << sc.name << " at " << s.w << " x " << s.h);
            SetUp();
            sc.open(g);
            Window(s);
            Run([&] { sc.update(g); }, 60);
            Box screen = Screen();
            int checked = 0;
            EachImage([&](const double* r, int slot, int frame) {
                // The menu picture fills the window, with no bands beside it.
                if (slot == bh::kImgMenu) {
                    EXPECT_TRUE(screen.Inside(ImageBox(r, kMenuPictureSide)));
                }
                // The patterned backdrop runs past the edges on purpose.
                bool button = slot == bh::kImgIcons && frame != 8;
                if (slot != kFontSlot && !button && slot != bh::kImgOptions) return;
                Box b = slot == kFontSlot ? GlyphBox(r) : ImageBox(r, 32);
                EXPECT_TRUE(b.Inside(screen))
                    << "slot " << slot << " frame " << frame << " at " << r[1] << ", " << r[2];
                checked++;
            });
            EXPECT_GT(checked, 3);
            // No text runs into another: a narrow window must not push
            // two labels together. (The name wheel's middle letter is drawn
            // over the box's own, the same glyph in the same place.)
            std::vector<Box> texts = Texts();
            for (size_t i = 0; i < texts.size(); i++)
                for (size_t j = i + 1; j < texts.size(); j++)
                    EXPECT_FALSE(texts[i].Meets(texts[j]) && !texts[i].Same(texts[j]))
                        << "texts at " << texts[i].x0 << ", " << texts[i].y0 << " and " << texts[j].x0 << ", "
                        << texts[j].y0;
        }
    }
}

// A replay plays on the screen it was recorded on, in the middle of a
// window of another shape: the bands beside it (or above and below) are
// covered alike, whatever the backdrop drew into one of them.
TEST_F(ViewFit, AHeldScreenSitsBetweenMatchingBands) {
    const Size sizes[] = {{1920, 1080}, {672, 896}, {800, 600}};
    for (Size s : sizes) {
        SCOPED_TRACE(testing::Message() << s.w << " x " << s.h);
        SetUp();
        MillsFrozen = true;
        g.GameMode = bh::kModeNewGame;
        g.LoadGame();
        g.HoldView(800, 600);
        Window(s);
        ASys.DrawTo = 0;
        g.ResetDraw();
        g.DoGame();
        g.Ingame();
        int game = ASys.DrawTo;
        g.DrawWatchLabel();
        g.HoldView(0, 0);
        MillsFrozen = false;

        Box screen = Screen(), held{-400, -300, 400, 300};
        std::vector<Box> bands;
        for (int i = game; i < ASys.DrawTo; i++) {
            const double* r = &ASys.Draw[30 * i];
            if (r[vell::kRecKind] != vell::kDrawRect) continue;
            double hw = std::fabs(r[vell::kRecW]) / 2, hh = std::fabs(r[vell::kRecH]) / 2;
            bands.push_back(Box{r[vell::kRecX] - hw, r[vell::kRecY] - hh, r[vell::kRecX] + hw, r[vell::kRecY] + hh});
        }
        std::vector<Box> gaps;
        if (screen.x0 < held.x0 - 1) {
            gaps.push_back({screen.x0, screen.y0, held.x0, screen.y1});
            gaps.push_back({held.x1, screen.y0, screen.x1, screen.y1});
        }
        if (screen.y0 < held.y0 - 1) {
            gaps.push_back({screen.x0, screen.y0, screen.x1, held.y0});
            gaps.push_back({screen.x0, held.y1, screen.x1, screen.y1});
        }
        EXPECT_EQ(bands.size(), gaps.size());
        for (const Box& gap : gaps) {
            bool covered = false;
            for (const Box& b : bands) covered = covered || gap.Inside(b);
            EXPECT_TRUE(covered) << "a band from " << gap.x0 << ", " << gap.y0 << " to " << gap.x1 << ", " << gap.y1;
        }
        for (const Box& b : bands) EXPECT_FALSE(b.Meets(Box{held.x0 + 1, held.y0 + 1, held.x1 - 1, held.y1 - 1}));
    }
}

}  // namespace
