// Where the game's pictures, sounds and music are found under the data
// folder, from the names the game gives them.
#include "VellCore_assets.h"

#include <cstring>

#include "VellCore.h"

char* SlashedName(VellCore& core, const char* name) {
    char* out = core.fstr("%s", name ? name : "");
    for (char* p = out; *p; p++)
        if (*p == '\\') *p = '/';
    return out;
}

// Only these exact spellings count; "obj.pNg" has no extension.
static bool HasExtension(VellCore& core, const char* name, const char* lower, const char* title, const char* upper) {
    const char* last = core.Right(name, 4);
    return strcmp(last, lower) == 0 || strcmp(last, title) == 0 || strcmp(last, upper) == 0;
}

static bool IsPngName(VellCore& core, const char* n) { return HasExtension(core, n, ".png", ".Png", ".PNG"); }
bool IsWavName(VellCore& core, const char* n) { return HasExtension(core, n, ".wav", ".Wav", ".WAV"); }
bool IsOggName(VellCore& core, const char* n) { return HasExtension(core, n, ".ogg", ".Ogg", ".OGG"); }

char* ImagePath(VellCore& core, const char* name) {
    char* n = SlashedName(core, name);
    if (IsPngName(core, n)) return core.fstr("%s/Data/%i/%s", core.home, core.GameNum, n);
    return core.fstr("%s/Data/%i/%s.png", core.home, core.GameNum, n);
}

char* SoundSlotPath(VellCore& core, int slot) {
    return core.fstr("%s/Data/%i/audio/%02i.wav", core.home, core.GameNum, slot);
}

char* SoundNamePath(VellCore& core, const char* name) {
    char* n = SlashedName(core, name);
    if (IsWavName(core, n)) return core.fstr("%s/Data/%i/audio/%s", core.home, core.GameNum, n);
    return core.fstr("%s/Data/%i/audio/%s.wav", core.home, core.GameNum, n);
}

char* MusicPath(VellCore& core, const char* name) {
    return core.fstr("%s/Data/%i/audio/%s", core.home, core.GameNum, SlashedName(core, name));
}
