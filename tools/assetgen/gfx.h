// A small vector painter: shapes are signed-distance functions, painted with
// one-pixel anti-aliasing into float RGBA images, then saved as 8-bit PNGs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Straight (not premultiplied) colour, channels 0..1.
struct Col {
    float r = 0, g = 0, b = 0, a = 0;
};
Col rgb(int r, int g, int b, float a = 1.0f);
Col mix(Col a, Col b, float t);
Col lighten(Col c, float t);  // towards white
Col darken(Col c, float t);   // towards black
Col withAlpha(Col c, float a);

struct Box {
    float x0, y0, x1, y1;
};

// A shape: signed distance in pixels (negative inside) and a bounding box
// outside of which the distance is known to be positive.
struct Shape {
    std::function<float(float, float)> d;
    Box box;
    float operator()(float x, float y) const { return d(x, y); }
};

Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape Capsule(float ax, float ay, float bx, float by, float r);
Shape RoundBox(float cx, float cy, float hw, float hh, float r);
Shape Polygon(const std::vector<float>& xy);  // closed, any winding
Shape Ring(float cx, float cy, float r, float thickness);
// A thick polyline with round joins and caps.
Shape Stroke(const std::vector<float>& xy, float r);
Shape Union(const Shape& a, const Shape& b);
Shape Union(const std::vector<Shape>& parts);
Shape Subtract(const Shape& a, const Shape& b);
Shape Intersect(const Shape& a, const Shape& b);
Shape Grow(const Shape& s, float by);  // positive grows
Shape Move(const Shape& s, float dx, float dy);
// Rotates a shape by deg degrees (clockwise on screen) around (cx, cy).
Shape Rotate(const Shape& s, float cx, float cy, float deg);
Shape Scale(const Shape& s, float cx, float cy, float k);
// Samples a costly shape once per pixel over its box (plus margin) and
// answers from that grid afterwards; outside the grid it asks the shape.
Shape Bake(const Shape& s, float margin);

using Paint = std::function<Col(float, float)>;
Paint Solid(Col c);
Paint VGrad(float y0, Col c0, float y1, Col c1);
Paint RGrad(float cx, float cy, float r, Col inner, Col outer);

struct Image {
    int w = 0, h = 0;
    std::vector<float> p;  // premultiplied RGBA
    Image() = default;
    Image(int w_, int h_) : w(w_), h(h_), p(size_t(w_) * h_ * 4, 0.0f) {}
    float* at(int x, int y) { return &p[(size_t(y) * w + x) * 4]; }
    const float* at(int x, int y) const { return &p[(size_t(y) * w + x) * 4]; }
    void over(int x, int y, Col c, float cover);
    Col get(int x, int y) const;         // straight alpha
    Col sample(float x, float y) const;  // bilinear, transparent outside
};

// soft > 1 widens the edge ramp for glows and blurred silhouettes.
void Fill(Image& img, const Shape& s, const Paint& paint, float soft = 1.0f);
void Fill(Image& img, const Shape& s, Col c, float soft = 1.0f);
// A halo that fades from colour c at the shape's edge to nothing at radius.
void Glow(Image& img, const Shape& s, Col c, float radius);
// Paints src over dst with its top-left corner at (x, y).
void Blit(Image& dst, const Image& src, int x, int y);
// Paints src scaled by k (bilinear) centred at (cx, cy).
void BlitScaled(Image& dst, const Image& src, float cx, float cy, float k);
Image Downscale(const Image& src, int factor);
// Multiplies every pixel's alpha by a.
void Fade(Image& img, float a);

bool SavePNG(const Image& img, const std::string& path);
bool LoadPNG(Image& img, const std::string& path);

// Deterministic generator (splitmix64): the same seed gives the same art.
struct Rng {
    uint64_t s;
    explicit Rng(uint64_t seed) : s(seed) {}
    uint32_t next();
    float uni();                    // 0..1
    float range(float a, float b);  // a..b
    int irange(int a, int b);       // a..b inclusive
};

// Smooth value noise in 0..1; a period > 0 makes it tile with that period.
float Noise(float x, float y, uint32_t seed, int period = 0);
float Fbm(float x, float y, uint32_t seed, int octaves, int period = 0);

float Clamp01(float v);
float Smooth(float e0, float e1, float v);
constexpr float kPi = 3.14159265358979f;
float Rad(float deg);
