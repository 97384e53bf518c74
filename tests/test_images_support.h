// PNG fixtures for the image and renderer tests, generated on the fly.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <lodepng.h>

#include "Vell_glfw3.h"

// Ints rather than bytes so failures print numbers.
using Rgba = std::array<int, 4>;

// Writes a w x h RGBA PNG whose pixel (x, y) is colour(x, y); true on success.
inline bool WriteTestPNG(const std::string& path, int w, int h, const std::function<Rgba(int, int)>& colour) {
    std::vector<unsigned char> px((size_t)w * h * 4);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            Rgba c = colour(x, y);
            for (int k = 0; k < 4; k++) px[((size_t)y * w + x) * 4 + k] = (unsigned char)c[k];
        }
    return lodepng::encode(path, px, (unsigned)w, (unsigned)h) == 0;
}

// A distinct opaque colour for frame n of a test sheet.
inline Rgba FrameColour(int n) { return Rgba{20 + 10 * n, 200 - 7 * n, 3 * n, 255}; }

// Pixel (x, y) of an image slot's texture.
inline Rgba TexPixel(int slot, int x, int y) {
    const unsigned char* p = &Image[slot][((size_t)y * iSize[slot] + x) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
}
