// Writes every picture and sound of the game into a data folder, the same
// bytes on every run. With --preview it draws a contact sheet instead.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "GameAssets.h"
#include "art.h"
#include "glyphs.h"
#include "preview.h"
#include "synth.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: bramblehop-assets OUTDIR\n"
                 "       bramblehop-assets --icons ICONDIR NAME\n"
                 "       bramblehop-assets --preview DATADIR OUT.png\n");
    return 2;
}

// The desktop's icon theme layout: ICONDIR/hicolor/NxN/apps/NAME.png.
int WriteIcons(const std::string& dir, const std::string& name) {
    for (int size : {32, 48, 64, 128, 256, 512}) {
        std::string folder = dir + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        if (ec || !SavePNG(MakeAppIcon(size), folder + "/" + name + ".png")) {
            std::fprintf(stderr, "cannot write the %i px icon into %s\n", size, folder.c_str());
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--preview") == 0) return RunPreview(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "--icons") == 0) return WriteIcons(argv[2], argv[3]);
    if (argc != 2) return Usage();
    const std::string dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir + "/audio", ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s/audio: %s\n", dir.c_str(), ec.message().c_str());
        return 1;
    }
    auto started = std::chrono::steady_clock::now();
    const struct {
        bh::Picture picture;
        Image (*make)();
    } images[] = {{bh::kPicFont, MakeFontSheet},    {bh::kPicVellLogo, MakeVellLogo},
                  {bh::kPicIcons, MakeIcons},       {bh::kPicParticles, MakeParticles},
                  {bh::kPicOptions, MakeOptions},   {bh::kPicMenu, MakeMenu},
                  {bh::kPicLogo, MakeLogo},         {bh::kPicPlayer, MakePlayer},
                  {bh::kPicTiles, MakeTiles},       {bh::kPicBackdrop, MakeBackdrop},
                  {bh::kPicObjects, MakeFireballs}, {bh::kPicWindowIcon, [] { return MakeAppIcon(256); }}};
    static_assert(sizeof images / sizeof images[0] == bh::kPictureCount, "a picture the game lists is not drawn");
    for (const auto& im : images) {
        std::string path = dir + "/" + bh::kPictureNames[im.picture] + ".png";
        if (!SavePNG(im.make(), path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (!WriteSounds(dir + "/audio") || !WriteMusic(dir + "/audio/" + bh::kMusicTitle) ||
        !WriteMenuMusic(dir + "/audio/" + bh::kMusicMenu, 0.42f))
        return 1;
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("Generated %i images, %i sounds and two songs into %s in %.1f s\n", (int)bh::kPictureCount,
                bh::kSoundCount, dir.c_str(), secs);
    return 0;
}
