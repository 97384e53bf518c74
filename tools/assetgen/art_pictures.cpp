// The title backdrop, the title logo and the engine's loading-screen logo.
#include <cmath>

#include "art.h"
#include "glyphs.h"

namespace {

// The part of the picture below (Under) or above (Over) a curve y = f(x).
template <class F>
Shape Under(F f, float x0, float x1, float yTop, float yBottom) {
    return {[f](float x, float y) { return f(x) - y; }, {x0, yTop, x1, yBottom}};
}
template <class F>
Shape Over(F f, float x0, float x1, float yTop, float yBottom) {
    return {[f](float x, float y) { return y - f(x); }, {x0, yTop, x1, yBottom}};
}

Shape Leaf(float x, float y, float len, float deg) {
    float a = Rad(deg), cx = x + std::cos(a) * len * 0.5f, cy = y + std::sin(a) * len * 0.5f;
    return Rotate(Ellipse(cx, cy, len * 0.5f, len * 0.22f), cx, cy, deg);
}

void Mushroom(Image& img, float x, float y, float s, Col cap) {
    Glow(img, Circle(x, y - 7 * s, 5 * s), withAlpha(cap, 0.35f), 16 * s);
    Fill(img, RoundBox(x, y - 3 * s, 1.6f * s, 4 * s, 1.2f * s), rgb(220, 210, 230));
    Shape top = Intersect(Ellipse(x, y - 7 * s, 6 * s, 4.2f * s), RoundBox(x, y - 10 * s, 8 * s, 4.2f * s, 0));
    Fill(img, Grow(top, 0.8f), rgb(20, 10, 30));
    Fill(img, top, VGrad(y - 11 * s, lighten(cap, 0.4f), y - 7 * s, cap));
    Fill(img, Circle(x - 2 * s, y - 9 * s, 0.9f * s), rgb(255, 255, 255, 0.8f));
}

void Crystal(Image& img, float x, float y, float h, float deg, Col c) {
    Shape s = Rotate(Polygon({x - h * 0.18f, y, x, y - h, x + h * 0.18f, y, x, y + h * 0.1f}), x, y, deg);
    Glow(img, s, withAlpha(c, 0.3f), h * 0.6f);
    Fill(img, s, VGrad(y - h, lighten(c, 0.6f), y, c));
}

}  // namespace

// Drawn at 2.25 times its size and centred, so on an 800 x 600 screen only
// the middle (x 74-430, y 119-385) shows; the rest serves other shapes.
Image MakeMenu() {
    const int N = 504;
    Image img(N, N);
    Fill(img, RoundBox(252, 252, 252, 252, 0), [](float x, float y) {
        Col top = rgb(16, 9, 38), mid = rgb(62, 34, 98), low = rgb(30, 16, 52);
        Col c = y < 240 ? mix(top, mid, y / 240) : mix(mid, low, (y - 240) / 264);
        return mix(c, lighten(c, 0.08f), Fbm(x / 40, y / 40, 11, 4));
    });
    // Light from an opening above, falling in soft shafts.
    Glow(img, Circle(252, 90, 20), rgb(190, 130, 230, 0.4f), 230);
    for (int i = 0; i < 4; i++) {
        float x = 190 + i * 42.0f, tilt = -45 + i * 30.0f;
        Fill(img, Polygon({x - 8, 0, x + 8, 0, x + tilt + 34, 420, x + tilt - 34, 420}), rgb(230, 200, 255, 0.06f), 20);
    }
    // Far rock: hanging from the roof and rising from the floor.
    auto roof = [](float x) {
        return 110 + 40 * Fbm(x / 50, 0.5f, 21, 3) + 70 * std::pow(std::fabs(std::sin(x / 31)), 7.0f);
    };
    Fill(img, Over(roof, 0, 504, 0, 240), rgb(36, 20, 60), 3);
    auto rise = [](float x) {
        return 360 - 50 * Fbm(x / 45, 3.5f, 22, 3) - 70 * std::pow(std::fabs(std::sin(x / 27 + 1)), 9.0f);
    };
    Fill(img, Under(rise, 0, 504, 200, 504), rgb(40, 24, 66), 3);
    // Side walls.
    auto leftEdge = [](float y) { return 92 + 22 * std::sin(y / 45) + 22 * Fbm(y / 30, 1.5f, 31, 3); };
    auto rightEdge = [](float y) { return 412 - 22 * std::sin(y / 50 + 2) - 22 * Fbm(y / 30, 4.5f, 32, 3); };
    Shape walls[2] = {{[leftEdge](float x, float y) { return x - leftEdge(y); }, {0, 0, 150, 504}},
                      {[rightEdge](float x, float y) { return rightEdge(y) - x; }, {354, 0, 504, 504}}};
    for (const Shape& w : walls) {
        Fill(img, Grow(w, 8), rgb(20, 10, 36, 0.6f), 10);
        Fill(img, w,
             [](float x, float y) { return mix(rgb(24, 13, 42), rgb(48, 30, 76), Fbm(x / 25, y / 25, 41, 4)); });
    }
    const float ledges[][3] = {{96, 300, 46}, {408, 262, 46}, {84, 190, 36}, {424, 170, 34}};
    for (const auto& l : ledges) {
        Shape rock = Union(Ellipse(l[0], l[1] + 12, l[2], 14), RoundBox(l[0], l[1] + 4, l[2] * 0.95f, 8, 6));
        Fill(img, Move(rock, 0, 4), rgb(10, 4, 20, 0.5f), 4);
        Fill(img, rock, VGrad(l[1], rgb(78, 52, 106), l[1] + 26, rgb(32, 18, 50)));
        Fill(img, RoundBox(l[0], l[1] - 1, l[2] * 0.9f, 4, 4),
             VGrad(l[1] - 5, rgb(130, 210, 110), l[1] + 3, rgb(50, 110, 70)));
    }
    Mushroom(img, 82, 300, 1.6f, rgb(90, 230, 220));
    Mushroom(img, 104, 301, 1.1f, rgb(90, 230, 220));
    Mushroom(img, 418, 262, 1.5f, rgb(255, 120, 200));
    Mushroom(img, 430, 170, 1.2f, rgb(255, 200, 90));
    Crystal(img, 74, 190, 24, -18, rgb(150, 110, 255));
    Crystal(img, 88, 190, 16, 10, rgb(150, 110, 255));
    Crystal(img, 398, 262, 20, 15, rgb(120, 200, 255));
    // Hanging vines with leaves from the roof.
    Rng r(7);
    for (int v = 0; v < 8; v++) {
        float x = 70 + v * 52 + r.range(-14, 14), len = r.range(110, 230);
        std::vector<float> pts;
        for (int k = 0; k <= 20; k++) {
            float t = k / 20.0f;
            pts.insert(pts.end(), {x + 7 * std::sin(t * 5 + v), -4 + t * len});
        }
        Fill(img, Stroke(pts, 1.5f), rgb(40, 90, 60));
        for (int k = 2; k < 20; k += 3) {
            float px = pts[k * 2], py = pts[k * 2 + 1];
            Fill(img, Leaf(px, py, r.range(9, 13), (k % 2) ? 30.0f : 150.0f),
                 VGrad(py - 5, rgb(110, 190, 100), py + 5, rgb(50, 120, 70)));
        }
    }
    // Foreground: the floor and two bramble thickets with berries.
    auto ground = [](float x) { return 378 + 12 * std::sin(x / 60) + 10 * Fbm(x / 25, 7.5f, 51, 3); };
    Fill(img, Under(ground, 0, 504, 340, 504), VGrad(370, rgb(22, 12, 36), 420, rgb(12, 6, 20)));
    for (int side = 0; side < 2; side++) {
        float bx = side ? 404.0f : 100.0f;
        std::vector<Shape> bush;
        for (int k = 0; k < 12; k++)
            bush.push_back(Circle(bx + r.range(-50, 50), 385 + r.range(-25, 25), r.range(12, 22)));
        Shape b = Union(bush);
        Fill(img, Grow(b, 3), rgb(10, 20, 16));
        Fill(img, b, VGrad(345, rgb(48, 92, 56), 420, rgb(14, 32, 24)));
        for (int k = 0; k < 26; k++) {
            float a = Rad(r.range(190, 350)), x = bx + r.range(-45, 45), y = 378 + r.range(-25, 15);
            Fill(img, Polygon({x - 2, y, x + 2, y, x + std::cos(a) * 8, y + std::sin(a) * 8}),
                 rgb(220, 190, 190, 0.85f));
        }
        for (int k = 0; k < 6; k++) {
            float x = bx + r.range(-40, 40), y = 380 + r.range(-22, 12);
            Fill(img, Circle(x, y, 5.5f), rgb(20, 6, 24));
            for (int d = 0; d < 5; d++) {
                float a = Rad(d * 72.0f);
                Fill(img, Circle(x + std::cos(a) * 2.2f, y + std::sin(a) * 2.2f, 2.4f),
                     RGrad(x - 1, y - 1, 4, rgb(190, 70, 170), pal::berry));
            }
        }
    }
    // Fireflies.
    for (int k = 0; k < 46; k++) {
        float x = r.range(60, 444), y = r.range(110, 380), s = r.range(0.6f, 1.5f);
        Col c = k % 3 ? rgb(230, 255, 140) : rgb(180, 220, 255);
        Glow(img, Circle(x, y, s), withAlpha(c, 0.35f), 6 * s);
        Fill(img, Circle(x, y, s), c);
    }
    // Vignette keeps the eye in the middle, where the buttons are.
    for (int y = 0; y < N; y++)
        for (int x = 0; x < N; x++) {
            float dx = (x - 252) / 200.0f, dy = (y - 252) / 150.0f;
            img.over(x, y, rgb(6, 2, 14), Smooth(0.7f, 1.6f, std::sqrt(dx * dx + dy * dy)) * 0.8f);
        }
    return img;
}

Image MakeLogo() {
    Image img(1024, 1024);
    const float cap = 150, k = cap / 16, body = 13, rim = 6;
    const char* word = "Bramblehop";
    const float widths[] = {70, 46, 64, 112, 64, 0, 64, 62, 64, 64};
    float total = 0;
    for (float w : widths) total += w + 2 * (body + rim) - 8;
    float x = 512 - total * 0.5f - 4, base = 590;
    std::vector<Shape> letters, hops;
    float tops[10], lefts[10];
    for (int i = 0; i < 10; i++) {
        float w = widths[i];
        float lx = x + body + rim, dy = (i % 2 ? -1.0f : 1.0f) * 7, rot = (i % 2 ? 4.0f : -3.0f);
        Strokes s = Place(Glyph(word[i], 0, w / k), lx, base + dy - kBase * k, k);
        Shape sh = Rotate(StrokeShape(s, body), lx + w * 0.5f, base - 60, rot);
        (i < 7 ? letters : hops).push_back(sh);
        tops[i] = sh.box.y0;
        lefts[i] = lx;
        x += w + 2 * (body + rim) - 8;
    }
    Shape bramble = Bake(Union(letters), 40), hop = Bake(Union(hops), 40), all = Bake(Union(bramble, hop), 40);
    // A bramble runs under the word, with leaves and berries.
    std::vector<float> vine;
    for (int i = 0; i <= 60; i++) {
        float t = i / 60.0f;
        vine.insert(vine.end(), {70 + t * 884, base + 40 + 22 * std::sin(t * 17)});
    }
    Fill(img, Move(Grow(all, rim + 6), 0, 12), rgb(8, 2, 16, 0.55f), 6);
    Fill(img, Grow(Stroke(vine, 7), 4), pal::ink);
    Fill(img, Stroke(vine, 7), VGrad(base + 20, rgb(110, 180, 80), base + 70, rgb(40, 100, 50)));
    Rng r(3);
    for (int i = 3; i < 60; i += 4) {
        float px = vine[i * 2], py = vine[i * 2 + 1];
        Shape leaf = Leaf(px, py, r.range(34, 46), i % 8 == 3 ? r.range(20, 60) : r.range(120, 160));
        Fill(img, Grow(leaf, 4), pal::ink);
        Fill(img, leaf, VGrad(py - 20, rgb(160, 220, 100), py + 20, rgb(60, 140, 70)));
    }
    Fill(img, Grow(all, rim + 5), pal::cream);
    Fill(img, Grow(all, rim), pal::ink);
    Fill(img, bramble, VGrad(base - cap, rgb(255, 150, 200), base + 10, rgb(150, 40, 150)));
    Fill(img, hop, VGrad(base - cap, rgb(220, 255, 140), base + 10, rgb(60, 170, 70)));
    // A soft highlight on the upper edge of every stroke.
    Fill(img, Subtract(Grow(all, -4), Move(Grow(all, -2), 0, -6)), rgb(255, 255, 255, 0.35f));
    for (int i = 0; i < 9; i++) {
        float bx = 110 + i * 100 + r.range(-20, 20), by = base + 44 + 22 * std::sin((bx - 70) / 884 * 17) + 18;
        Fill(img, Circle(bx, by, 14), pal::ink);
        for (int d = 0; d < 6; d++) {
            float a = Rad(d * 60.0f), cx = bx + std::cos(a) * 5.5f, cy = by + std::sin(a) * 5.5f;
            Fill(img, Circle(cx, cy, 5.8f), RGrad(cx - 2, cy - 2, 7, rgb(200, 80, 180), pal::berry));
        }
        Fill(img, Circle(bx - 4, by - 4, 2.5f), rgb(255, 230, 255, 0.9f));
    }
    // The bird perches on the l; a chick sits on the o.
    DrawBird(img, lefts[5] - 16 * 4.2f, tops[5] - rim - 30.5f * 4.2f, 4.2f, -12, 0, false);
    DrawChick(img, lefts[8] + 32 - 16 * 3.0f, tops[8] - rim - 29.5f * 3.0f, 3.0f);
    const float sparks[][3] = {{120, 330, 12}, {200, 385, 8},  {330, 300, 10}, {420, 360, 7},
                               {700, 290, 9},  {905, 320, 12}, {960, 420, 7}};
    for (const auto& s : sparks) {
        Shape sp = Union(Capsule(s[0] - s[2], s[1], s[0] + s[2], s[1], 2.2f),
                         Capsule(s[0], s[1] - s[2], s[0], s[1] + s[2], 2.2f));
        Glow(img, sp, rgb(255, 240, 180, 0.4f), 8);
        Fill(img, sp, rgb(255, 250, 210));
    }
    return img;
}

Image MakeVellLogo() {
    Image img(800, 800);
    const float cx = 400, cy = 320;
    Glow(img, Circle(cx, cy, 200), rgb(170, 120, 255, 0.35f), 90);
    Fill(img, Circle(cx, cy, 224), pal::ink);
    Fill(img, Circle(cx, cy, 214), RGrad(cx - 60, cy - 90, 300, rgb(120, 80, 200), rgb(40, 16, 80)));
    Fill(img, Ring(cx, cy, 190, 8), rgb(220, 200, 255, 0.55f));
    for (int i = 0; i < 24; i++) {
        float a = Rad(i * 15.0f);
        Fill(img, Circle(cx + std::cos(a) * 204, cy + std::sin(a) * 204, i % 2 ? 3.0f : 5.0f),
             rgb(230, 215, 255, 0.8f));
    }
    // The V: two leaf-shaped strokes meeting at the bottom, and a spark.
    for (int side = -1; side <= 1; side += 2) {
        std::vector<float> pts;
        for (int i = 0; i <= 24; i++) {
            float t = i / 24.0f;
            pts.insert(pts.end(), {cx + side * (10 + 120 * t + 25 * std::sin(t * kPi)), cy + 130 - 250 * t});
        }
        Shape leaf = Stroke(pts, 26);
        Fill(img, Grow(leaf, 10), pal::ink);
        Fill(img, leaf,
             VGrad(cy - 120, side < 0 ? rgb(150, 255, 220) : rgb(255, 220, 150), cy + 150,
                   side < 0 ? rgb(40, 160, 170) : rgb(230, 110, 60)));
        Fill(img, Subtract(Grow(leaf, -8), Move(leaf, 0, -10)), rgb(255, 255, 255, 0.3f));
    }
    std::vector<float> pts;
    for (int i = 0; i < 8; i++) {
        float a = Rad(i * 45.0f - 90), rr = (i % 2) ? 14.0f : 58.0f;
        pts.insert(pts.end(), {cx + std::cos(a) * rr, cy - 122 + std::sin(a) * rr});
    }
    Shape spark = Grow(Polygon(pts), 2);
    Glow(img, spark, rgb(255, 255, 255, 0.6f), 40);
    Fill(img, Grow(spark, 6), pal::ink);
    Fill(img, spark, rgb(255, 252, 235));
    TextStyle st;
    st.cap = 84;
    st.body = 9;
    st.outline = 6;
    st.spacing = 6;
    st.shadow = 8;
    st.fill = rgb(255, 255, 255);
    st.fillLow = rgb(200, 190, 240);
    st.edge = pal::ink;
    float w = TextWidth("VellFrame", st);
    DrawText(img, "VellFrame", cx - w * 0.5f, 680, st);
    return img;
}
