#include "gfx.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <lodepng.h>

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
float Smooth(float e0, float e1, float v) {
    float t = Clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
float Rad(float deg) { return deg * kPi / 180.0f; }

Col rgb(int r, int g, int b, float a) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }
Col mix(Col a, Col b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
Col lighten(Col c, float t) { return mix(c, {1, 1, 1, c.a}, t); }
Col darken(Col c, float t) { return mix(c, {0, 0, 0, c.a}, t); }
Col withAlpha(Col c, float a) { return {c.r, c.g, c.b, a}; }

// ---------------------------------------------------------------- shapes

static Box Grown(Box b, float by) { return {b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by}; }
static Box Joined(Box a, Box b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape Circle(float cx, float cy, float r) {
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }, {cx - r, cy - r, cx + r, cy + r}};
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
    return {[=](float x, float y) {
                float px = (x - cx), py = (y - cy);
                float k0 = std::hypot(px / rx, py / ry);
                float k1 = std::hypot(px / (rx * rx), py / (ry * ry));
                if (k1 < 1e-6f) return -std::min(rx, ry);
                return k0 * (k0 - 1.0f) / k1;
            },
            {cx - rx, cy - ry, cx + rx, cy + ry}};
}

static float SegDist(float x, float y, float ax, float ay, float bx, float by) {
    float ex = bx - ax, ey = by - ay, wx = x - ax, wy = y - ay;
    float ee = ex * ex + ey * ey;
    float t = ee > 0 ? std::clamp((wx * ex + wy * ey) / ee, 0.0f, 1.0f) : 0.0f;
    return std::hypot(wx - ex * t, wy - ey * t);
}

Shape Capsule(float ax, float ay, float bx, float by, float r) {
    return {[=](float x, float y) { return SegDist(x, y, ax, ay, bx, by) - r; },
            {std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r}};
}

Shape RoundBox(float cx, float cy, float hw, float hh, float r) {
    return {[=](float x, float y) {
                float qx = std::fabs(x - cx) - hw + r, qy = std::fabs(y - cy) - hh + r;
                float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
                return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0f) - r;
            },
            {cx - hw, cy - hh, cx + hw, cy + hh}};
}

Shape Polygon(const std::vector<float>& v) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (size_t i = 0; i + 1 < v.size(); i += 2) b = Joined(b, {v[i], v[i + 1], v[i], v[i + 1]});
    return {[v](float x, float y) {
                size_t n = v.size() / 2;
                float d = 1e9f, s = 1.0f;
                for (size_t i = 0, j = n - 1; i < n; j = i, i++) {
                    float vix = v[2 * i], viy = v[2 * i + 1], vjx = v[2 * j], vjy = v[2 * j + 1];
                    d = std::min(d, SegDist(x, y, vix, viy, vjx, vjy));
                    float ex = vjx - vix, ey = vjy - viy, wx = x - vix, wy = y - viy;
                    bool c1 = y >= viy, c2 = y<vjy, c3 = ex * wy> ey * wx;
                    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
                }
                return s * d;
            },
            b};
}

Shape Ring(float cx, float cy, float r, float t) {
    return {[=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - t * 0.5f; },
            {cx - r - t, cy - r - t, cx + r + t, cy + r + t}};
}

Shape Stroke(const std::vector<float>& v, float r) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (size_t i = 0; i + 1 < v.size(); i += 2) b = Joined(b, {v[i], v[i + 1], v[i], v[i + 1]});
    return {[v, r](float x, float y) {
                float d = 1e9f;
                if (v.size() == 2) return std::hypot(x - v[0], y - v[1]) - r;
                for (size_t i = 0; i + 3 < v.size(); i += 2)
                    d = std::min(d, SegDist(x, y, v[i], v[i + 1], v[i + 2], v[i + 3]));
                return d - r;
            },
            Grown(b, r)};
}

Shape Union(const Shape& a, const Shape& b) {
    return {[a, b](float x, float y) { return std::min(a.d(x, y), b.d(x, y)); }, Joined(a.box, b.box)};
}

Shape Union(const std::vector<Shape>& parts) {
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Shape& s : parts) b = Joined(b, s.box);
    return {[parts](float x, float y) {
                float d = 1e9f;
                for (const Shape& s : parts) {
                    // Parts whose box is further than the best distance so far cannot win.
                    float bx = std::max({s.box.x0 - x, x - s.box.x1, 0.0f});
                    float by = std::max({s.box.y0 - y, y - s.box.y1, 0.0f});
                    if (std::max(bx, by) > std::max(d, 0.0f)) continue;
                    d = std::min(d, s.d(x, y));
                }
                return d;
            },
            b};
}

Shape Subtract(const Shape& a, const Shape& b) {
    return {[a, b](float x, float y) { return std::max(a.d(x, y), -b.d(x, y)); }, a.box};
}

Shape Intersect(const Shape& a, const Shape& b) {
    Box bb{std::max(a.box.x0, b.box.x0), std::max(a.box.y0, b.box.y0), std::min(a.box.x1, b.box.x1),
           std::min(a.box.y1, b.box.y1)};
    return {[a, b](float x, float y) { return std::max(a.d(x, y), b.d(x, y)); }, bb};
}

Shape Grow(const Shape& s, float by) {
    return {[s, by](float x, float y) { return s.d(x, y) - by; }, Grown(s.box, std::max(by, 0.0f))};
}

Shape Move(const Shape& s, float dx, float dy) {
    return {[s, dx, dy](float x, float y) { return s.d(x - dx, y - dy); },
            {s.box.x0 + dx, s.box.y0 + dy, s.box.x1 + dx, s.box.y1 + dy}};
}

Shape Rotate(const Shape& s, float cx, float cy, float deg) {
    float c = std::cos(Rad(deg)), n = std::sin(Rad(deg));
    Box b{1e9f, 1e9f, -1e9f, -1e9f};
    const float xs[2] = {s.box.x0, s.box.x1}, ys[2] = {s.box.y0, s.box.y1};
    for (float px : xs)
        for (float py : ys) {
            float rx = cx + (px - cx) * c - (py - cy) * n, ry = cy + (px - cx) * n + (py - cy) * c;
            b = Joined(b, {rx, ry, rx, ry});
        }
    return {[s, cx, cy, c, n](float x, float y) {
                float dx = x - cx, dy = y - cy;
                return s.d(cx + dx * c + dy * n, cy - dx * n + dy * c);
            },
            b};
}

Shape Scale(const Shape& s, float cx, float cy, float k) {
    return {[s, cx, cy, k](float x, float y) { return s.d(cx + (x - cx) / k, cy + (y - cy) / k) * k; },
            {cx + (s.box.x0 - cx) * k, cy + (s.box.y0 - cy) * k, cx + (s.box.x1 - cx) * k, cy + (s.box.y1 - cy) * k}};
}

Shape Bake(const Shape& s, float margin) {
    Box b = Grown(s.box, margin);
    int x0 = (int)std::floor(b.x0), y0 = (int)std::floor(b.y0);
    int w = (int)std::ceil(b.x1) - x0 + 1, h = (int)std::ceil(b.y1) - y0 + 1;
    auto grid = std::make_shared<std::vector<float>>(size_t(w) * h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) (*grid)[size_t(y) * w + x] = s.d(x0 + x + 0.5f, y0 + y + 0.5f);
    return {[s, grid, x0, y0, w, h](float x, float y) {
                float fx = x - x0 - 0.5f, fy = y - y0 - 0.5f;
                int ix = (int)std::floor(fx), iy = (int)std::floor(fy);
                if (ix < 0 || iy < 0 || ix + 1 >= w || iy + 1 >= h) return s.d(x, y);
                float tx = fx - ix, ty = fy - iy;
                const float* g = grid->data() + size_t(iy) * w + ix;
                float top = g[0] + (g[1] - g[0]) * tx, bot = g[w] + (g[w + 1] - g[w]) * tx;
                return top + (bot - top) * ty;
            },
            s.box};
}

Paint Solid(Col c) {
    return [c](float, float) { return c; };
}
Paint VGrad(float y0, Col c0, float y1, Col c1) {
    return [=](float, float y) { return mix(c0, c1, Clamp01((y - y0) / (y1 - y0))); };
}
Paint RGrad(float cx, float cy, float r, Col inner, Col outer) {
    return [=](float x, float y) { return mix(inner, outer, Clamp01(std::hypot(x - cx, y - cy) / r)); };
}

// ---------------------------------------------------------------- images

void Image::over(int x, int y, Col c, float cover) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    float a = Clamp01(c.a * cover);
    if (a <= 0) return;
    float* d = at(x, y);
    float k = 1.0f - a;
    d[0] = c.r * a + d[0] * k;
    d[1] = c.g * a + d[1] * k;
    d[2] = c.b * a + d[2] * k;
    d[3] = a + d[3] * k;
}

Col Image::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return {};
    const float* d = at(x, y);
    if (d[3] <= 0) return {};
    return {d[0] / d[3], d[1] / d[3], d[2] / d[3], d[3]};
}

Col Image::sample(float x, float y) const {
    float fx = x - 0.5f, fy = y - 0.5f;
    int x0 = (int)std::floor(fx), y0 = (int)std::floor(fy);
    float tx = fx - x0, ty = fy - y0;
    float acc[4] = {0, 0, 0, 0};
    for (int j = 0; j < 2; j++)
        for (int i = 0; i < 2; i++) {
            int sx = x0 + i, sy = y0 + j;
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
            float wgt = (i ? tx : 1 - tx) * (j ? ty : 1 - ty);
            const float* d = at(sx, sy);
            for (int k = 0; k < 4; k++) acc[k] += d[k] * wgt;
        }
    if (acc[3] <= 1e-6f) return {};
    return {acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], acc[3]};
}

static void Span(const Image& img, Box b, float pad, int& x0, int& y0, int& x1, int& y1) {
    x0 = std::max(0, (int)std::floor(b.x0 - pad));
    y0 = std::max(0, (int)std::floor(b.y0 - pad));
    x1 = std::min(img.w - 1, (int)std::ceil(b.x1 + pad));
    y1 = std::min(img.h - 1, (int)std::ceil(b.y1 + pad));
}

void Fill(Image& img, const Shape& s, const Paint& paint, float soft) {
    int x0, y0, x1, y1;
    Span(img, s.box, soft + 1, x0, y0, x1, y1);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            float px = x + 0.5f, py = y + 0.5f;
            float cover = Clamp01(0.5f - s.d(px, py) / soft);
            if (cover > 0) img.over(x, y, paint(px, py), cover);
        }
}

void Fill(Image& img, const Shape& s, Col c, float soft) { Fill(img, s, Solid(c), soft); }

void Glow(Image& img, const Shape& s, Col c, float radius) {
    int x0, y0, x1, y1;
    Span(img, s.box, radius + 1, x0, y0, x1, y1);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            float d = std::max(0.0f, s.d(x + 0.5f, y + 0.5f));
            float t = Clamp01(1.0f - d / radius);
            if (t > 0) img.over(x, y, c, t * t);
        }
}

void Blit(Image& dst, const Image& src, int ox, int oy) {
    for (int y = 0; y < src.h; y++)
        for (int x = 0; x < src.w; x++) {
            int dx = ox + x, dy = oy + y;
            if (dx < 0 || dy < 0 || dx >= dst.w || dy >= dst.h) continue;
            const float* s = src.at(x, y);
            float* d = dst.at(dx, dy);
            float k = 1.0f - s[3];
            for (int c = 0; c < 4; c++) d[c] = s[c] + d[c] * k;
        }
}

void BlitScaled(Image& dst, const Image& src, float cx, float cy, float k) {
    float hw = src.w * k * 0.5f, hh = src.h * k * 0.5f;
    int x0 = std::max(0, (int)std::floor(cx - hw)), x1 = std::min(dst.w - 1, (int)std::ceil(cx + hw));
    int y0 = std::max(0, (int)std::floor(cy - hh)), y1 = std::min(dst.h - 1, (int)std::ceil(cy + hh));
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            Col c = src.sample((x + 0.5f - cx) / k + src.w * 0.5f, (y + 0.5f - cy) / k + src.h * 0.5f);
            dst.over(x, y, c, 1.0f);
        }
}

Image Downscale(const Image& src, int f) {
    Image out(src.w / f, src.h / f);
    for (int y = 0; y < out.h; y++)
        for (int x = 0; x < out.w; x++) {
            float* d = out.at(x, y);
            for (int j = 0; j < f; j++)
                for (int i = 0; i < f; i++) {
                    const float* s = src.at(x * f + i, y * f + j);
                    for (int c = 0; c < 4; c++) d[c] += s[c];
                }
            for (int c = 0; c < 4; c++) d[c] /= float(f * f);
        }
    return out;
}

void Fade(Image& img, float a) {
    for (float& v : img.p) v *= a;
}

static unsigned char Byte(float v) { return (unsigned char)std::lround(Clamp01(v) * 255.0f); }

bool SavePNG(const Image& img, const std::string& path) {
    std::vector<unsigned char> raw(size_t(img.w) * img.h * 4);
    for (int y = 0; y < img.h; y++)
        for (int x = 0; x < img.w; x++) {
            Col c = img.get(x, y);
            unsigned char* o = &raw[(size_t(y) * img.w + x) * 4];
            o[3] = Byte(c.a);
            if (o[3] == 0) {
                o[0] = o[1] = o[2] = 0;
                continue;
            }
            o[0] = Byte(c.r);
            o[1] = Byte(c.g);
            o[2] = Byte(c.b);
            // The loader keys out pure magenta and cyan; keep real art clear of them.
            if ((o[0] > 250 && o[1] < 5 && o[2] > 250) || (o[0] < 5 && o[1] > 250 && o[2] > 250)) o[1] ^= 8;
        }
    lodepng::State state;
    state.encoder.auto_convert = 0;
    state.info_raw.colortype = LCT_RGBA;
    state.info_raw.bitdepth = 8;
    state.info_png.color.colortype = LCT_RGBA;
    state.info_png.color.bitdepth = 8;
    std::vector<unsigned char> png;
    if (lodepng::encode(png, raw, img.w, img.h, state) != 0) return false;
    return lodepng::save_file(png, path) == 0;
}

bool LoadPNG(Image& img, const std::string& path) {
    std::vector<unsigned char> raw;
    unsigned w = 0, h = 0;
    if (lodepng::decode(raw, w, h, path) != 0) return false;
    img = Image((int)w, (int)h);
    for (size_t i = 0; i < size_t(w) * h; i++) {
        float a = raw[i * 4 + 3] / 255.0f;
        for (int c = 0; c < 3; c++) img.p[i * 4 + c] = raw[i * 4 + c] / 255.0f * a;
        img.p[i * 4 + 3] = a;
    }
    return true;
}

// ---------------------------------------------------------------- randomness

uint32_t Rng::next() {
    uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
}
float Rng::uni() { return next() / 4294967296.0f; }
float Rng::range(float a, float b) { return a + (b - a) * uni(); }
int Rng::irange(int a, int b) { return a + int(next() % uint32_t(b - a + 1)); }

static float Lattice(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / float(0xFFFFFF);
}

float Noise(float x, float y, uint32_t seed, int period) {
    int ix = (int)std::floor(x), iy = (int)std::floor(y);
    float fx = x - ix, fy = y - iy;
    auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    int x0 = wrap(ix), x1 = wrap(ix + 1), y0 = wrap(iy), y1 = wrap(iy + 1);
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = Lattice(x0, y0, seed), b = Lattice(x1, y0, seed);
    float c = Lattice(x0, y1, seed), d = Lattice(x1, y1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

float Fbm(float x, float y, uint32_t seed, int octaves, int period) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; o++) {
        sum += amp * Noise(x, y, seed + o * 101u, period);
        norm += amp;
        x *= 2;
        y *= 2;
        if (period > 0) period *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}
