// Review helpers: draw text and sprite frames the way the game's renderer
// does (frames centred on a point, scaled, tinted), for the contact sheet.
#pragma once

#include <string>

#include "gfx.h"

// Frame f of a sheet cut into fs-pixel squares, centred at (cx, cy), scaled
// by k and multiplied by tint.
void DrawFrame(Image& dst, const Image& sheet, int fs, int f, float cx, float cy, float k, Col tint);
// Text laid out by the engine's rules: align 0 starts at x, 1 centres, 2 ends.
void DrawString(Image& dst, const Image& font, const std::string& text, float x, float y, float size, Col tint,
                float align = 0);

// Writes a contact sheet of every image in dataDir to outPath; 0 on success.
int RunPreview(const std::string& dataDir, const std::string& outPath);
