// Any bytes as a picture or a sprite sheet, then drawn and tiled.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzQuiet();
    std::string path = FuzzWrite("in.png", data, size);
    // The frame size comes from the first byte so sheets and pictures both get tried.
    unsigned frame = size ? 8u << (data[0] % 5) : 32u;
    ASys.GetPNG(3, path.c_str(), frame);
    ASys.Buffer_Create(5, 64);
    for (int f = -1; f < 3; f++) ASys.Buffer_Tile(5, 3, 7, -3, f);
    ThisGame.DrawImg(3, 10, 10, 1);
    ASys.DrawTo = 0;
    return 0;
}
