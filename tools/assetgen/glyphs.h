// The game's one font, "Bramble Round": a rounded stroke font drawn from
// skeletons in code. Each glyph is a set of polylines; the font sheet paints
// them with a white body, a dark outline and a soft drop shadow.
#pragma once

#include <string>
#include <vector>

#include "gfx.h"

// The engine's advance table (fontw): entry i is the advance in font pixels
// plus one for character 32 + i. The glyph ink must stay inside its advance.
#include "VellFontWidths.h"

// Polylines in pixels; a single point is a dot.
struct Strokes {
    std::vector<std::vector<float>> lines;
};

// Vertical metrics in cell rows (the 32-pixel cell is drawn centred on the
// pen, so row 16 sits on the text's y).
constexpr float kCapTop = 8, kXTop = 13, kBase = 24, kDesc = 29;
// Half the body stroke and the outline width, in font pixels.
constexpr float kStrokeR = 1.2f, kOutline = 0.8f;

// The skeleton of character c with its normalised x range [0, 1] laid out
// over [x0, x0 + width]; y stays in cell rows.
Strokes Glyph(char c, float x0, float width);
// Where the skeleton of character c goes inside its 32-pixel font cell: the
// engine puts the pen 14 pixels after the start of a text and centres each
// cell on the pen, so a glyph's advance starts at cell column 2.
void GlyphSpan(char c, float& x0, float& width);
// Maps the strokes by (x, y) -> (ox + k * x, oy + k * y).
Strokes Place(const Strokes& s, float ox, float oy, float k);
Shape StrokeShape(const Strokes& s, float r);

// The font sheet: 16 frames per row, frame = character code - 32.
Image MakeFontSheet();
// Draws text with big rounded letters (for logos): height of a capital in
// pixels, letters from the skeletons with the given advance per em.
struct TextStyle {
    float cap = 64;     // pixel height from cap top to baseline
    float body = 6;     // stroke radius
    float outline = 3;  // outline width
    Col fill{1, 1, 1, 1}, fillLow{0.85f, 0.85f, 0.9f, 1}, edge{0.1f, 0.05f, 0.15f, 1};
    float shadow = 0;   // drop shadow offset (down)
    float spacing = 0;  // extra advance between letters, in pixels
};
// Width of a text drawn with TextStyle at its cap height.
float TextWidth(const std::string& text, const TextStyle& st);
// Draws the text with its left edge at x and its baseline at y.
void DrawText(Image& img, const std::string& text, float x, float y, const TextStyle& st);
