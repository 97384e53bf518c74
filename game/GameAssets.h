// Every file the game reads from its data folder (Data/552), all of them made
// by the asset generator. This is the one list: the loader asks for these
// names, the generator writes exactly these files, the build takes them as
// the generator's outputs and the tests check them. The build reads this
// file as text, so each name stays on a line of its own, as written here.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace bh {

// Pictures: Data/552/NAME.png.
enum Picture {
    kPicFont,
    kPicVellLogo,
    kPicIcons,
    kPicParticles,
    kPicOptions,
    kPicMenu,
    kPicLogo,
    kPicPlayer,
    kPicTiles,
    kPicBackdrop,
    kPicObjects,
    kPicWindowIcon,
    kPictureCount
};
inline constexpr const char* kPictureNames[kPictureCount] = {
    "entplain",
    "VellLogo",
    "icons",
    "particles",
    "options",
    "menu",
    "logo",
    "plr-32",
    "tiles-32",
    "bg-32",
    "obj-32",
    "icon",
};

// Sound effects: Data/552/audio/NN.wav, by the slot they load into.
inline constexpr int kSoundSlots[] = {1, 2, 3, 4, 5, 6, 95, 97, 98, 99};

// Music: Data/552/audio/NAME: the play song, then the menu song.
inline constexpr const char kMusicTitle[] = "pages.ogg";
inline constexpr const char kMusicMenu[] = "hedgerow.ogg";

// Every file above, relative to Data/552.
inline std::vector<std::string> DataFiles() {
    std::vector<std::string> out;
    for (const char* name : kPictureNames) out.push_back(std::string(name) + ".png");
    for (int slot : kSoundSlots) {
        char name[32];
        std::snprintf(name, sizeof name, "audio/%02d.wav", slot);
        out.push_back(name);
    }
    out.push_back(std::string("audio/") + kMusicTitle);
    out.push_back(std::string("audio/") + kMusicMenu);
    return out;
}

}  // namespace bh
