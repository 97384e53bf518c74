// Small numeric helpers the recorder, the text layout, the sound settings
// and the platform layer share, so an angle or a clamped value comes out the
// same to the bit wherever it is computed.
#pragma once

#include <cmath>

namespace vell {

// Degrees, the unit every angle in the game and the draw records uses.
inline float DegSin(float d) { return (float)std::sin((double)d * 0.0174532925); }
inline float DegCos(float d) { return (float)std::cos((double)d * 0.0174532925); }

// NaN falls to the lower bound rather than reaching OpenAL or a cast.
inline float Clamp(float v, float lo, float hi) {
    if (!(v >= lo)) return lo;
    return v > hi ? hi : v;
}

// A colour or alpha channel. Also turns NaN (and -0) into 0, so a bad colour
// can never reach the renderer's casts.
inline float Clamp255(float v) {
    if (!(v > 0)) return 0;
    if (v > 255) return 255;
    return v;
}

}  // namespace vell
