// The application icon: the bird mid-flap in a cave-dark tile. One drawing
// serves every size, from the 32-pixel menu icon to the 512-pixel one, and
// the window shows the same picture.
#include "art.h"

Image MakeAppIcon(int size) {
    Image img(size, size);
    const float s = (float)size, c = s * 0.5f;
    Shape tile = RoundBox(c, c, s * 0.47f, s * 0.47f, s * 0.2f);
    Fill(img, tile, VGrad(0, pal::plum, s, pal::night));
    Fill(img, Intersect(tile, Circle(c, c * 1.02f, s * 0.34f)), withAlpha(pal::gold, 0.22f), s * 0.08f);
    // A bramble along the bottom edge, so it reads as the cave and not as
    // any red bird.
    Fill(img,
         Intersect(tile, Stroke({0, s * 0.86f, s * 0.3f, s * 0.8f, s * 0.62f, s * 0.9f, s, s * 0.82f}, s * 0.035f)),
         pal::leaf);
    for (int i = 0; i < 3; i++) {
        float x = s * (0.22f + 0.3f * i), y = s * (0.84f + 0.03f * (i % 2));
        Fill(img, Intersect(tile, Circle(x, y, s * 0.04f)), pal::berry);
    }
    // The bird's 32-unit drawing spans about 1..31 across and 3..31 down.
    const float k = s * 0.72f / 32.0f;
    DrawBird(img, c - 16.0f * k, c - 18.0f * k, k, 35, 1, true);
    return img;
}
