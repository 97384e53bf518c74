// Every picture of the game, each drawn by one function.
#pragma once

#include <vector>

#include "gfx.h"

// A shape and how to paint it; drawn in order over a shared dark outline.
struct Part {
    Shape shape;
    Paint paint;
};
void Outlined(Image& img, const std::vector<Part>& parts, float outline, Col edge);
// Lays frames of fs pixels out cols per row, frame n at column n % cols.
Image Assemble(const std::vector<Image>& frames, int cols, int fs);
// The digit or character c centred at (cx, cy) with capital height cap.
void Numeral(Image& img, char c, float cx, float cy, float cap, Col fill, Col edge);

// The palette shared by the sheets, so the pieces sit together.
namespace pal {
const Col ink = {0.12f, 0.05f, 0.14f, 1};    // outlines
const Col night = {0.10f, 0.06f, 0.19f, 1};  // deepest cave
const Col plum = {0.27f, 0.16f, 0.38f, 1};
const Col moss = {0.43f, 0.74f, 0.31f, 1};
const Col leaf = {0.24f, 0.50f, 0.25f, 1};
const Col sand = {0.80f, 0.55f, 0.31f, 1};  // warm ledge stone
const Col gold = {1.00f, 0.80f, 0.30f, 1};
const Col ember = {1.00f, 0.45f, 0.12f, 1};
const Col cream = {1.00f, 0.93f, 0.78f, 1};
const Col berry = {0.45f, 0.12f, 0.42f, 1};
}  // namespace pal

Image MakePlayer();           // plr-32
Image MakeTiles();            // tiles-32
Image MakeFireballs();        // obj-32
Image MakeBackdrop();         // bg-32
Image MakeIcons();            // icons
Image MakeOptions();          // options
Image MakeParticles();        // particles
Image MakeMenu();             // menu
Image MakeLogo();             // logo
Image MakeVellLogo();         // VellLogo
Image MakeAppIcon(int size);  // icon.png and the desktop's icons

// Shared by the sheets that show the bird and its chicks.
void DrawBird(Image& img, float ox, float oy, float k, float wingDeg, int legs, bool wingOpen);
void DrawBirdHead(Image& img, float ox, float oy, float k);
void DrawChick(Image& img, float ox, float oy, float k);
