// The bird and its chicks, drawn in a 32-unit box so that the same code
// serves the 32-pixel sprites, the life icon and the big title art.
#include <cmath>

#include "art.h"

namespace {

// Maps 32-unit design coordinates to the picture: (ox + k x, oy + k y).
struct View {
    float ox, oy, k;
    Shape S(const Shape& s) const { return Move(Scale(s, 0, 0, k), ox, oy); }
    Paint P(Paint p) const {
        View v = *this;
        return [p, v](float x, float y) { return p((x - v.ox) / v.k, (y - v.oy) / v.k); };
    }
};

const Col kRed = rgb(236, 82, 62), kRedHi = rgb(255, 138, 92), kWing = rgb(168, 44, 58), kWingHi = rgb(255, 150, 112),
          kBeak = rgb(255, 190, 56), kLeg = rgb(255, 154, 48);

Shape Wing(float sx, float sy, float deg, float len, float wid) {
    float a = Rad(deg);
    float dx = -std::cos(a), dy = -std::sin(a);
    float cx = sx + dx * len * 0.5f, cy = sy + dy * len * 0.5f;
    float rot = std::atan2(dy, dx) * 180.0f / kPi;
    return Rotate(Ellipse(cx, cy, len * 0.5f, wid * 0.5f), cx, cy, rot);
}

}  // namespace

// wingDeg: 0 points the wing straight back, positive raises it, negative
// lowers it. legs: 0 standing, 1 tucked in flight, 2 mid-stride.
void DrawBird(Image& img, float ox, float oy, float k, float wingDeg, int legs, bool wingOpen) {
    View v{ox, oy, k};
    std::vector<Part> parts;
    const float lr = 0.95f;
    if (legs == 0) {
        parts.push_back({v.S(Stroke({13, 25, 13, 30.5f, 15.5f, 30.5f}, lr)), Solid(kLeg)});
        parts.push_back({v.S(Stroke({18, 25, 18.5f, 30.5f, 21, 30.5f}, lr)), Solid(kLeg)});
    } else if (legs == 2) {
        parts.push_back({v.S(Stroke({13, 25, 10.5f, 30.5f, 13, 30.5f}, lr)), Solid(kLeg)});
        parts.push_back({v.S(Stroke({18, 25, 20.5f, 30.5f, 23, 30.5f}, lr)), Solid(kLeg)});
    } else {
        parts.push_back({v.S(Stroke({13.5f, 25, 11.5f, 28}, lr)), Solid(kLeg)});
        parts.push_back({v.S(Stroke({18, 25, 16, 28.5f}, lr)), Solid(kLeg)});
    }
    Shape tail = Polygon({8, 15.5f, 1, 11.5f, 2.5f, 16.5f, 0.5f, 20.5f, 8, 22});
    parts.push_back({v.S(Grow(tail, 0.3f)), v.P(VGrad(11, kWingHi, 21, kWing))});
    Shape body = Union(Ellipse(15, 19, 10, 8.2f), Circle(21, 12.5f, 6.8f));
    parts.push_back({v.S(body), v.P(RGrad(19, 9, 17, kRedHi, kRed))});
    Shape belly = Intersect(Ellipse(19.5f, 22, 7.2f, 5.6f), Grow(body, -1.0f));
    parts.push_back({v.S(belly), v.P(VGrad(17, pal::cream, 27, rgb(255, 214, 170)))});
    parts.push_back({v.S(Stroke({18.5f, 6.8f, 17.2f, 3.6f}, 1.0f)), Solid(kRed)});
    parts.push_back({v.S(Stroke({20.2f, 6.2f, 20.6f, 3.2f}, 0.9f)), Solid(kRedHi)});
    parts.push_back({v.S(Grow(Polygon({26.6f, 10.6f, 31.2f, 13.1f, 26.6f, 15.6f}), 0.35f)),
                     v.P(VGrad(10.5f, rgb(255, 226, 120), 15.6f, kBeak))});
    Shape wing = wingOpen ? Wing(13.5f, 17, wingDeg, 13, 7) : Wing(14, 18, wingDeg, 11, 6.5f);
    parts.push_back({v.S(wing), Solid(kWingHi)});
    Outlined(img, parts, 1.35f * k, pal::ink);
    // Wing shading: darker inner feathers leave a light leading edge.
    Fill(img, v.S(Intersect(Grow(wing, -1.1f), Move(wing, 0.6f, 0.9f))), Solid(kWing));
    if (wingOpen) {
        float a = Rad(wingDeg), dx = -std::cos(a), dy = -std::sin(a);
        for (int i = 0; i < 2; i++) {
            float t = 7.5f + i * 2.6f;
            float px = 13.5f + dx * t, py = 17 + dy * t;
            Fill(img, v.S(Capsule(px - dy * 1.2f, py + dx * 1.2f, px + dy * 1.2f, py - dx * 1.2f, 0.35f)),
                 withAlpha(pal::ink, 0.45f));
        }
    }
    Fill(img, v.S(Circle(21.8f, 15.6f, 1.6f)), rgb(255, 120, 140, 0.55f));
    Fill(img, v.S(Circle(23.3f, 11.3f, 2.0f)), pal::ink);
    Fill(img, v.S(Circle(23.9f, 10.6f, 0.75f)), rgb(255, 255, 255));
}

void DrawBirdHead(Image& img, float ox, float oy, float k) {
    View v{ox, oy, k};
    std::vector<Part> parts;
    parts.push_back({v.S(Circle(21, 12.5f, 6.8f)), v.P(RGrad(19, 8, 9, kRedHi, kRed))});
    parts.push_back({v.S(Intersect(Circle(22.5f, 17.5f, 4.5f), Circle(21, 12.5f, 5.8f))), Solid(pal::cream)});
    parts.push_back({v.S(Stroke({18.5f, 6.8f, 17.2f, 3.6f}, 1.0f)), Solid(kRed)});
    parts.push_back({v.S(Stroke({20.2f, 6.2f, 20.6f, 3.2f}, 0.9f)), Solid(kRedHi)});
    parts.push_back({v.S(Grow(Polygon({26.6f, 10.6f, 31.2f, 13.1f, 26.6f, 15.6f}), 0.35f)),
                     v.P(VGrad(10.5f, rgb(255, 226, 120), 15.6f, kBeak))});
    Outlined(img, parts, 1.1f * k, pal::ink);
    Fill(img, v.S(Circle(21.8f, 15.2f, 1.5f)), rgb(255, 120, 140, 0.55f));
    Fill(img, v.S(Circle(23.3f, 11.3f, 2.0f)), pal::ink);
    Fill(img, v.S(Circle(23.9f, 10.6f, 0.75f)), rgb(255, 255, 255));
}

void DrawChick(Image& img, float ox, float oy, float k) {
    View v{ox, oy, k};
    const Col yellow = rgb(255, 214, 64), pale = rgb(255, 246, 170), orange = rgb(255, 150, 40);
    std::vector<Part> parts;
    parts.push_back({v.S(Stroke({13.5f, 26, 13, 29.5f, 15, 29.5f}, 0.85f)), Solid(orange)});
    parts.push_back({v.S(Stroke({18.5f, 26, 18.5f, 29.5f, 20.5f, 29.5f}, 0.85f)), Solid(orange)});
    Shape fluff = Circle(16, 18.5f, 9.2f);
    // A few bumps on the rim make it read as fluff rather than a ball.
    std::vector<Shape> bumps{fluff};
    for (int i = 0; i < 9; i++) {
        float a = Rad(200 + i * 22.0f);
        bumps.push_back(Circle(16 + std::cos(a) * 8.6f, 18.5f + std::sin(a) * 8.6f, 2.0f));
    }
    parts.push_back({v.S(Union(bumps)), v.P(RGrad(13, 13, 15, pale, yellow))});
    parts.push_back({v.S(Stroke({15, 9.8f, 13.5f, 6.5f}, 0.9f)), Solid(yellow)});
    parts.push_back({v.S(Stroke({16.5f, 9.6f, 17.5f, 6.2f}, 0.9f)), Solid(yellow)});
    parts.push_back({v.S(Grow(Polygon({23.5f, 16, 28, 18, 23.5f, 20}), 0.4f)), Solid(orange)});
    Outlined(img, parts, 1.3f * k, rgb(70, 40, 20));
    Fill(img, v.S(Rotate(Ellipse(12.5f, 21, 4.5f, 3), 12.5f, 21, -20)), rgb(240, 180, 40));
    Fill(img, v.S(Circle(20.5f, 15.5f, 1.8f)), pal::ink);
    Fill(img, v.S(Circle(21.1f, 14.9f, 0.7f)), rgb(255, 255, 255));
    Fill(img, v.S(Circle(19.5f, 19.5f, 1.5f)), rgb(255, 130, 110, 0.5f));
}

Image MakePlayer() {
    // 0 standing, 1-4 the flap from raised wings to the held glide, 5 stride.
    struct Pose {
        float wing;
        int legs;
        bool open;
    } poses[6] = {{-12, 0, false}, {70, 1, true}, {15, 1, true}, {-45, 1, true}, {35, 1, true}, {-12, 2, false}};
    std::vector<Image> frames;
    for (const Pose& p : poses) {
        Image f(32, 32);
        DrawBird(f, 0, 0, 1, p.wing, p.legs, p.open);
        frames.push_back(f);
    }
    return Assemble(frames, 6, 32);
}
