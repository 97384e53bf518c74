// Any bytes as the Ogg Vorbis music: the start and the first top-ups.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzQuiet();
    std::string path = FuzzWrite("in.ogg", data, size);
    ASys.PlayMusic_Ogg_Sys(path.c_str(), 1);
    for (int i = 0; i < 6; i++) ASys.HandleMusicSys();
    ASys.StopMusicSys();
    return 0;
}
