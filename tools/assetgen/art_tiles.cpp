// The play field: tiles (brambles, ledges, switches, spinner hub, chick),
// fireballs and the dark cave-wall tiles behind it all.
#include <cmath>
#include <tuple>

#include "art.h"

namespace {

// Draws shape-making f at x offsets -32, 0 and +32 so that a tile repeats
// without a seam when its neighbours are the same tile.
template <class F>
void Wrapped(F f) {
    for (int k = -1; k <= 1; k++) f(32.0f * k);
}

// Two courses of rounded stones; used by both ledges.
void Stones(Image& img, Col base, Col mortar, uint32_t seed, float top) {
    Fill(img, RoundBox(16, 16, 16, 16, 0), mortar);
    for (int row = 0; row < 2; row++) {
        float y0 = row * 16.0f;
        for (int i = 0; i < 3; i++) {
            float x0 = (row ? -8.0f : 0.0f) + i * 16.0f;
            Rng r(seed + row * 7 + ((i % 2) * 3));
            Col c = mix(base, lighten(base, 0.25f), r.uni() * 0.6f);
            Wrapped([&](float dx) {
                float cx = x0 + 8 + dx, cy = y0 + 8;
                if (cy + 7 < top) return;
                Shape s = RoundBox(cx, cy, 7, 7, 3);
                Fill(img, s, VGrad(cy - 7, lighten(c, 0.15f), cy + 7, darken(c, 0.15f)));
                Fill(img, Intersect(s, Move(Grow(s, -1.2f), -1, 1.3f)), withAlpha(c, 0.9f));
                Fill(img, Capsule(cx - 4, cy - 4.8f, cx + 1, cy - 4.8f, 0.8f), withAlpha(lighten(c, 0.4f), 0.5f));
            });
        }
    }
}

Image LedgeBody(Col base, Col mortar, uint32_t seed) {
    Image t(32, 32);
    Stones(t, base, mortar, seed, 0);
    return t;
}

Image StartTop() {
    Image t = LedgeBody(rgb(160, 106, 70), rgb(100, 60, 46), 11);
    // Moss cap with a wavy lower edge; period 32 keeps it seamless.
    Shape cap = {
        [](float x, float y) { return y - (7.5f + 1.6f * std::sin(x * kPi / 8) + 0.9f * std::sin(x * kPi / 16 + 1)); },
        {0, 0, 32, 11}};
    Fill(t, Move(cap, 0, 1.2f), rgb(30, 60, 30, 0.6f));
    Fill(t, cap, VGrad(0, rgb(150, 226, 96), 10, pal::leaf));
    Fill(t, Capsule(-2, 1.2f, 34, 1.2f, 1.0f), rgb(200, 250, 140));
    for (int i = 0; i < 8; i++) {
        float x = i * 4.0f + 1.5f;
        Fill(t, Capsule(x, 2.5f, x + 0.8f, 5.0f + (i % 3), 0.55f), rgb(96, 170, 70, 0.8f));
    }
    return t;
}

// The exit is built of big honey-gold blocks, one per cell, so it stands
// apart from the small earthy stones of the start.
Image ExitBody() {
    Image t(32, 32);
    const Col honey = rgb(214, 150, 62);
    Fill(t, RoundBox(16, 16, 16, 16, 0), rgb(120, 70, 34));
    Shape block = RoundBox(16, 16, 15, 15, 4);
    Fill(t, block, VGrad(1, lighten(honey, 0.3f), 31, darken(honey, 0.25f)));
    Shape inner = RoundBox(16.5f, 16.5f, 10.5f, 10.5f, 3);
    Fill(t, inner, VGrad(6, darken(honey, 0.08f), 27, lighten(honey, 0.12f)));
    Fill(t, Capsule(5, 3.2f, 22, 3.2f, 0.9f), rgb(255, 236, 170, 0.7f));
    return t;
}

Image ExitTop() {
    Image t = ExitBody();
    Fill(t, RoundBox(16, 4.5f, 16, 5.5f, 0), VGrad(0, rgb(255, 246, 190), 10, rgb(240, 176, 50)));
    Fill(t, Capsule(-2, 10, 34, 10, 0.9f), rgb(120, 62, 26));
    Fill(t, Capsule(-2, 1.0f, 34, 1.0f, 0.8f), rgb(255, 255, 230));
    // Chevrons point right, to the way out.
    for (float x : {6.0f, 22.0f}) Fill(t, Stroke({x - 2, 2.6f, x + 2, 5, x - 2, 7.4f}, 1.0f), rgb(200, 110, 30));
    return t;
}

Image Bramble() {
    Image t(32, 32);
    std::vector<Part> parts;
    const Col vine = rgb(46, 100, 52), vineHi = rgb(104, 170, 78), thorn = rgb(250, 226, 214);
    // The vines leave through the middle of each edge, so neighbours join up.
    std::vector<float> h, v;
    for (int i = 0; i <= 17; i++) {
        float s = -2 + i * 2.0f;
        h.insert(h.end(), {s, 16 + 2.4f * std::sin(s * kPi / 16)});
        v.insert(v.end(), {16 - 2.4f * std::sin(s * kPi / 16), s});
    }
    parts.push_back({Union(Stroke(h, 2.3f), Stroke(v, 2.3f)), VGrad(6, vineHi, 28, vine)});
    auto spike = [&](float x, float y, float nx, float ny, float len, float base) {
        parts.push_back(
            {Polygon({x - ny * base, y + nx * base, x + ny * base, y - nx * base, x + nx * len, y + ny * len}),
             Solid(thorn)});
    };
    for (float s : {4.0f, 28.0f}) {
        float y = 16 + 2.4f * std::sin(s * kPi / 16), x = 16 - 2.4f * std::sin(s * kPi / 16);
        spike(s, y + (s < 16 ? -1.5f : 1.5f), 0, s < 16 ? -1.0f : 1.0f, 4.5f, 1.5f);
        spike(x + (s < 16 ? 1.5f : -1.5f), s, s < 16 ? 1.0f : -1.0f, 0, 4.5f, 1.5f);
    }
    Rng r(5);
    for (int i = 0; i < 10; i++) {
        float a = Rad(i * 36.0f + 18 + r.range(-8, 8));
        float c = std::cos(a), n = std::sin(a);
        spike(16 + c * 10.5f, 16 + n * 10.5f, c, n, 4.8f, 1.7f);
    }
    // A bush big enough that neighbouring brambles grow into one thicket.
    std::vector<Shape> bush;
    for (int i = 0; i < 9; i++) {
        float a = Rad(i * 40.0f + r.range(-10, 10)), d = r.range(4.5f, 7.5f);
        bush.push_back(Circle(16 + std::cos(a) * d, 16 + std::sin(a) * d, r.range(4.6f, 5.8f)));
    }
    parts.push_back({Union(bush), RGrad(12, 11, 15, rgb(80, 136, 66), rgb(28, 66, 40))});
    Outlined(t, parts, 1.1f, pal::ink);
    for (auto [x, y, a] : {std::tuple{10.5f, 19.5f, 30.0f}, std::tuple{21.0f, 10.5f, -40.0f}}) {
        Shape leaf = Rotate(Ellipse(x, y, 4.2f, 2.0f), x, y, a);
        Fill(t, Grow(leaf, 0.8f), pal::ink);
        Fill(t, leaf, VGrad(y - 2, rgb(150, 214, 96), y + 2, rgb(84, 160, 70)));
    }
    // Blackberries, and one not yet ripe.
    const struct {
        float x, y;
        Col c;
    } berries[] = {{13, 12.5f, pal::berry}, {20.5f, 19.5f, pal::berry}, {19.5f, 13.5f, rgb(210, 50, 60)}};
    for (const auto& b : berries) {
        Fill(t, Circle(b.x, b.y, 3.5f), pal::ink);
        for (int i = 0; i < 5; i++) {
            float a = Rad(i * 72.0f), x = b.x + std::cos(a) * 1.35f, y = b.y + std::sin(a) * 1.35f;
            Fill(t, Circle(x, y, 1.4f), RGrad(x - 0.6f, y - 0.6f, 1.6f, lighten(b.c, 0.45f), b.c));
        }
        Fill(t, Circle(b.x - 1.0f, b.y - 1.2f, 0.6f), rgb(255, 230, 255, 0.9f));
    }
    return t;
}

// One switch across two cells, returned as its left and right halves.
void SwitchPair(Image& left, Image& right, char number) {
    Image pad(64, 32);
    Shape body = RoundBox(32, 19, 30, 11, 6);
    if (number == 0) {
        Glow(pad, body, rgb(255, 220, 90, 0.45f), 6);
        Fill(pad, Grow(body, 1.3f), pal::ink);
        Fill(pad, body, VGrad(8, rgb(255, 246, 170), 30, rgb(255, 156, 36)));
        Fill(pad, Intersect(body, Move(body, 0, 4)), withAlpha(rgb(255, 216, 90), 0.6f));
        Fill(pad, Capsule(10, 11, 54, 11, 1.1f), rgb(255, 255, 235));
        Shape star = Polygon(
            {32, 11.5f, 34.2f, 16.8f, 39.5f, 19, 34.2f, 21.2f, 32, 26.5f, 29.8f, 21.2f, 24.5f, 19, 29.8f, 16.8f});
        Glow(pad, star, rgb(255, 255, 255, 0.7f), 4);
        Fill(pad, Grow(star, 0.8f), rgb(200, 110, 20));
        Fill(pad, star, rgb(255, 255, 245));
        for (float x : {12.0f, 52.0f}) Fill(pad, Circle(x, 20, 2.2f), rgb(255, 250, 210));
    } else {
        const Col hues[6] = {
            {}, rgb(255, 220, 110), rgb(110, 226, 236), rgb(150, 236, 120), rgb(255, 150, 210), rgb(255, 176, 90)};
        Fill(pad, Grow(body, 1.3f), withAlpha(pal::ink, 0.9f));
        Fill(pad, body, VGrad(8, rgb(132, 118, 184, 0.86f), 30, rgb(70, 58, 112, 0.86f)));
        Fill(pad, Capsule(10, 10.8f, 54, 10.8f, 0.9f), rgb(190, 180, 236, 0.8f));
        for (float x : {11.0f, 53.0f}) Fill(pad, Circle(x, 20, 1.8f), rgb(40, 30, 70, 0.8f));
        Numeral(pad, number, 32, 19.5f, 14, hues[number - '0'], pal::ink);
    }
    left = Image(32, 32);
    right = Image(32, 32);
    Blit(left, pad, 0, 0);
    Blit(right, pad, -32, 0);
}

Image SpinnerHub() {
    Image t(32, 32);
    Fill(t, Circle(16, 16, 12.5f), pal::ink);
    Fill(t, Circle(16, 16, 11.3f), RGrad(12, 11, 16, rgb(120, 104, 140), rgb(50, 40, 66)));
    for (int i = 0; i < 6; i++) {
        float a = Rad(i * 60.0f);
        Fill(t, Circle(16 + std::cos(a) * 8.3f, 16 + std::sin(a) * 8.3f, 1.5f), rgb(190, 176, 210));
    }
    Glow(t, Circle(16, 16, 3.5f), rgb(255, 140, 40, 0.8f), 4);
    Fill(t, Circle(16, 16, 4.2f), pal::ink);
    Fill(t, Circle(16, 16, 3.2f), RGrad(15, 15, 3.5f, rgb(255, 240, 170), pal::ember));
    return t;
}

}  // namespace

Image MakeTiles() {
    std::vector<Image> f(60, Image(32, 32));
    f[0] = Bramble();
    f[1] = StartTop();
    f[2] = LedgeBody(rgb(160, 106, 70), rgb(100, 60, 46), 11);
    f[3] = ExitTop();
    f[4] = ExitBody();
    SwitchPair(f[5], f[6], 0);
    f[10] = SpinnerHub();
    DrawChick(f[11], 0, 0, 1);
    // Switches waiting their turn, numbered 1 to 5 (1 is never shown waiting).
    for (int n = 1; n <= 5; n++) SwitchPair(f[n * 10 + 5], f[n * 10 + 6], char('0' + n));
    return Assemble(f, 12, 32);
}

Image MakeFireballs() {
    std::vector<Image> frames;
    for (int i = 0; i < 12; i++) {
        Image t(32, 32);
        Rng r(100 + i);
        Glow(t, Circle(16, 16, 8.5f), rgb(255, 80, 20, 0.55f), 7.5f);
        float spin = r.range(0, 60);
        for (int j = 0; j < 6; j++) {
            float a = spin + j * 60 + r.range(-12, 12), len = r.range(3.5f, 5.5f);
            float cx = 16 + std::cos(Rad(a)) * 9, cy = 16 + std::sin(Rad(a)) * 9;
            Fill(t, Rotate(Ellipse(cx, cy, len, 2.4f), cx, cy, a), rgb(255, 96, 28, 0.85f));
        }
        Fill(t, Circle(16, 16, 10), RGrad(14, 14, 11, rgb(255, 180, 50), rgb(226, 50, 24)));
        Fill(t, Circle(15.2f + r.range(-0.8f, 0.8f), 15.2f + r.range(-0.8f, 0.8f), 7),
             RGrad(14, 14, 7.5f, rgb(255, 250, 190), rgb(255, 150, 40)));
        Fill(t, Circle(14.5f, 14.5f, 3.2f), rgb(255, 255, 240, 0.95f), 1.6f);
        for (int j = 0; j < 3; j++) {
            float a = Rad(r.range(0, 360)), d = r.range(11, 13.5f);
            Fill(t, Circle(16 + std::cos(a) * d, 16 + std::sin(a) * d, 0.9f), rgb(255, 220, 120, 0.9f));
        }
        frames.push_back(t);
    }
    return Assemble(frames, 4, 32);
}

Image MakeBackdrop() {
    std::vector<Image> frames;
    for (int i = 0; i < 12; i++) {
        Image t(32, 32);
        // A common tileable ground: every tile meets every other without a seam.
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                float n = Fbm(x / 8.0f, y / 8.0f, 77, 3, 4);
                t.over(x, y, mix(rgb(24, 16, 40), rgb(50, 36, 72), n), 1.0f);
            }
        Image deco(32, 32);
        Rng r(300 + i);
        // Most tiles stay plain; the rest carry one quiet detail each.
        int stones = (i == 2 || i == 8) ? 1 : (i == 10 ? 2 : 0);
        for (int s = 0; s < stones; s++) {
            float cx = r.range(10, 22), cy = r.range(10, 22), rx = r.range(3, 5.5f), ry = r.range(2.5f, 4);
            Shape p = Rotate(Ellipse(cx, cy, rx, ry), cx, cy, r.range(-30, 30));
            Fill(deco, Move(p, 0.8f, 1.2f), rgb(14, 8, 24, 0.5f));
            Fill(deco, p, VGrad(cy - ry, rgb(62, 48, 90, 0.8f), cy + ry, rgb(40, 30, 62, 0.8f)));
        }
        if (i == 4) Fill(deco, Stroke({8, 9, 14, 13, r.range(12, 18), 19, 24, 23}, 0.6f), rgb(16, 9, 28, 0.6f));
        if (i == 3)
            Fill(deco, Stroke({7, r.range(10, 14), 13, 16, 19, r.range(14, 19), 25, 21}, 0.7f), rgb(18, 11, 30, 0.6f));
        if (i == 9 || i == 11)
            for (int s = 0; s < 3; s++)
                Fill(deco, Circle(r.range(11, 21), r.range(11, 21), r.range(1.5f, 2.8f)), rgb(38, 70, 60, 0.5f), 1.8f);
        if (i == 5 || i == 11) {
            float cx = r.range(11, 21), cy = r.range(11, 21);
            Glow(deco, Circle(cx, cy, 0.8f), rgb(150, 120, 255, 0.25f), 4);
            Fill(deco, Circle(cx, cy, 0.8f), rgb(200, 180, 255, 0.75f));
        }
        // Decoration fades out before the edges so any neighbour fits.
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                float edge = std::fmin(std::fmin(x + 0.5f, 31.5f - x), std::fmin(y + 0.5f, 31.5f - y));
                float m = Smooth(2.0f, 6.0f, edge);
                float* p = deco.at(x, y);
                for (int c = 0; c < 4; c++) p[c] *= m;
            }
        Blit(t, deco, 0, 0);
        frames.push_back(t);
    }
    return Assemble(frames, 12, 32);
}
