// Any bytes as a sound effect and as streamed WAV music.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzQuiet();
    std::string path = FuzzWrite("in.wav", data, size);
    ASys.GetWAV(7, path.c_str());
    ASys.PlayWAV(7, 1.0f, 1.0f, 0.0f, 0);
    ASys.PlayMusic_Wav_Sys(path.c_str(), 1);
    for (int i = 0; i < 6; i++) ASys.HandleMusicSys();
    ASys.StopMusicSys();
    return 0;
}
