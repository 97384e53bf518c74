// Any bytes as the two save files: the first byte picks where the settings
// file ends and the score file begins.
#include "fuzz_common.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzQuiet();
    static bool ready = false;
    if (!ready) {
        snprintf(ThisGame.home, sizeof ThisGame.home, "%s", FuzzDir().c_str());
        ThisGame.GameNum = 552;
        snprintf(ThisGame.GameTitle, sizeof ThisGame.GameTitle, "Bramblehop");
        ready = true;
    }
    size_t cut = size ? (size_t)data[0] * size / 256 : 0;
    FuzzWrite("Settings.sav", data, cut);
    FuzzWrite("Save_552_Bramblehop.sav", data + cut, size - cut);
    for (int i = 0; i < 200; i++) ThisGame.Settings[i] = 0;
    ThisGame.Settings[0] = ThisGame.Settings[1] = 7;
    ThisGame.Settings[101] = 2;
    ThisGame.Load();
    if (ThisGame.DifficultyCursor < 1 || ThisGame.DifficultyCursor > 3) __builtin_trap();
    return 0;
}
