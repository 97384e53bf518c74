// The game's one-line-a-thing tables (sounds, settings, sheet frames) held
// against what reads them: the loader, the build's list of generated files,
// the check a loaded file passes, the options screen and the drawn sheets.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <lodepng.h>
#include <set>

#include "GameAssets.h"
#include "test_audio_fixtures.h"
#include "test_menu_fixture.h"

namespace {

std::string BuildDir() {
    std::string bin = BRAMBLEHOP_GAME_BIN;  // <build>/game/Bramblehop
    return bin.substr(0, bin.rfind('/', bin.rfind('/') - 1));
}

// However the steps are laid out, a full run of the loader asks for every
// listed sound and for nothing else.
TEST(TablesSounds, TheLoaderLoadsEveryListedSoundAndNoOther) {
    LogCapture log;
    TempDir dir;
    AudioSession audio;
    MyGame& g = ThisGame;
    snprintf(g.home, sizeof g.home, "%s/nowhere", dir.Path().c_str());
    g.GameNum = bh::kGameNumber;
    g.LoadTo = 1;
    for (int steps = 0; g.LoadTo > 0 && steps < 500; steps++) g.Loader();
    ASSERT_EQ(g.LoadTo, 0);

    const std::string prefix = "Load SFX   : ";
    std::set<int> asked;
    for (const std::string& l : log.Lines())
        if (l.rfind(prefix, 0) == 0) asked.insert(std::stoi(l.substr(prefix.size())));
    std::set<int> listed(std::begin(bh::kSoundSlots), std::end(bh::kSoundSlots));
    EXPECT_EQ(asked, listed);
}

// The build reads the list as text to know the generator's outputs; a line
// it fails to read would leave a file the build neither expects nor remakes.
TEST(TablesSounds, TheBuildReadsTheSameFilesAsTheGameLists) {
    std::ifstream in(BuildDir() + "/tools/asset-files.txt");
    ASSERT_TRUE(in.good());
    std::vector<std::string> build;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) build.push_back(line);
    EXPECT_EQ(build, bh::DataFiles());
}

// Every named frame of the two icon sheets has been drawn: a name added
// without its drawing would show as an empty frame.
TEST(TablesFrames, EveryNamedFrameOfTheSheetsIsDrawn) {
    const struct {
        bh::Picture picture;
        int frames;
        unsigned cell;
    } sheets[] = {{bh::kPicIcons, bh::kIconFrameCount, 64}, {bh::kPicOptions, bh::kOptionFrameCount, 32}};
    for (const auto& s : sheets) {
        SCOPED_TRACE(bh::kPictureNames[s.picture]);
        std::vector<unsigned char> px;
        unsigned w = 0, h = 0;
        std::string path = BuildDir() + "/game/Data/552/" + bh::kPictureNames[s.picture] + ".png";
        ASSERT_EQ(lodepng::decode(px, w, h, path), 0u);
        unsigned across = w / s.cell;
        ASSERT_GT(across, 0u);
        ASSERT_GE((h / s.cell) * across, (unsigned)s.frames);
        for (int f = 0; f < s.frames; f++) {
            unsigned x0 = (f % across) * s.cell, y0 = (f / across) * s.cell, opaque = 0;
            for (unsigned y = y0; y < y0 + s.cell; y++)
                for (unsigned x = x0; x < x0 + s.cell; x++) opaque += px[4 * (y * w + x) + 3] > 0;
            EXPECT_GT(opaque, s.cell * s.cell / 100) << "frame " << f;
        }
    }
}

class TablesSettings : public FrontScreen {};

// A setting at either end of its range comes back from the files as it was;
// one past either end, or the wildest a file can hold, comes back as the
// default; and the defaults themselves pass the check.
TEST_F(TablesSettings, ValuesInRangeSurviveTheFilesAndOthersFallBackToTheDefault) {
    g.SetDefaultSettings();
    g.Save();
    for (int i = 0; i < bh::kSettingSlots; i++) g.Settings[i] = -5;
    g.Load();
    for (const bh::Setting& s : bh::kSettings) EXPECT_EQ(g.Settings[s.slot], s.initial) << "slot " << s.slot;

    for (const bh::Setting& s : bh::kSettings) {
        const struct {
            int stored, loaded;
        } cases[] = {{s.lowest, s.lowest},
                     {s.highest, s.highest},
                     {s.lowest - 1, s.initial},
                     {s.highest + 1, s.initial},
                     {vell::kReadPastEnd + 1, s.initial},
                     {INT_MAX, s.initial}};
        for (const auto& c : cases) {
            g.Settings[s.slot] = c.stored;
            g.Save();
            g.Settings[s.slot] = c.loaded + 1;  // so that only the load can put it right
            g.Load();
            EXPECT_EQ(g.Settings[s.slot], c.loaded) << "slot " << s.slot << " stored as " << c.stored;
        }
        g.Settings[s.slot] = s.initial;
    }
}

// Each setting with a section has its row on the options screen, under that
// section's heading.
TEST_F(TablesSettings, EverySettingWithASectionHasItsRowUnderThatHeading) {
    g.OverlayScreen = bh::kScreenOptions;
    Run([&] { g.Options(); });
    std::set<std::string> sections;
    for (const bh::Setting& s : bh::kSettings)
        if (s.section) sections.insert(s.section);
    std::vector<std::string> lines = LinesDrawn();
    for (const bh::Setting& s : bh::kSettings) {
        if (!s.section) continue;
        SCOPED_TRACE(s.label);
        auto at = std::find(lines.begin(), lines.end(), s.label);
        ASSERT_TRUE(at != lines.end()) << "no row shows this setting";
        std::string heading;
        for (auto it = lines.begin(); it != at; ++it)
            if (sections.count(*it)) heading = *it;
        EXPECT_EQ(heading, s.section);
    }
}

}  // namespace
