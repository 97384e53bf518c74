#include "glyphs.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

// Skeletons. x is normalised across the glyph's width (0 left, 1 right), y
// is in cell rows: capitals from 8 to 24, x-height 13, descenders to 29.
//   M x y        start a new line        L x y          line to
//   Q cx cy x y  quadratic curve to      D x y          a dot
//   A cx cy rx ry a0 a1   elliptical arc from angle a0 to a1 (degrees,
//                         0 = right, 90 = down), joined to the current line
static const char* const kGlyphs[95] = {
    "",                                                                                     // space
    "M .5 8 L .5 18.5 D .5 23",                                                             // !
    "M .15 8 L .15 12 M .85 8 L .85 12",                                                    // "
    "M .38 8 L .22 24 M .84 8 L .68 24 M 0 13 L 1 13 M 0 19 L 1 19",                        // #
    "A .5 12 .5 3.6 -30 -270 A .5 19.2 .5 3.6 -90 150 M .5 6 L .5 26",                      // $
    "M .92 8 L .08 24 A .18 11.5 .18 3.3 0 360 A .82 20.5 .18 3.3 0 360",                   // %
    "M 1 24 L .24 13.8 A .42 11 .28 3 140 420 L .1 18.6 A .4 20.5 .34 3.5 190 -25 L 1 17",  // &
    "M .5 8 L .5 12",                                                                       // '
    "A 1.6 16 1.45 11.5 -133 -227",                                                         // (
    "A -.6 16 1.45 11.5 -47 47",                                                            // )
    "M .5 9 L .5 19 M .07 11.5 L .93 16.5 M .93 11.5 L .07 16.5",                           // *
    "M .5 11 L .5 21 M 0 16 L 1 16",                                                        // +
    "D .5 23 M .5 23 L .5 26.5",                                                            // ,
    "M .1 17 L .9 17",                                                                      // -
    "D .5 23",                                                                              // .
    "M 1 7 L 0 25",                                                                         // /
    "A .5 16 .5 8 0 360 D .5 16",                                                           // 0
    "M .15 11.5 L .6 8 L .6 24 M .15 24 L .98 24",                                          // 1
    "A .5 12.5 .5 4.5 -165 20 L 0 24 L 1 24",                                               // 2
    "A .5 12 .48 4 -155 90 A .5 20 .5 4 -90 155",                                           // 3
    "M .72 24 L .72 8 L 0 19 L 1 19",                                                       // 4
    "M .95 8 L .1 8 L .04 15.6 A .5 19.3 .5 4.7 -135 150",                                  // 5
    "A .5 19 .5 5 0 360 M .8 8.6 A 1 19 1 11 -107 -180",                                    // 6
    "M 0 8 L 1 8 L .38 24",                                                                 // 7
    "A .5 12 .44 4 0 360 A .5 20 .5 4 0 360",                                               // 8
    "A .5 13 .5 5 0 360 M 1 13 A 0 13 1 11 0 73",                                           // 9
    "D .5 14 D .5 23",                                                                      // :
    "D .5 14 D .5 23 M .5 23 L .5 26.5",                                                    // ;
    "M 1 10 L 0 16.5 L 1 23",                                                               // <
    "M 0 13.5 L 1 13.5 M 0 19.5 L 1 19.5",                                                  // =
    "M 0 10 L 1 16.5 L 0 23",                                                               // >
    "A .5 12 .5 4 -165 80 L .52 18.5 D .5 23",                                              // ?
    "A .52 16.5 .15 3 0 360 M .68 13 L .68 19.5 Q .72 21.8 .88 21.3 "
    "A .5 16.5 .5 8.4 35 -300",                    // @
    "M 0 24 L .5 8 L 1 24 M .18 18.5 L .82 18.5",  // A
    "M 0 8 L 0 24 L .6 24 A .6 20 .4 4 90 -90 L 0 16 M 0 8 L .55 8 "
    "A .55 12 .38 4 -90 90",                                                 // B
    "A .5 16 .5 8 -42 -318",                                                 // C
    "M 0 8 L 0 24 L .4 24 A .4 16 .6 8 90 -90 L 0 8",                        // D
    "M 1 8 L 0 8 L 0 24 L 1 24 M 0 16 L .8 16",                              // E
    "M 1 8 L 0 8 L 0 24 M 0 16 L .8 16",                                     // F
    "A .5 16 .5 8 -42 -360 M .55 16.5 L 1 16.5",                             // G
    "M 0 8 L 0 24 M 1 8 L 1 24 M 0 16 L 1 16",                               // H
    "M .5 8 L .5 24 M .12 8 L .88 8 M .12 24 L .88 24",                      // I
    "M .35 8 L 1 8 L 1 19 A .5 19 .5 5 0 160",                               // J
    "M 0 8 L 0 24 M 1 8 L 0 17.5 M .34 14.5 L 1 24",                         // K
    "M 0 8 L 0 24 L 1 24",                                                   // L
    "M 0 24 L 0 8 L .5 19 L 1 8 L 1 24",                                     // M
    "M 0 24 L 0 8 L 1 24 L 1 8",                                             // N
    "A .5 16 .5 8 0 360",                                                    // O
    "M 0 24 L 0 8 L .55 8 A .55 12.5 .45 4.5 -90 90 L 0 17",                 // P
    "A .5 16 .5 8 0 360 M .62 19.5 L 1 25",                                  // Q
    "M 0 24 L 0 8 L .55 8 A .55 12.5 .45 4.5 -90 90 L 0 17 M .5 17 L 1 24",  // R
    "A .5 12 .5 4 -25 -270 A .5 20 .5 4 -90 155",                            // S
    "M 0 8 L 1 8 M .5 8 L .5 24",                                            // T
    "M 0 8 L 0 19 A .5 19 .5 5 180 0 L 1 8",                                 // U
    "M 0 8 L .5 24 L 1 8",                                                   // V
    "M 0 8 L .22 24 L .5 12 L .78 24 L 1 8",                                 // W
    "M 0 8 L 1 24 M 1 8 L 0 24",                                             // X
    "M 0 8 L .5 16 L 1 8 M .5 16 L .5 24",                                   // Y
    "M 0 8 L 1 8 L 0 24 L 1 24",                                             // Z
    "M .9 7 L .1 7 L .1 26 L .9 26",                                         // [
    "M 0 7 L 1 25",                                                          // backslash
    "M .1 7 L .9 7 L .9 26 L .1 26",                                         // ]
    "M 0 13 L .5 8 L 1 13",                                                  // ^
    "M 0 27 L 1 27",                                                         // _
    "M .5 7.5 L .5 10.5",                                                    // `
    "A .48 18.5 .48 5.5 0 360 M 1 13 L 1 24",                                // a
    "M 0 8 L 0 24 A .52 18.5 .48 5.5 0 360",                                 // b
    "A .5 18.5 .5 5.5 -40 -320",                                             // c
    "M 1 8 L 1 24 A .48 18.5 .48 5.5 0 360",                                 // d
    "M .04 18.5 L 1 18.5 A .5 18.5 .5 5.5 0 -318",                           // e
    "M 1 9 Q .45 7 .45 12 L .45 24 M .05 13.5 L .9 13.5",                    // f
    "A .48 18.5 .48 5.5 0 360 M 1 13 L 1 25 A .5 25 .5 4 0 165",             // g
    "M 0 8 L 0 24 M 0 17.5 A .5 17.5 .5 4.5 -180 0 L 1 24",                  // h
    "M .5 13 L .5 24 D .5 9.5",                                              // i
    "M .8 13 L .8 26 A .4 26 .4 3 0 170 D .8 9.5",                           // j
    "M 0 8 L 0 24 M 1 13 L 0 20 M .38 17.5 L 1 24",                          // k
    "M .5 8 L .5 24",                                                        // l
    "M 0 13 L 0 24 M 0 17.5 A .25 17.5 .25 4.5 -180 0 L .5 24 M .5 17.5 "
    "A .75 17.5 .25 4.5 -180 0 L 1 24",                          // m
    "M 0 13 L 0 24 M 0 17.5 A .5 17.5 .5 4.5 -180 0 L 1 24",     // n
    "A .5 18.5 .5 5.5 0 360",                                    // o
    "M 0 13 L 0 29 A .52 18.5 .48 5.5 0 360",                    // p
    "M 1 13 L 1 29 A .48 18.5 .48 5.5 0 360",                    // q
    "M 0 13 L 0 24 M 0 18.5 A .62 18.5 .62 5.5 -180 -55",        // r
    "A .5 15.75 .5 2.75 -25 -270 A .5 21.25 .5 2.75 -90 155",    // s
    "M .42 9 L .42 20.5 Q .42 24 .95 24 M .02 13.5 L .92 13.5",  // t
    "M 0 13 L 0 19 A .5 19 .5 5 180 0 M 1 13 L 1 24",            // u
    "M 0 13 L .5 24 L 1 13",                                     // v
    "M 0 13 L .22 24 L .5 16 L .78 24 L 1 13",                   // w
    "M 0 13 L 1 24 M 1 13 L 0 24",                               // x
    "M 0 13 L .52 24 M 1 13 L .42 26.5 Q .3 29 0 29",            // y
    "M 0 13 L 1 13 L 0 24 L 1 24",                               // z
    "M 1 7 Q .4 7 .4 11 L .4 14 Q .4 16.5 0 16.5 Q .4 16.5 .4 19 L .4 22 "
    "Q .4 26 1 26",    // {
    "M .5 6 L .5 27",  // |
    "M 0 7 Q .6 7 .6 11 L .6 14 Q .6 16.5 1 16.5 Q .6 16.5 .6 19 L .6 22 "
    "Q .6 26 0 26",                             // }
    "M 0 18 Q .22 12.5 .5 16 Q .78 19.5 1 14",  // ~
};

Strokes Glyph(char c, float x0, float width) {
    Strokes out;
    int i = (unsigned char)c - 32;
    if (i < 0 || i >= 95) return out;
    const char* p = kGlyphs[i];
    auto num = [&p]() {
        char* end = nullptr;
        float v = std::strtof(p, &end);
        p = end;
        return v;
    };
    auto X = [x0, width](float xn) { return x0 + xn * width; };
    std::vector<float>* cur = nullptr;
    float px = 0, py = 0;
    auto start = [&](float x, float y) {
        out.lines.emplace_back();
        cur = &out.lines.back();
        cur->push_back(x);
        cur->push_back(y);
    };
    auto to = [&](float x, float y) {
        if (!cur) start(x, y);
        else {
            cur->push_back(x);
            cur->push_back(y);
        }
        px = x;
        py = y;
    };
    while (*p) {
        char cmd = *p++;
        if (cmd == ' ') continue;
        if (cmd == 'M') {
            float x = X(num()), y = num();
            start(x, y);
            px = x;
            py = y;
        } else if (cmd == 'L') {
            float x = X(num()), y = num();
            to(x, y);
        } else if (cmd == 'D') {
            float x = X(num()), y = num();
            out.lines.push_back({x, y - 0.5f, x, y + 0.5f});
            cur = nullptr;
        } else if (cmd == 'Q') {
            float cx = X(num()), cy = num(), x = X(num()), y = num();
            float sx = px, sy = py;
            for (int k = 1; k <= 10; k++) {
                float t = k / 10.0f, u = 1 - t;
                to(u * u * sx + 2 * u * t * cx + t * t * x, u * u * sy + 2 * u * t * cy + t * t * y);
            }
        } else if (cmd == 'A') {
            float cx = X(num()), cy = num(), rx = num() * width, ry = num(), a0 = num(), a1 = num();
            int steps = std::max(6, int(std::fabs(a1 - a0) / 9));
            // An arc continues the current line only when it starts where the line ends.
            float sx = cx + rx * std::cos(Rad(a0)), sy = cy + ry * std::sin(Rad(a0));
            if (cur && std::hypot(sx - px, sy - py) > 3.0f) cur = nullptr;
            for (int k = 0; k <= steps; k++) {
                float a = Rad(a0 + (a1 - a0) * k / steps);
                to(cx + rx * std::cos(a), cy + ry * std::sin(a));
            }
        }
    }
    return out;
}

void GlyphSpan(char c, float& x0, float& width) {
    int i = (unsigned char)c - 32;
    float adv = (i >= 0 && i < 95) ? float(fontw[i] - 1) : 0.0f;
    float edge = kStrokeR + kOutline;
    float inset = std::fmin(0.5f, std::fmax(0.0f, (adv - 2 * edge) * 0.1f));
    x0 = 2.0f + edge + inset;
    width = std::fmax(0.0f, adv - 2 * edge - 2 * inset);
}

Strokes Place(const Strokes& s, float ox, float oy, float k) {
    Strokes out = s;
    for (auto& l : out.lines)
        for (size_t i = 0; i + 1 < l.size(); i += 2) {
            l[i] = ox + k * l[i];
            l[i + 1] = oy + k * l[i + 1];
        }
    return out;
}

Shape StrokeShape(const Strokes& s, float r) {
    std::vector<Shape> parts;
    for (const auto& l : s.lines) parts.push_back(Stroke(l, r));
    if (parts.empty()) return {[](float, float) { return 1e9f; }, {0, 0, 0, 0}};
    return Union(parts);
}

Image MakeFontSheet() {
    Image sheet(16 * 32, 6 * 32);
    for (int i = 1; i < 95; i++) {
        char c = char(32 + i);
        float x0, width;
        GlyphSpan(c, x0, width);
        Shape body = StrokeShape(Glyph(c, x0, width), kStrokeR);
        Shape rim = Grow(body, kOutline);
        Image cell(32, 32);
        // The shadow only falls downwards, so it never widens the advance.
        Fill(cell, Move(rim, 0, 1.2f), rgb(10, 4, 20, 0.55f));
        Fill(cell, rim, rgb(22, 12, 34));
        Fill(cell, body, VGrad(kCapTop, rgb(255, 255, 255), kBase, rgb(214, 214, 228)));
        Blit(sheet, cell, (i % 16) * 32, (i / 16) * 32);
    }
    return sheet;
}

static void SpanScaled(char c, const TextStyle& st, float& adv, float& inset, float& width) {
    float k = st.cap / 16.0f;
    int i = (unsigned char)c - 32;
    adv = ((i >= 0 && i < 95) ? float(fontw[i] - 1) : 0.0f) * k + st.spacing;
    float edge = st.body + st.outline;
    width = std::fmax(0.0f, adv - st.spacing - 2 * edge);
    inset = edge;
}

float TextWidth(const std::string& text, const TextStyle& st) {
    float w = 0;
    for (char c : text) {
        float adv, inset, width;
        SpanScaled(c, st, adv, inset, width);
        w += adv;
    }
    return w - st.spacing;
}

void DrawText(Image& img, const std::string& text, float x, float y, const TextStyle& st) {
    float k = st.cap / 16.0f;
    std::vector<Shape> bodies;
    for (char c : text) {
        float adv, inset, width;
        SpanScaled(c, st, adv, inset, width);
        // Skeleton rows are cell rows; baseline row 24 lands on y.
        Strokes s = Glyph(c, 0, width / k);
        if (!s.lines.empty()) bodies.push_back(StrokeShape(Place(s, x + inset, y - kBase * k, k), st.body));
        x += adv;
    }
    if (bodies.empty()) return;
    Shape body = Union(bodies);
    Shape rim = Grow(body, st.outline);
    if (st.shadow > 0) Fill(img, Move(rim, 0, st.shadow), withAlpha(st.edge, 0.5f * st.edge.a));
    Fill(img, rim, st.edge);
    Fill(img, body, VGrad(y - 16 * k, st.fill, y, st.fillLow));
}
