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
// One name a line: the build reads this list to know the files to expect.
// clang-format off
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
// clang-format on

// Frames of the icons sheet ("icons", 64 px), by what they show.
enum IconFrame {
    kIconPlayPause,  // the pause button and the pause menu's resume
    kIconQuit,
    kIconTryAgain,
    kIconCog,  // a ring cog, and the small cog that turns inside it
    kIconCogInner,
    kIconCredits,
    kIconScores,
    kIconMusic,
    kIconPattern,  // the tile of the front end's moving backdrop
    kIconBird,
    kIconChick,
    kIconBack,
    kIconFrameCount
};

// Frames of the options sheet ("options", 32 px), by what they show.
enum OptionFrame {
    kOptionBack,
    kOptionSound,
    kOptionMusic,
    kOptionScreen,
    kOptionHeart,
    kOptionCup,
    kOptionStats,
    kOptionController,
    kOptionInvertStick,
    kOptionLife,  // the bird's head: a life, and the help row
    kOptionNameTag,
    kOptionMotion,
    kOptionFrameCount
};

// Sound effects: Data/552/audio/NN.wav loads into slot NN. One line a sound:
// its name, its slot and what it means. The generator must synthesise each
// (the build checks), and the loader loads each. A sound's number is its
// file's name, so a slot once given never moves.
#define BH_SOUND_EFFECTS(SFX)                                           \
    SFX(kSfxFlap, 1, "a flap")                                          \
    SFX(kSfxSwitchOn, 2, "a switch lit")                                \
    SFX(kSfxLevelDone, 3, "a cave left through its exit")               \
    SFX(kSfxDeath, 4, "a life lost")                                    \
    SFX(kSfxChick, 5, "a chick collected")                              \
    SFX(kSfxKnockedOff, 6, "a follower knocked off by a fireball")      \
    SFX(kSfxBackToTitle, 95, "back at the title, and start-up's first") \
    SFX(kSfxPause, 97, "the game stops for the pause menu")             \
    SFX(kSfxConfirm, 98, "a choice confirmed")                          \
    SFX(kSfxMove, 99, "the cursor moved")

#define BH_SOUND_NAME(name, slot, meaning) constexpr int name = slot;
BH_SOUND_EFFECTS(BH_SOUND_NAME)
#undef BH_SOUND_NAME

struct SoundEffect {
    int slot;
    const char* meaning;
};
#define BH_SOUND_ENTRY(name, slot, meaning) {slot, meaning},
inline constexpr SoundEffect kSoundEffects[] = {BH_SOUND_EFFECTS(BH_SOUND_ENTRY)};
#undef BH_SOUND_ENTRY
inline constexpr int kSoundCount = sizeof kSoundEffects / sizeof kSoundEffects[0];

#define BH_SOUND_SLOT(name, slot, meaning) slot,
inline constexpr int kSoundSlots[] = {BH_SOUND_EFFECTS(BH_SOUND_SLOT)};
#undef BH_SOUND_SLOT

constexpr bool SoundSlotsAreFileNumbers() {
    for (int i = 0; i < kSoundCount; i++) {
        if (kSoundEffects[i].slot < 1 || kSoundEffects[i].slot > 99) return false;
        for (int j = 0; j < i; j++)
            if (kSoundEffects[j].slot == kSoundEffects[i].slot) return false;
    }
    return true;
}
static_assert(SoundSlotsAreFileNumbers(), "each sound needs a slot of its own, 1 to 99 (its file is NN.wav)");

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
