#include "preview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "glyphs.h"

void DrawFrame(Image& dst, const Image& sheet, int fs, int f, float cx, float cy, float k, Col tint) {
    int cols = sheet.w / fs, rows = sheet.h / fs;
    if (f < 0 || cols <= 0 || f >= cols * rows) f = 0;
    float fx = float((f % cols) * fs), fy = float((f / cols) * fs);
    float half = fs * 0.5f * k;
    int x0 = std::max(0, (int)std::floor(cx - half)), x1 = std::min(dst.w - 1, (int)std::ceil(cx + half));
    int y0 = std::max(0, (int)std::floor(cy - half)), y1 = std::min(dst.h - 1, (int)std::ceil(cy + half));
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            float u = (x + 0.5f - cx) / k + fs * 0.5f, v = (y + 0.5f - cy) / k + fs * 0.5f;
            if (u < 0 || v < 0 || u > fs || v > fs) continue;
            // Sample inside the frame only, as the packed texture's margins do.
            Col c = sheet.sample(std::clamp(fx + u, fx + 0.5f, fx + fs - 0.5f),
                                 std::clamp(fy + v, fy + 0.5f, fy + fs - 0.5f));
            float edge = std::min({u, v, fs - u, fs - v});
            if (edge < 0.5f) c.a *= edge + 0.5f;
            dst.over(x, y, {c.r * tint.r, c.g * tint.g, c.b * tint.b, c.a * tint.a}, 1.0f);
        }
}

void DrawString(Image& dst, const Image& font, const std::string& text, float x, float y, float size, Col tint,
                float align) {
    float width = 0;
    for (char c : text)
        if ((unsigned char)c >= 32 && (unsigned char)c < 127) width += (fontw[c - 32] - 1) * size;
    float pen = x - width * 0.5f * align + 14 * size;
    for (char c : text) {
        int f = (unsigned char)c - 32;
        if (f < 0 || f >= 95) continue;
        DrawFrame(dst, font, 32, f, pen, y, size, tint);
        pen += (fontw[f] - 1) * size;
    }
}

namespace {

struct Sheet {
    const char* name;
    int fs;
    int cols;    // frames per row on the contact sheet
    float zoom;  // display scale of a frame
};

const Sheet kSheets[] = {
    {"entplain.png", 32, 16, 2}, {"plr-32.png", 32, 12, 2},    {"tiles-32.png", 32, 12, 2}, {"obj-32.png", 32, 12, 2},
    {"bg-32.png", 32, 12, 2},    {"particles.png", 32, 12, 2}, {"options.png", 32, 12, 2},  {"icons.png", 64, 12, 1},
};

void Checker(Image& img, int x0, int y0, int w, int h, int sq) {
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++) {
            bool odd = (((x - x0) / sq) + ((y - y0) / sq)) & 1;
            img.over(x, y, odd ? rgb(70, 64, 86) : rgb(54, 48, 68), 1.0f);
        }
}

struct Page {
    Image img{1240, 7200};
    Image font;
    int y = 16;
    void Title(const std::string& t) {
        y += 16;
        std::printf("  y=%-5d %s\n", y, t.c_str());
        DrawString(img, font, t, 16, float(y + 12), 1.0f, rgb(255, 230, 170));
        y += 36;
    }
    void Note(const std::string& t, float size = 0.6f) {
        DrawString(img, font, t, 16, float(y + 8), size, rgb(200, 200, 220));
        y += int(28 * size) + 6;
    }
};

void SheetSection(Page& pg, const Image& sheet, const Sheet& s) {
    int frames = (sheet.w / s.fs) * (sheet.h / s.fs);
    char head[128];
    std::snprintf(head, sizeof head, "%s  %dx%d, %d frames of %d", s.name, sheet.w, sheet.h, frames, s.fs);
    pg.Title(head);
    int cell = int(s.fs * s.zoom) + 8, labelH = 14;
    for (int f = 0; f < frames; f++) {
        int cx = 16 + (f % s.cols) * (cell + 4), cy = pg.y + (f / s.cols) * (cell + labelH + 4);
        Checker(pg.img, cx, cy, cell, cell, 8);
        DrawFrame(pg.img, sheet, s.fs, f, cx + cell * 0.5f, cy + cell * 0.5f, s.zoom, {1, 1, 1, 1});
        char num[16];
        std::snprintf(num, sizeof num, "%d", f);
        DrawString(pg.img, pg.font, num, cx + cell * 0.5f, float(cy + cell + 7), 0.45f, rgb(170, 230, 255), 1);
    }
    pg.y += ((frames + s.cols - 1) / s.cols) * (cell + labelH + 4) + 8;
}

void TextSamples(Page& pg) {
    pg.Title("Font at the game's text sizes, on dark and light grounds");
    const float sizes[] = {0.5f, 0.75f, 1.0f, 1.4f, 2.25f};
    const char* line = "Bramblehop! Score 00012345  The quick brown fox jumps over the lazy dog?";
    for (int band = 0; band < 2; band++) {
        int top = pg.y, h = 0;
        for (float s : sizes) h += int(34 * s) + 6;
        for (int yy = top; yy < top + h; yy++)
            for (int xx = 0; xx < pg.img.w; xx++)
                pg.img.over(xx, yy, band ? rgb(236, 226, 200) : rgb(26, 16, 44), 1.0f);
        int yy = top;
        for (float s : sizes) {
            yy += int(17 * s) + 3;
            Col tint = band ? rgb(255, 200, 150) : rgb(150, 255, 150);
            DrawString(pg.img, pg.font, line, 16, float(yy), s, tint);
            yy += int(17 * s) + 3;
        }
        pg.y = top + h + 6;
    }
    DrawString(pg.img, pg.font, "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789 abcdefghijklmnopqrstuvwxyz", 16,
               float(pg.y + 16), 1.0f, {1, 1, 1, 1});
    DrawString(pg.img, pg.font, "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~  (every character)", 16, float(pg.y + 48), 1.0f,
               {1, 1, 1, 1});
    pg.y += 72;
}

// A small cave put together the way the play step draws it: 32-pixel
// backdrop tiles, then tiles, chicks, fireballs and the bird at half size.
void PlayMockup(Page& pg, const std::string& dir) {
    Image bg, tiles, plr, obj;
    if (!LoadPNG(bg, dir + "/bg-32.png") || !LoadPNG(tiles, dir + "/tiles-32.png") ||
        !LoadPNG(plr, dir + "/plr-32.png") || !LoadPNG(obj, dir + "/obj-32.png"))
        return;
    pg.Title("Play-field mock-up (tiles at half size, as in play)");
    const int W = 40, H = 16, x0 = 16, y0 = pg.y;
    Rng r(9);
    for (int j = 0; j < H / 2; j++)
        for (int i = 0; i < W / 2; i++)
            DrawFrame(pg.img, bg, 32, ((i + j) % 2 + 2 * r.irange(0, 5)) % 12, x0 + 32 * i + 16.0f, y0 + 32 * j + 16.0f,
                      1, {1, 1, 1, 1});
    std::vector<int> map(W * H, 0);
    auto put = [&](int x, int y, int c) { map[y * W + x] = c; };
    for (int x = 0; x < W; x++) {
        put(x, 0, 1);
        put(x, 12, x < 6 ? 2 : 0);
        for (int y = 13; y < H; y++) put(x, y, x < 6 ? 3 : 0);
    }
    for (int x = 34; x < W; x++) {
        put(x, 10, 4);
        for (int y = 11; y < H; y++) put(x, y, 5);
    }
    for (int x = 14; x < 20; x++) put(x, 7 + (x % 3 == 0), 1);
    put(9, 9, 6), put(10, 9, 7), put(16, 12, 16), put(17, 12, 17), put(24, 6, 26), put(25, 6, 27);
    put(28, 11, 36), put(29, 11, 37), put(21, 3, 46), put(22, 3, 47), put(31, 3, 56), put(32, 3, 57);
    put(26, 9, 11);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            int c = map[y * W + x], f = c - 1;
            if (c == 16 || c == 17) f = c - 11;
            if (c > 0) DrawFrame(pg.img, tiles, 32, f, x0 + 8 + 16.0f * x, y0 + 8 + 16.0f * y, 0.5f, {1, 1, 1, 1});
        }
    for (int k = 0; k < 3; k++)
        DrawFrame(pg.img, tiles, 32, 11, x0 + 8 + 16.0f * (3 - k), y0 + 8 + 16.0f * 11 - 3 * k, 0.5f, {1, 1, 1, 1});
    for (int i = 0; i < 6; i++) {
        float a = Rad(-50), bx = x0 + 8 + 16.0f * 26 + 12 * i * std::sin(a),
              by = y0 + 8 + 16.0f * 9 - 12 * i * std::cos(a);
        DrawFrame(pg.img, obj, 32, (i + 3) % 12, bx, by, 0.75f, {1, 1, 1, 0.5f});
        DrawFrame(pg.img, obj, 32, (i + 5) % 12, bx, by, 0.375f, {1, 1, 1, 0.9f});
    }
    for (int f = 0; f < 6; f++)
        DrawFrame(pg.img, plr, 32, f, x0 + 8 + 16.0f * (4 + 2 * f) + 40, y0 + 8 + 16.0f * 11 - (f ? 40 : 0), 0.5f,
                  {1, 1, 1, 1});
    DrawString(pg.img, pg.font, "00001250", x0 + W * 8.0f, y0 + 10.0f, 0.5f, rgb(150, 255, 150, 0.8f), 1);
    pg.y += H * 16 + 12;
    // The same at twice the size, to judge the detail.
    Image crop(W * 16, H * 16);
    for (int y = 0; y < crop.h; y++)
        for (int x = 0; x < crop.w; x++) std::copy_n(pg.img.at(x0 + x, y0 + y), 4, crop.at(x, y));
    BlitScaled(pg.img, crop, x0 + crop.w, pg.y + crop.h, 2.0f);
    pg.y += crop.h * 2 + 12;
}

// The title page on an 800 x 600 screen: backdrop at 2.25, logo scaled to
// the width, the four buttons along the bottom.
void TitleMockup(Page& pg, const std::string& dir) {
    Image menu, logo, icons;
    if (!LoadPNG(menu, dir + "/menu.png") || !LoadPNG(logo, dir + "/logo.png") || !LoadPNG(icons, dir + "/icons.png"))
        return;
    pg.Title("Title page mock-up at 800 x 600");
    Image scr(800, 600);
    for (int y = 0; y < 600; y++)
        for (int x = 0; x < 800; x++) scr.over(x, y, rgb(0, 0, 140), 1.0f);
    BlitScaled(scr, menu, 400, 300, 2.25f);
    float s = (800 - 32) / 1024.0f;
    BlitScaled(scr, logo, 400, s * 256 + 16, s);
    float y = 600 - 96;
    DrawFrame(scr, icons, 64, 5, 52, y, 1, {1, 1, 1, 1});
    DrawFrame(scr, icons, 64, 1, 240, y, 1, {1, 1, 1, 1});
    DrawFrame(scr, icons, 64, 3, 748, y, 1, {1, 1, 1, 1});
    DrawFrame(scr, icons, 64, 4, 748, y, 1, {1, 1, 1, 1});
    Fill(scr, Circle(400, y, 80), VGrad(y - 80, rgb(100, 255, 100, 0.75f), y + 80, rgb(0, 150, 0, 0.75f)));
    Fill(scr, Polygon({376, y - 34, 376, y + 34, 434, y}), rgb(120, 255, 120, 0.75f));
    DrawString(scr, pg.font, "Credits", 52, y + 32, 0.75f, {1, 1, 1, 1}, 1);
    DrawString(scr, pg.font, "Start", 400, y + 80, 1.0f, {1, 1, 1, 1}, 1);
    DrawString(scr, pg.font, "Options", 748, y + 32, 0.75f, {1, 1, 1, 1}, 1);
    Blit(pg.img, scr, 16, pg.y);
    pg.y += 612;
}

void Picture(Page& pg, const Image& pic, const char* name, int show) {
    char head[128];
    std::snprintf(head, sizeof head, "%s  %dx%d (shown at %d px)", name, pic.w, pic.h, show);
    pg.Title(head);
    Checker(pg.img, 16, pg.y, show, show, 16);
    Image small = pic.w / show > 1 ? Downscale(pic, pic.w / show) : pic;
    Blit(pg.img, small, 16, pg.y);
    pg.y += show + 12;
}

}  // namespace

int RunPreview(const std::string& dir, const std::string& outPath) {
    Page pg;
    if (!LoadPNG(pg.font, dir + "/entplain.png")) {
        std::fprintf(stderr, "preview: cannot read %s/entplain.png\n", dir.c_str());
        return 1;
    }
    for (int y = 0; y < pg.img.h; y++)
        for (int x = 0; x < pg.img.w; x++) pg.img.over(x, y, rgb(34, 30, 44), 1.0f);
    DrawString(pg.img, pg.font, "Bramblehop - every generated image, with frame numbers", 16, 30, 1.4f,
               rgb(255, 210, 120));
    pg.y = 56;
    TextSamples(pg);
    for (const Sheet& s : kSheets) {
        Image sheet;
        if (!LoadPNG(sheet, dir + "/" + s.name)) {
            pg.Note(std::string("missing: ") + s.name, 1.0f);
            continue;
        }
        SheetSection(pg, sheet, s);
    }
    PlayMockup(pg, dir);
    TitleMockup(pg, dir);
    const struct {
        const char* name;
        int show;
    } pics[] = {{"menu.png", 504}, {"logo.png", 512}, {"VellLogo.png", 400}};
    for (const auto& p : pics) {
        Image pic;
        if (LoadPNG(pic, dir + "/" + p.name)) Picture(pg, pic, p.name, p.show);
        else pg.Note(std::string("missing: ") + p.name, 1.0f);
    }
    Image out(pg.img.w, std::min(pg.img.h, pg.y + 16));
    for (int y = 0; y < out.h; y++)
        for (int x = 0; x < out.w; x++) std::copy_n(pg.img.at(x, y), 4, out.at(x, y));
    if (!SavePNG(out, outPath)) {
        std::fprintf(stderr, "preview: cannot write %s\n", outPath.c_str());
        return 1;
    }
    std::printf("Contact sheet: %s\n", outPath.c_str());
    return 0;
}
