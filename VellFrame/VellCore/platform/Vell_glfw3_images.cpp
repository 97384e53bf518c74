// Image slots: PNG pictures and sprite sheets, paintable buffers, the screen
// copy and screenshots. Pixels live in main memory; every writer here marks
// its slot changed and the renderer uploads the slot's texture again the
// next time it draws from it, so nothing here needs a GL context except the
// two framebuffer reads.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

#include <lodepng.h>

#include "Vell_glfw3_internal.h"
#include "Vell_glfw3_hooks.h"
#include "VellMaths.h"

std::vector<unsigned char> Image[vell::kImageSlots];
BlurPixels ImageBlur[vell::kImageSlots];

void ZeroBlur(int s, size_t n) {
    BlurPixels().swap(ImageBlur[s]);
    ImageBlur[s].resize(n);
}

// The tables that tell the renderer how a slot's frames sit in its texture
// (count, per row, width as a fraction of the side) and how large one is.
static void DescribeSlot(VellSys& sys, int s, int frames, int perRow, float wz, int side, int frameSize, float unit) {
    sys.ImageFrames[s] = frames;
    iFramesW[s] = perRow;
    iFramesWz[s] = wz;
    iSize[s] = side;
    sys.ImageFrameSize[s] = frameSize;
    sys.ImageUnit[s] = unit;
}
int iSize[vell::kImageSlots];
int iFramesW[vell::kImageSlots];
float iFramesWz[vell::kImageSlots];
unsigned ImageVersion[vell::kImageSlots];

void ImageChanged(int s) {
    if (s >= 0 && s < vell::kImageSlots) ImageVersion[s]++;
}

const SlotCoverage& SlotPixels(int s) {
    // Worked out again only when the slot's pixels have moved on since the
    // last answer, which for most slots is once, when they are loaded.
    struct Known {
        bool valid;
        unsigned version;
        const unsigned char* data;
        size_t bytes;
        int side;
        SlotCoverage cover;
    };
    static Known known[vell::kImageSlots];
    static const SlotCoverage none{false, true, false, 0, 0, 0, 0};
    if (s < 0 || s >= vell::kImageSlots) return none;
    Known& k = known[s];
    const std::vector<unsigned char>& px = Image[s];
    int side = iSize[s];
    if (k.valid && k.version == ImageVersion[s] && k.data == px.data() && k.bytes == px.size() && k.side == side)
        return k.cover;
    SlotCoverage c{!px.empty(), true, false, 0, 0, 0, 0};
    for (size_t i = 3; c.opaque && i < px.size(); i += 4) c.opaque = px[i] == 255;
    // The box only means something when the pixels are exactly the square
    // the texture is made of.
    if (side > 0 && px.size() == (size_t)side * side * 4) {
        c.boxed = true;
        int x0 = side, y0 = side, x1 = -1, y1 = -1;
        for (int y = 0; y < side; y++) {
            const unsigned char* row = &px[(size_t)y * side * 4];
            for (int x = 0; x < side; x++) {
                if (row[x * 4 + 3] == 0) continue;
                if (x < x0) x0 = x;
                if (x > x1) x1 = x;
                y0 = std::min(y0, y);
                y1 = y;
            }
        }
        c.empty = x1 < 0;
        c.x0 = x0, c.y0 = y0, c.x1 = x1, c.y1 = y1;
    } else {
        c.empty = false;
    }
    k = Known{true, ImageVersion[s], px.data(), px.size(), side, c};
    return k.cover;
}

int FrameInk(int s, int f, int* box) {
    // One box per frame (x0, y0, x1, y1, or x0 = -1 for none), rebuilt when
    // the slot's pixels change; cleared rather than freed, so a slot whose
    // pixels keep changing does not allocate each time.
    struct Known {
        bool valid;
        unsigned version;
        const unsigned char* data;
        size_t bytes;
        int side, frames;
        std::vector<int> boxes;
    };
    static Known known[vell::kImageSlots];
    if (s < 0 || s >= vell::kImageSlots) return -1;
    Known& k = known[s];
    const std::vector<unsigned char>& px = Image[s];
    int side = iSize[s], frames = ASys.ImageFrames[s];
    if (!(k.valid && k.version == ImageVersion[s] && k.data == px.data() && k.bytes == px.size() && k.side == side &&
          k.frames == frames)) {
        k.valid = true, k.version = ImageVersion[s], k.data = px.data(), k.bytes = px.size();
        k.side = side, k.frames = frames;
        k.boxes.clear();
        int perRow = iFramesW[s];
        int cell = (int)(iFramesWz[s] * side + 0.5f);
        if (side > 0 && frames > 0 && perRow > 0 && cell > 0 && px.size() == (size_t)side * side * 4) {
            k.boxes.assign((size_t)frames * 4, 0);
            for (int n = 0; n < frames; n++) {
                int ox = (n % perRow) * cell, oy = (n / perRow) * cell;
                int x0 = cell, y0 = cell, x1 = -1, y1 = -1;
                for (int y = 0; y < cell && oy + y < side; y++) {
                    const unsigned char* row = &px[((size_t)(oy + y) * side + ox) * 4];
                    for (int x = 0; x < cell && ox + x < side; x++) {
                        if (row[x * 4 + 3] == 0) continue;
                        x0 = std::min(x0, x), x1 = std::max(x1, x);
                        y0 = std::min(y0, y), y1 = y;
                    }
                }
                int* b = &k.boxes[(size_t)n * 4];
                b[0] = x1 < 0 ? -1 : x0, b[1] = y0, b[2] = x1, b[3] = y1;
            }
        }
    }
    if (f < 0 || (size_t)f * 4 + 4 > k.boxes.size()) return -1;
    const int* b = &k.boxes[(size_t)f * 4];
    if (b[0] < 0) return 0;
    memcpy(box, b, sizeof(int) * 4);
    return 1;
}

namespace {

// Largest texture side we build; every side above it is refused or capped,
// which bounds a slot at 64 MB however hostile the file.
const int kMaxSide = 4096;
// No legitimate picture file comes near this; larger files are not read.
const long long kMaxFileBytes = 256LL << 20;

bool IsKeyColour(const unsigned char* p) {
    return (p[0] > 250 && p[1] < 5 && p[2] > 250) || (p[0] < 5 && p[1] > 250 && p[2] > 250);
}

bool ReadWholeFile(const char* path, std::vector<unsigned char>& out) {
    struct stat st;
    if (!path || stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (st.st_size <= 0 || st.st_size > kMaxFileBytes) return false;
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    out.resize((size_t)st.st_size);
    size_t got = fread(out.data(), 1, out.size(), f);
    fclose(f);
    return got == out.size();
}

// Decodes to 8-bit RGBA. The header is checked first, so a file declaring
// absurd dimensions is refused before anything is allocated for its pixels.
bool DecodePNG(const char* path, std::vector<unsigned char>& pixels, unsigned& w, unsigned& h) {
    std::vector<unsigned char> file;
    if (!ReadWholeFile(path, file)) return false;
    lodepng::State state;
    if (lodepng_inspect(&w, &h, &state, file.data(), file.size()) != 0) return false;
    if (w == 0 || h == 0 || w > (unsigned)kMaxSide || h > (unsigned)kMaxSide) return false;
    if (lodepng::decode(pixels, w, h, file) != 0) return false;
    return pixels.size() >= (size_t)w * h * 4;
}

// At least 64, then the next power of two; sides above 2,048 stay as given.
int TextureSide(int n) {
    if (n < 64) n = 64;
    if (n > 2048) return n;
    int p = 64;
    while (p < n) p *= 2;
    return p;
}

// Side of slot s's pixels for buffer painting, or 0 when its tables and its
// pixel array disagree (e.g. a screenshot reused the array) or it is empty.
int PaintSide(int s) {
    if (s < 0 || s >= vell::kImageSlots) return 0;
    int side = iSize[s];
    if (side <= 0 || Image[s].size() < (size_t)side * side * 4) return 0;
    return side;
}

// Writes pixel (floor x, floor y) when it lies inside the slot.
void PutPixel(int s, int side, float x, float y, const unsigned char* rgba) {
    double fx = floor(x), fy = floor(y);
    if (!(fx >= 0 && fx < side && fy >= 0 && fy < side)) return;
    memcpy(&Image[s][((size_t)fy * side + (size_t)fx) * 4], rgba, 4);
}

unsigned char ClampByte(float v) { return (unsigned char)(int)vell::Clamp255(v); }

// Averages the colour of opaque neighbours into every transparent texel, so
// linear filtering at a sprite's edge blends towards its own colour instead
// of black. Only opaque texels are read, so updating in place is safe.
void BleedColours(std::vector<unsigned char>& img, int side) {
    for (int y = 1; y <= side - 2; y++) {
        for (int x = 1; x <= side - 2; x++) {
            unsigned char* p = &img[((size_t)y * side + x) * 4];
            if (p[3] != 0) continue;
            // Most transparent texels (frame margins, empty cells) have no
            // opaque neighbour at all: one look at the eight alphas settles
            // them, which keeps loading a large sheet quick.
            const unsigned char* up = p - (size_t)side * 4;
            const unsigned char* dn = p + (size_t)side * 4;
            if ((up[-1] | up[3] | up[7] | p[-1] | p[7] | dn[-1] | dn[3] | dn[7]) == 0) {
                p[0] = p[1] = p[2] = 0;
                continue;
            }
            int r = 0, g = 0, b = 0, n = 0;
            for (int dy = -1; dy <= 1; dy++) {
                for (int dx = -1; dx <= 1; dx++) {
                    if (dx == 0 && dy == 0) continue;
                    const unsigned char* q = &img[((size_t)(y + dy) * side + (x + dx)) * 4];
                    if (q[3] == 0) continue;
                    r += q[0], g += q[1], b += q[2], n++;
                }
            }
            if (n > 0) r /= n, g /= n, b /= n;
            p[0] = (unsigned char)r, p[1] = (unsigned char)g, p[2] = (unsigned char)b;
        }
    }
}

}  // namespace

void VellSys::GetPNG(int s, const char* path, unsigned fs) {
    if (s < 0 || s > vell::kLastGameImage) {
        printf("Image number out of bounds");
        fflush(stdout);
        return;
    }
    ImageFrames[s] = -1;
    ImageChanged(s);
    std::vector<unsigned char> pic;
    unsigned W = 0, H = 0;
    if (!DecodePNG(path, pic, W, H)) {
        Debuglog("OMGERRORZ");
        return;
    }
    if (fs == 0 || fs > (unsigned)kMaxSide || (W > fs && fs + 8 > (unsigned)kMaxSide)) {
        Debuglog(fstrSys("Image frame size %u out of bounds", fs));
        return;
    }
    int f = (int)fs;

    if (W <= fs) {
        // A single picture. One smaller than its frame is copied as far as
        // it goes; the rest of the texture stays transparent.
        Image[s].assign((size_t)f * f * 4, 0);
        ZeroBlur(s, (size_t)f * f * 4);
        int rows = std::min(f, (int)H);
        for (int y = 0; y < rows; y++) {
            for (int x = 0; x < (int)W; x++) {
                const unsigned char* src = &pic[((size_t)y * W + x) * 4];
                unsigned char* dst = &Image[s][((size_t)y * f + x) * 4];
                if (IsKeyColour(src)) memset(dst, 0, 4);
                else memcpy(dst, src, 4);
            }
        }
        Debuglog(fstrSys("    Loaded %ix%i Image", f, f));
        DescribeSlot(*this, s, 1, f, 1, f, f, f / vell::kImageBaseWidth);
        return;
    }

    for (size_t i = 0; i < (size_t)W * H; i++)
        if (IsKeyColour(&pic[i * 4])) pic[i * 4 + 3] = 0;
    int cell = f + 8;
    int columns = (int)W / f, rows = (int)H / f;
    int frames = columns * rows;
    int side = std::min(TextureSide(columns * cell), kMaxSide);
    // Frames are packed side/cell to a texture row, so a sheet with more
    // frame rows than columns can need more rows than the side gives: grow
    // the texture, and past the largest side keep only the frames that fit.
    while ((side / cell) * (side / cell) < frames && side < kMaxSide) side = std::min(side * 2, kMaxSide);
    Debuglog(fstrSys("    Loaded Spritesheet of %i x %ix%i sprites", frames, f, f));
    int perRow = side / cell;
    if (frames > perRow * perRow) {
        Debuglog(fstrSys("    Sheet too large, kept %i of %i sprites", perRow * perRow, frames));
        frames = perRow * perRow;
    }

    Image[s].assign((size_t)side * side * 4, 0);
    ZeroBlur(s, (size_t)side * side * 4);
    DescribeSlot(*this, s, frames, perRow, (float)cell / (float)side, side, f, cell / vell::kImageBaseWidth);

    // Each frame sits in its own cell with a 4-pixel transparent margin, so
    // filtering never picks up a neighbouring frame.
    int px = 0, py = 0;
    for (int n = 0; n < frames; n++) {
        int c = n % columns, r = n / columns;
        for (int y = 0; y < f; y++) {
            const unsigned char* src = &pic[(((size_t)r * f + y) * W + (size_t)c * f) * 4];
            unsigned char* dst = &Image[s][(((size_t)py + 4 + y) * side + px + 4) * 4];
            memcpy(dst, src, (size_t)f * 4);
        }
        px += cell;
        if (px + cell > side) {
            px = 0;
            py += cell;
        }
    }
    BleedColours(Image[s], side);
}

void VellSys::Buffer_Create(int s, int n) {
    if (s < 0 || s > vell::kScreenshotImage || n < 0 || n > kMaxSide) {
        Debuglog(fstrSys("Buffer %i of side %i out of bounds", s, n));
        return;
    }
    Image[s].assign((size_t)n * n * 4, 0);
    ZeroBlur(s, (size_t)n * n * 4);
    ImageChanged(s);
    DescribeSlot(*this, s, 1, n, 1, n, n, n / vell::kImageBaseWidth);
    Buffer_Fill(s, 0, 0, 0, 0);
}

void VellSys::Buffer_Fill(int s, int r, int g, int b, int a) {
    int side = PaintSide(s);
    if (side == 0) return;
    const unsigned char c[4] = {(unsigned char)std::clamp(r, 0, 255), (unsigned char)std::clamp(g, 0, 255),
                                (unsigned char)std::clamp(b, 0, 255), (unsigned char)std::clamp(a, 0, 255)};
    unsigned char* p = Image[s].data();
    for (size_t i = 0; i < (size_t)side * side; i++) memcpy(p + i * 4, c, 4);
    ImageChanged(s);
}

void VellSys::Buffer_Plot(int s, float x, float y, float r, float g, float b, float a) {
    int side = PaintSide(s);
    if (side == 0) return;
    const unsigned char c[4] = {ClampByte(r), ClampByte(g), ClampByte(b), ClampByte(a)};
    PutPixel(s, side, x, y, c);
    ImageChanged(s);
}

void VellSys::Buffer_Line(int s, float x1, float y1, float x2, float y2, float r, float g, float b, float a) {
    int side = PaintSide(s);
    if (side == 0) return;
    const unsigned char c[4] = {ClampByte(r), ClampByte(g), ClampByte(b), ClampByte(a)};
    ImageChanged(s);
    // Two passes, one stepping along each axis, so steep and shallow lines
    // both come out unbroken. Steps before 0 or past the side could only
    // plot outside the slot, so the loops start and stop at its edges.
    if (x1 > x2) std::swap(x1, x2), std::swap(y1, y2);
    for (double x = std::max(trunc((double)x1), 0.0); x < x2 && x < side; x += 1) {
        float fx = (float)x;
        PutPixel(s, side, fx, (fx - x1) * (y2 - y1) / (x2 - x1) + y1, c);
    }
    if (y1 > y2) std::swap(x1, x2), std::swap(y1, y2);
    for (double y = std::max(trunc((double)y1), 0.0); y < y2 && y < side; y += 1) {
        float fy = (float)y;
        PutPixel(s, side, (fy - y1) * (x2 - x1) / (y2 - y1) + x1, fy, c);
    }
}

void VellSys::Buffer_Tile(int d, int t, float x, float y, int frame) {
    int ds = PaintSide(d), ts = PaintSide(t);
    if (ds == 0 || ts == 0) return;
    if (frame < 0 || frame >= ImageFrames[t]) return;
    int fs = ImageFrameSize[t], n = iFramesW[t];
    if (fs <= 0 || n <= 0) return;
    ImageChanged(d);
    // The frame's top-left texel, inside the margin the sheet packing left.
    long long u = (long long)(fs + 8) * (frame % n) + 4;
    long long v = (long long)(fs + 8) * (frame / n) + 4;
    for (int j = 0; j < fs; j++) {
        double dy = trunc((double)((float)j + y));
        long long sv = v + j;
        if (!(dy >= 0 && dy < ds) || sv >= ts) continue;
        for (int i = 0; i < fs; i++) {
            double dx = trunc((double)((float)i + x));
            long long su = u + i;
            if (!(dx >= 0 && dx < ds) || su >= ts) continue;
            const unsigned char* src = &Image[t][((size_t)sv * ts + (size_t)su) * 4];
            if (src[3] == 0) continue;
            memcpy(&Image[d][((size_t)dy * ds + (size_t)dx) * 4], src, 4);
        }
    }
}

void VellSys::GrabBuffer() {
    int ww = WindowWidth, wh = WindowHeight;
    if (ww <= 0 || wh <= 0) return;
    int m = std::max(ww, wh);
    int side = m > 2048 ? 4096 : TextureSide(m);
    ImageFrames[vell::kScreenCopyImage] = 1;
    ImageChanged(vell::kScratchImage);
    ImageChanged(vell::kScreenCopyImage);
    Image[vell::kScratchImage].assign((size_t)ww * wh * 4, 0);
    Image[vell::kScreenCopyImage].resize((size_t)side * side * 4, 0);
    iFramesW[vell::kScreenCopyImage] = side;
    iFramesWz[vell::kScreenCopyImage] = 1;
    iSize[vell::kScreenCopyImage] = side;
    ImageUnit[vell::kScreenCopyImage] = (float)side / (float)ww;
    if (window) ReadShownFrame(Image[vell::kScratchImage].data());
    // GL rows run bottom-up; the copy is stored upright and centred. A
    // window wider than the largest texture loses its outer edges.
    int ox = side / 2 - ww / 2, oy = side / 2 - wh / 2;
    for (int y = 0; y < wh; y++) {
        int ty = oy + y;
        if (ty < 0 || ty >= side) continue;
        const unsigned char* row = &Image[vell::kScratchImage][(size_t)(wh - 1 - y) * ww * 4];
        for (int x = 0; x < ww; x++) {
            int tx = ox + x;
            if (tx < 0 || tx >= side) continue;
            unsigned char* dst = &Image[vell::kScreenCopyImage][((size_t)ty * side + tx) * 4];
            memcpy(dst, row + (size_t)x * 4, 3);
            dst[3] = 255;
        }
    }
}

int ScreenshotTaken = 0;

void VellSys::Screenshot() {
    int w = WindowWidth, h = WindowHeight;
    if (!window || w <= 0 || h <= 0) {
        Debuglog("Screenshot skipped, there is no window");
        return;
    }
    size_t rowBytes = (size_t)w * 4;
    ImageChanged(vell::kScreenshotImage);
    ImageChanged(vell::kScratchImage);
    Image[vell::kScreenshotImage].assign(rowBytes * h, 0);
    Image[vell::kScratchImage].assign(rowBytes * h, 0);
    ReadShownFrame(Image[vell::kScratchImage].data());
    for (int y = 0; y < h; y++) {
        const unsigned char* src = &Image[vell::kScratchImage][(size_t)(h - 1 - y) * rowBytes];
        unsigned char* dst = &Image[vell::kScreenshotImage][(size_t)y * rowBytes];
        for (int x = 0; x < w; x++) {
            memcpy(dst + x * 4, src + x * 4, 3);
            dst[x * 4 + 3] = 255;
        }
    }
    // The name is written elsewhere; never trust it to be terminated.
    std::string name(ScreenshotName, strnlen(ScreenshotName, sizeof ScreenshotName - 1));
    // Names carry the second; a second picture in the same second gets a
    // number rather than replacing the first.
    std::string path = name;
    size_t dot = name.size() >= 4 && name.compare(name.size() - 4, 4, ".png") == 0 ? name.size() - 4 : name.size();
    struct stat st;
    for (int n = 2; stat(path.c_str(), &st) == 0; n++) {
        if (n > 999) {
            Debuglog("Screenshot skipped, every name for it is taken");
            return;
        }
        path = name.substr(0, dot) + "_" + std::to_string(n) + name.substr(dot);
    }
    SavePNG(path.c_str(), vell::kScreenshotImage, w, h);
}

void VellSys::SavePNG(const char* path, int s, int w, int h) {
    if (!path) path = "";
    Debuglog(fstrSys("Saving Image - %ix%i  ~ %.900s", w, h, path));
    static const std::vector<unsigned char> none;
    const std::vector<unsigned char>& pixels = (s >= 0 && s < vell::kImageSlots) ? Image[s] : none;
    // The encoder refuses pixels too few for w x h, which also covers an
    // empty or foreign slot, but would write an empty picture: refuse that
    // with its own code for a zero size.
    unsigned err = 93;
    if (w > 0 && h > 0) err = lodepng::encode(std::string(path), pixels, (unsigned)w, (unsigned)h);
    if (err) Debuglog(fstrSys("The image save didn't work.  All the images are unsaved!! %i", (int)err));
}
