#include <cmath>

#include "art.h"
#include "glyphs.h"

void Outlined(Image& img, const std::vector<Part>& parts, float outline, Col edge) {
    std::vector<Shape> all;
    for (const Part& p : parts) all.push_back(p.shape);
    Fill(img, Grow(Union(all), outline), edge);
    for (const Part& p : parts) Fill(img, p.shape, p.paint);
}

Image Assemble(const std::vector<Image>& frames, int cols, int fs) {
    int rows = int((frames.size() + cols - 1) / cols);
    Image sheet(cols * fs, rows * fs);
    for (size_t i = 0; i < frames.size(); i++) Blit(sheet, frames[i], int(i % cols) * fs, int(i / cols) * fs);
    return sheet;
}

void Numeral(Image& img, char c, float cx, float cy, float cap, Col fill, Col edge) {
    float k = cap / 16.0f;
    // Digits are drawn a little wider than the font's so they read on tiles.
    float w = 11.0f;
    Strokes s = Place(Glyph(c, -w * 0.5f, w), cx, cy - 16 * k, k);
    Shape body = StrokeShape(s, 1.7f * k);
    Fill(img, Grow(body, 1.3f * k), edge);
    Fill(img, body, VGrad(cy - 8 * k, lighten(fill, 0.35f), cy + 8 * k, fill));
}
