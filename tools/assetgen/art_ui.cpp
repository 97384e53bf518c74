// Front-end pictures: the round icon buttons, the option-row icons and the
// particle sprites (drawn light, since the game tints them by hue).
#include <cmath>

#include "GameAssets.h"
#include "art.h"

namespace {

const Col kWhite = rgb(255, 255, 255), kPaper = rgb(236, 232, 250);

// A glossy round button of radius r in a 64-pixel frame.
void Badge(Image& t, Col top, Col bottom, float r = 27) {
    Fill(t, Circle(32, 34, r + 2.5f), rgb(10, 4, 20, 0.45f));
    Fill(t, Circle(32, 32, r + 2.5f), pal::ink);
    Fill(t, Circle(32, 32, r), VGrad(32 - r, top, 32 + r, bottom));
    Fill(t, Ring(32, 32, r - 2.5f, 2.0f), withAlpha(lighten(top, 0.4f), 0.35f));
    Shape gloss = Intersect(Circle(32, 32, r - 4), Ellipse(32, 32 - r * 0.55f, r * 0.75f, r * 0.38f));
    Fill(t, gloss, VGrad(32 - r, rgb(255, 255, 255, 0.55f), 32 - r * 0.2f, rgb(255, 255, 255, 0.05f)));
}

// A white symbol with a dark rim, the common glyph style of every icon.
void Symbol(Image& t, const Shape& s, float rim = 2.2f, Col fill = rgb(255, 255, 255)) {
    Fill(t, Grow(s, rim), pal::ink);
    Fill(t, s, VGrad(s.box.y0, fill, s.box.y1, mix(fill, kPaper, 0.6f)));
}

Shape Cog(float cx, float cy, float rOut, float rIn, int teeth, float hole) {
    std::vector<float> pts;
    for (int i = 0; i < teeth * 4; i++) {
        float a = Rad((i - 0.5f) * 360.0f / (teeth * 4));
        float rr = (i % 4 == 0 || i % 4 == 1) ? rOut : rIn;
        pts.push_back(cx + std::cos(a) * rr);
        pts.push_back(cy + std::sin(a) * rr);
    }
    return Subtract(Grow(Polygon(pts), 0.0f), Circle(cx, cy, hole));
}

Shape Star(float cx, float cy, float rOut, float rIn, int points, float rotDeg) {
    std::vector<float> pts;
    for (int i = 0; i < points * 2; i++) {
        float a = Rad(rotDeg - 90 + i * 180.0f / points);
        float rr = (i % 2) ? rIn : rOut;
        pts.push_back(cx + std::cos(a) * rr);
        pts.push_back(cy + std::sin(a) * rr);
    }
    return Polygon(pts);
}

Shape Heart(float cx, float cy, float s) {
    return Union({Circle(cx - s * 0.5f, cy - s * 0.25f, s * 0.55f), Circle(cx + s * 0.5f, cy - s * 0.25f, s * 0.55f),
                  Polygon({cx - s * 1.02f, cy - s * 0.05f, cx + s * 1.02f, cy - s * 0.05f, cx, cy + s * 1.1f})});
}

Shape Note(float x, float y, float s) {  // a beamed pair of eighth notes
    return Union({Rotate(Ellipse(x, y, 3.6f * s, 2.7f * s), x, y, -20),
                  Rotate(Ellipse(x + 11 * s, y - 3 * s, 3.6f * s, 2.7f * s), x + 11 * s, y - 3 * s, -20),
                  Capsule(x + 2.9f * s, y - 1 * s, x + 2.9f * s, y - 16 * s, 1.2f * s),
                  Capsule(x + 13.9f * s, y - 4 * s, x + 13.9f * s, y - 19 * s, 1.2f * s),
                  Polygon({x + 1.7f * s, y - 17.5f * s, x + 15.1f * s, y - 20.5f * s, x + 15.1f * s, y - 16.5f * s,
                           x + 1.7f * s, y - 13.5f * s})});
}

// The front-end pattern: light motifs wrapped around the 64-pixel tile so
// that it repeats without a seam.
Image PatternTile() {
    Image t(64, 64);
    for (int wy = -1; wy <= 1; wy++)
        for (int wx = -1; wx <= 1; wx++) {
            float dx = wx * 64.0f, dy = wy * 64.0f;
            Shape leaf = Rotate(Ellipse(16 + dx, 18 + dy, 9, 4.2f), 16 + dx, 18 + dy, -35);
            Fill(t, leaf, rgb(255, 255, 255, 0.9f));
            Fill(t, Capsule(9 + dx, 23 + dy, 22 + dx, 13 + dy, 0.8f), rgb(190, 180, 230, 0.9f));
            for (int i = 0; i < 5; i++) {
                float a = Rad(i * 72.0f);
                Fill(t, Circle(48 + dx + std::cos(a) * 2.2f, 46 + dy + std::sin(a) * 2.2f, 2.0f),
                     rgb(255, 255, 255, 0.85f));
            }
            Fill(t, Star(50 + dx, 14 + dy, 4.5f, 1.4f, 4, 0), rgb(255, 255, 255, 0.8f));
            Fill(t, Star(14 + dx, 50 + dy, 3.2f, 1.0f, 4, 45), rgb(255, 255, 255, 0.7f));
            Fill(t, Circle(33 + dx, 33 + dy, 1.3f), rgb(255, 255, 255, 0.6f));
            Fill(t, Stroke({56 + dx, 30 + dy, 60 + dx, 34 + dy, 64 + dx, 31 + dy}, 0.8f), rgb(255, 255, 255, 0.6f));
        }
    return t;
}

}  // namespace

Image MakeIcons() {
    std::vector<Image> f(bh::kIconFrameCount, Image(64, 64));
    // Play and pause in one, since it serves as both the in-game pause button
    // and the pause menu's resume.
    Badge(f[bh::kIconPlayPause], rgb(120, 230, 120), rgb(30, 140, 60));
    Symbol(f[bh::kIconPlayPause], Union({Grow(Polygon({19, 21, 35, 32, 19, 43}), 1.5f),
                                         RoundBox(40, 32, 2.6f, 10, 1.2f), RoundBox(47.5f, 32, 2.6f, 10, 1.2f)}));
    // Quit: the power symbol.
    Badge(f[bh::kIconQuit], rgb(255, 130, 120), rgb(180, 30, 50));
    Symbol(f[bh::kIconQuit],
           Union(Subtract(Ring(32, 34, 12, 4.4f), Polygon({32, 34, 22, 12, 42, 12})), Capsule(32, 18, 32, 32, 2.3f)));
    Badge(f[bh::kIconTryAgain], rgb(255, 220, 110), rgb(220, 130, 30));
    Symbol(f[bh::kIconTryAgain], Union(Subtract(Ring(32, 33, 11, 4.2f), Polygon({32, 33, 50, 24, 50, 12, 32, 12})),
                                       Polygon({37, 16, 47, 23, 36, 28})));
    // A ring cog, and the small cog turning inside it as a frame of its own.
    Shape big = Cog(32, 32, 29, 24, 12, 14);
    Fill(f[bh::kIconCog], Move(Grow(big, 2), 0, 2), rgb(10, 4, 20, 0.45f));
    Fill(f[bh::kIconCog], Grow(big, 2), pal::ink);
    Fill(f[bh::kIconCog], big, RGrad(24, 20, 40, rgb(236, 230, 255), rgb(140, 128, 190)));
    Fill(f[bh::kIconCog], Ring(32, 32, 19, 1.6f), rgb(120, 106, 170, 0.7f));
    for (int i = 0; i < 6; i++) {
        float a = Rad(i * 60.0f + 30);
        Fill(f[bh::kIconCog], Circle(32 + std::cos(a) * 19, 32 + std::sin(a) * 19, 1.8f), rgb(255, 255, 255, 0.85f));
    }
    Shape small = Cog(32, 32, 12.5f, 9, 8, 3.8f);
    Fill(f[bh::kIconCogInner], Grow(small, 2), pal::ink);
    Fill(f[bh::kIconCogInner], small, RGrad(28, 27, 16, rgb(255, 240, 170), rgb(230, 150, 40)));
    // Credits: a star.
    Badge(f[bh::kIconCredits], rgb(220, 150, 255), rgb(110, 50, 170));
    Symbol(f[bh::kIconCredits], Grow(Star(32, 33, 17, 7.5f, 5, 0), 1.2f));
    // Scores: a cup.
    Badge(f[bh::kIconScores], rgb(255, 230, 120), rgb(200, 120, 20));
    Symbol(f[bh::kIconScores],
           Union({Subtract(Circle(32, 24, 11), RoundBox(32, 8, 14, 12, 0)), RoundBox(32, 36, 2.5f, 5, 1),
                  RoundBox(32, 43, 8, 2.6f, 1.2f), Ring(21, 25, 4.5f, 2.4f), Ring(43, 25, 4.5f, 2.4f)}));
    Badge(f[bh::kIconMusic], rgb(120, 230, 230), rgb(30, 120, 160));
    Symbol(f[bh::kIconMusic], Note(23, 43, 1.15f));
    f[bh::kIconPattern] = PatternTile();
    Badge(f[bh::kIconBird], rgb(130, 110, 200), rgb(60, 40, 120));
    DrawBird(f[bh::kIconBird], 7, 5, 1.55f, -12, 0, false);
    Badge(f[bh::kIconChick], rgb(130, 200, 140), rgb(40, 110, 80));
    DrawChick(f[bh::kIconChick], 6, 6, 1.6f);
    Badge(f[bh::kIconBack], rgb(255, 170, 190), rgb(190, 60, 100));
    Symbol(f[bh::kIconBack], Union(Polygon({16, 32, 30, 19, 30, 45}), RoundBox(38, 32, 10, 4.5f, 2)));
    return Assemble(f, 4, 64);
}

Image MakeOptions() {
    std::vector<Image> f(bh::kOptionFrameCount, Image(32, 32));
    auto icon = [](Image& t, const Shape& s) { Symbol(t, s, 1.6f); };
    icon(f[bh::kOptionBack], Union(Polygon({3, 16, 15, 5, 15, 27}), RoundBox(20, 16, 9, 4.5f, 2)));
    Shape waves = Polygon({14, 16, 34, -4, 34, 36});
    icon(f[bh::kOptionSound],
         Union({RoundBox(7.5f, 16, 3.5f, 4.5f, 1), Polygon({8, 12, 16, 5, 16, 27, 8, 20}),
                Intersect(Ring(15, 16, 7.5f, 2.2f), waves), Intersect(Ring(15, 16, 12.5f, 2.2f), waves)}));
    icon(f[bh::kOptionMusic], Note(8.5f, 25, 0.9f));
    icon(f[bh::kOptionScreen], Union({Subtract(RoundBox(16, 13.5f, 13, 9.5f, 2.5f), RoundBox(16, 13.5f, 9.5f, 6, 1)),
                                      RoundBox(16, 25, 2.5f, 3, 0), RoundBox(16, 28, 8, 1.8f, 1)}));
    icon(f[bh::kOptionHeart], Heart(16, 15, 9.5f));
    icon(f[bh::kOptionCup], Union({Subtract(Circle(16, 12, 8.5f), RoundBox(16, 0, 12, 9, 0)),
                                   RoundBox(16, 21, 2, 3.5f, 1), RoundBox(16, 26, 7, 2.2f, 1)}));
    icon(f[bh::kOptionStats], Union({RoundBox(8, 21, 3, 6, 1), RoundBox(16, 16, 3, 11, 1),
                                     RoundBox(24, 18.5f, 3, 8.5f, 1), Capsule(3, 28.5f, 29, 28.5f, 1.1f)}));
    icon(f[bh::kOptionController],
         Union({RoundBox(16, 17, 13, 7.5f, 6), Circle(7.5f, 21, 5.5f), Circle(24.5f, 21, 5.5f)}));
    Fill(f[bh::kOptionController], Union(RoundBox(9, 16.5f, 3.8f, 1.1f, 0.5f), RoundBox(9, 16.5f, 1.1f, 3.8f, 0.5f)),
         pal::ink);
    Fill(f[bh::kOptionController], Union(Circle(22, 14.5f, 1.5f), Circle(25.5f, 18, 1.5f)), pal::ink);
    icon(f[bh::kOptionInvertStick],
         Union({RoundBox(13, 26, 9, 3, 1.5f), Capsule(13, 24, 13, 12, 1.6f), Circle(13, 10, 4.2f),
                Polygon({25, 3, 30, 9, 20, 9}), Polygon({25, 29, 30, 23, 20, 23}), Capsule(25, 8, 25, 24, 1.2f)}));
    DrawBirdHead(f[bh::kOptionLife], -20.4f, -2.8f, 1.6f);
    icon(f[bh::kOptionNameTag], Subtract(Polygon({2, 16, 9, 8, 30, 8, 30, 24, 9, 24}), Circle(9, 16, 2.2f)));
    Fill(f[bh::kOptionNameTag], Union(Capsule(14, 13.5f, 26, 13.5f, 1.0f), Capsule(14, 18.5f, 22, 18.5f, 1.0f)),
         pal::ink);
    icon(f[bh::kOptionMotion], Union({Circle(22, 16, 7), Capsule(4, 10.5f, 9, 10.5f, 1.4f), Capsule(2, 16, 9, 16, 1.4f),
                                      Capsule(4, 21.5f, 9, 21.5f, 1.4f)}));
    return Assemble(f, 4, 32);
}

Image MakeParticles() {
    std::vector<Image> f(144, Image(32, 32));
    const Col lite = rgb(255, 255, 255), edge = rgb(196, 196, 206);
    for (int row = 0; row < 12; row++)
        for (int i = 0; i < 12; i++) {
            Image& t = f[row * 12 + i];
            Rng r(1000 + row * 12 + i);
            float s = 0.7f + 0.3f * (i % 4) / 3.0f;  // four sizes, three takes each
            float rot = r.range(0, 360);
            Paint shade = RGrad(14, 13, 14 * s, lite, edge);
            switch (row) {
            case 0: Fill(t, Circle(16, 16, 7 * s), shade, 1.5f); break;
            case 1:  // twinkles
                Glow(t, Circle(16, 16, 2), rgb(255, 255, 255, 0.5f), 7 * s);
                Fill(t, Rotate(Star(16, 16, 13 * s, 2.4f * s, 4, 0), 16, 16, r.range(-15, 15)), shade);
                break;
            case 2: Fill(t, Ring(16, 16, 9 * s, 3 * s), shade); break;
            case 3: {  // feathers
                Shape vane = Rotate(Ellipse(16, 16, 11 * s, 4.2f * s), 16, 16, rot);
                Fill(t, vane, shade);
                float a = Rad(rot);
                Fill(t,
                     Capsule(16 - std::cos(a) * 12 * s, 16 - std::sin(a) * 12 * s, 16 + std::cos(a) * 9 * s,
                             16 + std::sin(a) * 9 * s, 0.7f),
                     edge);
                break;
            }
            case 4: {  // leaves
                Fill(t, Rotate(Union(Ellipse(16, 16, 10 * s, 5 * s), Capsule(6, 16, 2, 16, 0.9f)), 16, 16, rot), shade);
                break;
            }
            case 5: Fill(t, Rotate(Polygon({16, 5, 22, 16, 16, 27, 10, 16}), 16, 16, rot), shade); break;
            case 6: Fill(t, Rotate(Heart(16, 16, 9 * s), 16, 16, r.range(-20, 20)), shade); break;
            case 7: Fill(t, Star(16, 16, 13 * s, 5.5f * s, 5, rot), shade); break;
            case 8: {  // dust puffs
                std::vector<Shape> puff;
                for (int k = 0; k < 5; k++)
                    puff.push_back(Circle(16 + r.range(-5, 5) * s, 16 + r.range(-4, 4) * s, r.range(3.5f, 6) * s));
                Fill(t, Union(puff), rgb(255, 255, 255, 0.85f), 2.0f);
                break;
            }
            case 9:
                Fill(t, Ring(16, 16, 8 * s, 1.6f), shade);
                Fill(t, Circle(13, 12.5f, 2 * s), lite);
                break;
            case 10: {  // embers
                float a = Rad(rot);
                float cx = 16 + std::cos(a) * 3, cy = 16 + std::sin(a) * 3;
                Glow(t, Circle(16, 16, 4 * s), rgb(255, 255, 255, 0.4f), 6 * s);
                Fill(t, Union(Circle(16, 16, 6 * s), Rotate(Ellipse(cx, cy, 9 * s, 3.5f * s), cx, cy, rot)), shade);
                break;
            }
            default:  // confetti
                Fill(t, Rotate(RoundBox(16, 16, 7 * s, 4 * s, 1), 16, 16, rot), shade);
                break;
            }
        }
    return Assemble(f, 12, 32);
}
