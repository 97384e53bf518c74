// What play sounds like: each gameplay event asks for its own effect at its
// own pitch, and a new game starts the title song.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "test_play_support.h"

using namespace playtest;

namespace {

class PlaySounds : public ::testing::Test {
protected:
    void SetUp() override {
        FreshGame();
        EmptyLevel();
        G().Difficulty = 2;
        G().DifficultyCursor = 2;
        Bird(25, 12);
    }
    void TearDown() override { ThawClock(); }

    static void Followers(int n) {
        PlayRecord& p = G().Play;
        for (int j = 0; j < 3; j++) p.FollowerKind[j] = j < n ? (float)(j + 1) : 0;
        p.FollowerCount = (float)n;
    }
};

// The pitch the one-argument effect call draws from the clock generator.
const float kAnyPitch = -1;

TEST_F(PlaySounds, EachEventAsksForItsEffectAndPitch) {
    MyGame& g = G();
    PlayRecord& p = g.Play;
    struct Case {
        const char* event;
        std::function<void()> setUp;
        int slot;
        float pitch;
    } cases[] = {
        {"flap", [] { Controls(1, 0, 0); }, bh::kSfxFlap, kAnyPitch},
        {"first switch, alone",
         [&] {
             g.Put(25, 13, 16);
             p.SpeedY = 1;
         },
         bh::kSfxSwitchOn, 0.9f},
        // Each chick following raises the switch a fifth of a tone.
        {"first switch, two chicks following",
         [&] {
             Followers(2);
             g.Put(25, 13, 16);
             p.SpeedY = 1;
         },
         bh::kSfxSwitchOn, 1.3f},
        {"first switch, three chicks following",
         [&] {
             Followers(3);
             g.Put(24, 13, 17);
             g.Put(25, 13, 17);
             p.SpeedY = 1;
         },
         bh::kSfxSwitchOn, 1.5f},
        {"open exit",
         [&] {
             p.SwitchesOn = 5;
             g.Put(25, 13, 4);
             p.SpeedY = 1;
         },
         bh::kSfxLevelDone, 1.0f},
        {"bramble", [&] { g.Put(25, 12, 1); }, bh::kSfxDeath, kAnyPitch},
        {"falling out of the cave", [&] { p.PlayerY = 25; }, bh::kSfxDeath, kAnyPitch},
        {"first chick", [&] { g.Put(25, 12, 20); }, bh::kSfxChick, 1.1f},
        {"third chick",
         [&] {
             Followers(2);
             g.Put(25, 12, 22);
         },
         bh::kSfxChick, 1.5f},
        // A follower in the path of a fireball arm pointing right from
        // (30, 10): balls at x = 488 + 12 i on row y = 268.
        {"follower knocked off",
         [&] {
             Followers(1);
             g.Put(30, 10, 11);
             Cell(30, 10)[5] = 90;
             Cell(30, 10)[7] = 9;
             for (int i = 0; i < 100; i++) {
                 g.TrailX[i] = 536;
                 g.TrailY[i] = 268;
             }
             p.ChickX[0] = 536;
             p.ChickY[0] = 268;
         },
         bh::kSfxKnockedOff, kAnyPitch},
        {"standing still on a ledge", [&] { g.Put(25, 13, 3); }, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.event);
        SetUp();
        c.setUp();
        SoundLog heard;
        Step();
        if (c.slot < 0) {
            EXPECT_TRUE(heard.effects.empty());
            continue;
        }
        ASSERT_EQ(heard.effects.size(), 1u);
        EXPECT_EQ(heard.effects[0].slot, c.slot);
        if (c.pitch == kAnyPitch) {
            EXPECT_GE(heard.effects[0].pitch, 0.8f);
            EXPECT_LE(heard.effects[0].pitch, 1.2f);
        } else {
            EXPECT_NEAR(heard.effects[0].pitch, c.pitch, 1e-5);
        }
        EXPECT_TRUE(heard.songs.empty());
    }
}

// The unpitched effects vary from one to the next, so a flap, a death and a
// knock-off never sound machine-made.
TEST_F(PlaySounds, UnpitchedEffectsVary) {
    SoundLog heard;
    for (int i = 0; i < 6; i++) {
        Controls(i % 2, 0, 0);
        G().Play.SpeedY = 0;
        Step();
    }
    ASSERT_EQ(heard.effects.size(), 3u);
    EXPECT_NE(heard.effects[0].pitch, heard.effects[1].pitch);
    EXPECT_NE(heard.effects[1].pitch, heard.effects[2].pitch);
}

TEST_F(PlaySounds, NewGameStartsTheTitleSong) {
    LogCapture log;  // no song file here
    SoundLog heard;
    G().MusicTrack = 0;  // nothing playing yet
    G().GameMode = bh::kModeNewGame;
    G().LoopTarget();
    ASSERT_EQ(G().GameMode, bh::kModePlaying);
    EXPECT_EQ(heard.songs, std::vector<std::string>{"pages.ogg"});
    EXPECT_TRUE(heard.effects.empty());
    G().GameMode = bh::kModeTitle;
}

// The title, the lists, the options and the credits have a song of their
// own. Changing between it and the play song fades the old one out over
// 16 updates before the new one starts, then fades that in: no cut.
TEST_F(PlaySounds, MenuSongAroundTheGameChangesCleanlyToThePlaySongAndBack) {
    MyGame& g = G();
    LogCapture log;  // no song files, no pictures here
    SoundLog heard;
    g.MusicTrack = 0;
    auto updates = [&](int mode, int overlay, int n) {
        for (int i = 0; i < n; i++) {
            g.GameMode = mode;
            g.OverlayScreen = overlay;
            g.Paused = 0;
            ASys.DrawTo = 0;
            g.LoopTarget();
        }
    };
    updates(0, 0, 1);  // the title
    EXPECT_EQ(heard.songs, std::vector<std::string>{"hedgerow.ogg"});
    EXPECT_EQ(ASys.StreamVolume, 0.0f);
    updates(0, 0, 16);
    EXPECT_EQ(ASys.StreamVolume, 1.0f);
    updates(0, 2, 5);  // the credits keep it
    updates(0, 1, 5);  // so do the options
    EXPECT_EQ(heard.songs.size(), 1u);

    // A game: the menu song fades away first.
    float last = 1;
    for (int i = 0; i < 16; i++) {
        updates(10, 0, 1);
        EXPECT_LT(ASys.StreamVolume, last);
        last = ASys.StreamVolume;
        EXPECT_EQ(heard.songs.size(), 1u);
    }
    EXPECT_EQ(ASys.StreamVolume, 0.0f);
    updates(10, 0, 1);
    EXPECT_EQ(heard.songs, (std::vector<std::string>{"hedgerow.ogg", "pages.ogg"}));
    updates(10, 0, 16);
    EXPECT_EQ(ASys.StreamVolume, 1.0f);

    // Back to the title: and the other way round.
    updates(0, 0, 17);
    EXPECT_EQ(heard.songs, (std::vector<std::string>{"hedgerow.ogg", "pages.ogg", "hedgerow.ogg"}));
    EXPECT_EQ(ASys.StreamVolume, 0.0f);
    g.GameMode = bh::kModeTitle;
}

}  // namespace
