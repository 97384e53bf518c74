// Advance widths of the shipped font in font pixels plus one, code 32 up;
// entries past tilde are 0. The engine spaces text by them and the asset
// generator draws each glyph inside its advance, so both read this one table.
#pragma once

#include "VellNumbers.h"

inline constexpr int fontw[vell::kFontGlyphs] = {
    15, 5,  12, 19, 15, 22, 15, 5,  10, 10, 15, 15, 5,  15, 5,  15,  //  !"#$%&'()*+,-./
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 5,  5,  15, 15, 15, 15,  // 0-9 :;<=>?
    25, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 22, 15, 15,  // @A-O
    15, 15, 15, 15, 15, 15, 16, 22, 15, 15, 15, 10, 15, 10, 12, 16,  // P-Z [\]^_
    5,  15, 15, 15, 15, 15, 15, 15, 15, 5,  10, 15, 5,  25, 15, 15,  // `a-o
    15, 15, 15, 15, 15, 15, 15, 22, 15, 15, 15, 11, 5,  12, 25, 0,   // p-z {|}~
    0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 0, 0, 0,
    0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 0, 0, 0,
};
