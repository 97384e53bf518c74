// Where a draw lands on the window, worked out from its record corners, so
// the renderer can leave out what cannot change a pixel. Pure arithmetic on
// the slots' ink (kept with their pixels); the caller owns every GL call.
#include <algorithm>
#include <cmath>

#include "Vell_glfw3_internal.h"

// A box unturned, its corners on whole pixels, one texel per pixel either
// way: every pixel samples a texel at its very centre.
bool TexelForPixel(const PixelMap& m, const float* x, const float* y, double texels) {
    const double eps = 1.0 / 1024;
    double px[4], py[4];
    for (int k = 0; k < 4; k++) {
        px[k] = m.X(x[k]);
        py[k] = m.Y(y[k]);
        if (std::fabs(px[k] - std::nearbyint(px[k])) > eps) return false;
        if (std::fabs(py[k] - std::nearbyint(py[k])) > eps) return false;
    }
    // Corners c1..c4 go round the box: c1-c2 and c4-c3 along x, c2-c3 and
    // c1-c4 along y.
    if (std::fabs(py[0] - py[1]) > eps || std::fabs(py[2] - py[3]) > eps) return false;
    if (std::fabs(px[1] - px[2]) > eps || std::fabs(px[0] - px[3]) > eps) return false;
    if (std::fabs(std::fabs(px[1] - px[0]) - texels) > eps) return false;
    if (std::fabs(std::fabs(py[2] - py[1]) - texels) > eps) return false;
    return true;
}

// A frame drawn texel for pixel in one plain colour under normal or
// additive blending changes only the pixels over its ink: the quad shrinks
// to the ink's box, cut on whole texels so every pixel left still samples
// the very texel it did. Returns false when the frame has no ink and
// nothing needs drawing.
bool TrimToInk(int slot, int frame, float cellU, float cellV, double texels, float* x, float* y, double* u, double* v) {
    int ink[4];
    int known = FrameInk(slot, frame, ink);
    if (known < 0) return true;
    if (known == 0) return false;
    int n = (int)std::lround(texels);
    int tx0 = std::max(ink[0], 0), tx1 = std::min(ink[2] + 1, n);
    int ty0 = std::max(ink[1], 0), ty1 = std::min(ink[3] + 1, n);
    if (tx1 - tx0 == n && ty1 - ty0 == n) return true;
    double side = iSize[slot];
    // c1 and c4 sit at the cell's left, c2 and c3 at its right; c3 and c4
    // at its top row, c1 and c2 at its bottom.
    float xl = x[0], xr = x[1], yt = y[3], yb = y[0];
    float nx0 = (float)(xl + (double)tx0 / n * (xr - xl));
    float nx1 = (float)(xl + (double)tx1 / n * (xr - xl));
    float ny0 = (float)(yt + (double)ty0 / n * (yb - yt));
    float ny1 = (float)(yt + (double)ty1 / n * (yb - yt));
    x[0] = x[3] = nx0, x[1] = x[2] = nx1;
    y[2] = y[3] = ny0, y[0] = y[1] = ny1;
    double uL = cellU + tx0 / side, uR = cellU + tx1 / side;
    double vT = cellV + ty0 / side, vB = cellV + ty1 / side;
    u[0] = u[3] = uL, u[1] = u[2] = uR;
    v[2] = v[3] = vT, v[0] = v[1] = vB;
    return true;
}

// A single picture drawn unturned, under normal or additive blending,
// changes no pixel whose sample falls outside its ink: every texel there is
// fully transparent, and blending alpha 0 leaves the pixel as it was.
Ink InkScissor(const PixelMap& m, int s, const float* x, const float* y, int* box) {
    if (ASys.ImageFrames[s] != 1 || iFramesWz[s] != 1 || iSize[s] <= 0) return Ink::kAll;
    const SlotCoverage& cov = SlotPixels(s);
    if (!cov.boxed) return Ink::kAll;
    if (cov.empty) return Ink::kNone;
    double side = iSize[s];
    // c1 and c2 take u = 0 and 1; c1 takes v = 1 and c4 v = 0.
    double u0 = m.X(x[0]), u1 = m.X(x[1]);
    double v0 = m.Y(y[3]), v1 = m.Y(y[0]);
    double sx0 = std::max(std::min(u0, u1), 0.0);
    double sx1 = std::min(std::max(u0, u1), (double)m.width);
    double sy0 = std::max(std::min(v0, v1), 0.0);
    double sy1 = std::min(std::max(v0, v1), (double)m.height);
    double shown = (sx1 - sx0) * (sy1 - sy0);
    if (!(sx1 > sx0 && sy1 > sy0) || shown < 128.0 * 128.0) return Ink::kAll;
    // The ink one texel wider on every side, as far as linear filtering
    // reaches, then one pixel more for rounding. Ink touching that margin at
    // the texture's edge is left alone: filtering there wraps round to the
    // far side.
    double ix0 = sx0, ix1 = sx1, iy0 = sy0, iy1 = sy1;
    double t0 = cov.x0 - 1, t1 = cov.x1 + 2;
    if (t0 > 0 && t1 < side) {
        double a = u0 + t0 / side * (u1 - u0), e = u0 + t1 / side * (u1 - u0);
        ix0 = std::max(ix0, std::min(a, e) - 1);
        ix1 = std::min(ix1, std::max(a, e) + 1);
    }
    t0 = cov.y0 - 1, t1 = cov.y1 + 2;
    if (t0 > 0 && t1 < side) {
        double a = v0 + t0 / side * (v1 - v0), e = v0 + t1 / side * (v1 - v0);
        iy0 = std::max(iy0, std::min(a, e) - 1);
        iy1 = std::min(iy1, std::max(a, e) + 1);
    }
    int X0 = (int)std::floor(ix0), X1 = (int)std::ceil(ix1);
    int Y0 = (int)std::floor(iy0), Y1 = (int)std::ceil(iy1);
    if (X1 <= X0 || Y1 <= Y0) return Ink::kNone;
    // A scissor costs two batch breaks; only worth it when it spares a lot.
    if ((double)(X1 - X0) * (Y1 - Y0) > 0.8 * shown) return Ink::kAll;
    box[0] = X0, box[1] = Y0, box[2] = X1 - X0, box[3] = Y1 - Y0;
    return Ink::kBox;
}
