// Bitmap text: one image command per character from the font sheet, whose
// frame n holds character kFirstGlyph + n, spaced by the font's own widths.
#include "Vell_glfw3.h"
#include "VellCore.h"
#include "VellCore_assets.h"
#include "VellMaths.h"

using vell::DegCos;
using vell::DegSin;
using vell::kFirstGlyph;
using vell::kFontGlyphs;

static bool HasGlyph(int f) { return f >= 0 && f < kFontGlyphs; }

// Advance of frame f in font pixels; frames without an entry do not move the pen.
static int Advance(int f) { return HasGlyph(f) ? fontw[f] - 1 : 0; }

static float FontScale() { return ViewScale * ASys.DrawSet[vell::kSetSizeX]; }

void VellCore::LoadFont(int slot, const char* name) {
    Debuglog(fstr("Load Font  : %s ", name ? name : ""));
    ASys.GetPNG(slot, ImagePath(*this, name), vell::kFontCell);
    ASys.FontImage = slot;
}

void VellCore::SetFont(int slot) { ASys.FontImage = slot; }

void VellCore::Text(float x, float y, const char* text) { Text(x, y, text, 0, 1); }
void VellCore::Text(float x, float y, const char* text, float align) { Text(x, y, text, align, 1); }

void VellCore::Text(float x, float y, const char* text, float align, float) {
    if (!text) return;
    float s = FontScale();
    float half = StringWidth(text) / 2;
    float r = ASys.DrawSet[vell::kSetRotation];
    x += half * align * DegSin(r - 90);
    y -= half * align * DegCos(r - 90);
    // Glyphs are drawn by their centres: start half a space in.
    x = (float)((double)x + (double)(14 * s) * (double)DegSin(r + 90));
    y = (float)((double)y - (double)(14 * s) * (double)DegCos(r + 90));
    float dx = DegSin(r + 90), dy = -DegCos(r + 90);
    for (const char* p = text; *p; p++) {
        int f = (signed char)*p - kFirstGlyph;
        DrawImg(ASys.FontImage, x, y, f);
        // Control and high bytes still record a (blank) glyph but take no room.
        x += Advance(f) * s * dx;
        y += Advance(f) * s * dy;
    }
}

void VellCore::Text(float x, float y, char c) { Text(x, y, c, 1, 1); }
void VellCore::Text(float x, float y, char c, float align) { Text(x, y, c, align, 1); }

void VellCore::Text(float x, float y, char c, float align, float) {
    float s = FontScale();
    float r = ASys.DrawSet[vell::kSetRotation];
    int f = (signed char)c - kFirstGlyph;
    float w = HasGlyph(f) ? fontw[f] - 0.5f : 0;
    float hw = w * align;
    float xx = x + hw * DegSin(r - 90) + 7 * s * DegSin(r + 90);
    float yy = y - hw * DegCos(r - 90) - 7 * s * DegCos(r + 90);
    DrawImg(ASys.FontImage, xx, yy, f);
}

float VellCore::StringWidth(const char* text) {
    if (!text) return 0;
    float s = FontScale();
    float sum = 0;
    for (const char* p = text; *p; p++) {
        int f = (signed char)*p - kFirstGlyph;
        sum += Advance(f) * s;
    }
    return sum;
}

float VellCore::StringWidth(char c) {
    int f = (signed char)c - kFirstGlyph;
    return Advance(f) * FontScale();
}

float VellCore::CharWidth(char c) { return StringWidth(c); }
