// "Settings.sav" and the score file. The score file is trusted only when
// its checksum holds and it carries the same user ID as the settings file;
// otherwise the scores are cleared rather than believed.
#include <cstdio>

#include "MyGame.h"

// Any physical input the bindings can name: nothing, a keyboard key, or a
// button or axis of one of four pads.
static bool InputCode(int v) {
    if (v == 0 || (v >= 32 && v <= 348)) return true;
    return v >= 500 && v < 900 && v % 100 <= 97;
}

// A damaged or foreign file must not leave the player deaf, blinded by a
// huge overscan or without working controls: values the game could never
// have written fall back to their defaults. Each file's settings are checked
// once that file has been read, slots from..to-1.
static void KeepSaneSettings(int* s, int from, int to) {
    for (const bh::Setting& r : bh::kSettings)
        if (r.slot >= from && r.slot < to && (s[r.slot] < r.lowest || s[r.slot] > r.highest)) s[r.slot] = r.initial;
}

static int UserCheck(const int* s) {
    return s[bh::kSettingUserDate] % 37171 + s[bh::kSettingUserTime] % 17021 + s[bh::kSettingUserRandom] % 53496;
}
static int CopyCheck(const int* s) {
    return s[bh::kSettingUserCopyDate] % 53496 + s[bh::kSettingUserCopyTime] % 37171 +
           s[bh::kSettingUserCopyRandom] % 17021;
}
static void ClearUserCopy(int* s) {
    s[bh::kSettingUserCopyDate] = s[bh::kSettingUserCopyTime] = s[bh::kSettingUserCopyRandom] = 0;
}

// The checksum runs in 32-bit wrapping arithmetic; the products are formed
// in 64 bits and cut back so that large scores cannot overflow an int. It
// covers the score file's settings and then every score, in file order.
// A fixed pass over fixed tables, run once per load and save: kept out of
// the sanitizer and fuzzing builds' checks, which would make it most of a
// load's cost and can find nothing in it.
#if defined(__clang__)
__attribute__((noinline, no_sanitize("address", "undefined", "coverage")))
#else
__attribute__((noinline, no_sanitize("address", "undefined")))
#endif
static int
ScoreFileSum(const int* settings, const int* scores, int gameNum) {
    auto cut = [](long long v) { return (int)(unsigned)(unsigned long long)v; };
    const int a = settings[bh::kSettingUserDate] % 5 + 3, b = settings[bh::kSettingUserTime] % 4 + 4,
              c = gameNum % 6 + 2;
    int s = 0;
    for (int i = bh::kFirstScoreFileSetting; i < bh::kSettingSlots; i++)
        s = cut((long long)cut((long long)gameNum + settings[i]) * a + (long long)(b + i) * c + s) % 371653;
    for (int j = 0; j < bh::kScoreTableSize; j++)
        s = cut((long long)cut((long long)gameNum + scores[j]) * a + (long long)(c + j) * b + s) % 371653;
    return s;
}

static const char* ScoreFileName(MyGame& g) { return g.fstr("Save_%i_%s.sav", g.GameNum, g.GameTitle); }

void MyGame::Save() {
    // Whatever a watched replay changes is given back when it ends.
    if (Watching != 0) return;
    if (WriteFile("Settings.sav")) {
        for (int i = 0; i < bh::kFirstScoreFileSetting; i++) WriteInt(Settings[i]);
        for (int k = 0; k < bh::kControls; k++)
            for (int slot = 0; slot < vell::kBindingRows; slot++) WriteInt(KeyValue(k, slot));
        CloseFile();
    } else {
        Debuglog("Could not write Settings.sav, the previous one is kept");
    }
    const char* name = ScoreFileName(*this);
    if (!WriteFile(name)) {
        Debuglog(fstr("Could not write %s, the previous one is kept", name));
        return;
    }
    for (int i = bh::kFirstScoreFileSetting; i < bh::kSettingSlots; i++) WriteInt(Settings[i]);
    for (int j = 0; j < bh::kScoreTableSize; j++) WriteInt(ScoreTable[j]);
    WriteInt(ScoreFileSum(Settings, ScoreTable, GameNum));
    CloseFile();
}

// A control the file left with nothing bound (a zeroed file does that; the
// key screen never can) would lock the player out of the menus, so it gets
// the bindings it had before loading.
static void RestoreUnboundControls(MyGame& g, const int (&before)[bh::kControls][vell::kBindingRows]) {
    for (int k = 0; k < bh::kControls; k++) {
        bool bound = false;
        for (int slot = 0; slot < vell::kBindingRows && !bound; slot++) bound = g.KeyValue(k, slot) != 0;
        if (bound) continue;
        bool any = false;
        for (int slot = 0; slot < vell::kBindingRows; slot++)
            if (before[k][slot]) {
                g.SetKey(k, before[k][slot]);
                any = true;
            }
        if (any) g.Debuglog(g.fstr("Control %i had nothing bound, its defaults are back", k));
    }
}

void MyGame::Load() {
    Debuglog("Load Settings");
    int before[bh::kControls][vell::kBindingRows];
    for (int k = 0; k < bh::kControls; k++)
        for (int slot = 0; slot < vell::kBindingRows; slot++) before[k][slot] = KeyValue(k, slot);
    if (ReadFile("Settings.sav")) {
        for (int i = 0; i < bh::kFirstScoreFileSetting; i++) {
            int v = ReadInt();
            if (v > vell::kReadPastEnd) Settings[i] = v;
        }
        for (int k = 0; k < bh::kControls; k++)
            for (int slot = 0; slot < vell::kBindingRows; slot++) {
                int v = ReadInt();
                if (v > vell::kReadPastEnd && InputCode(v)) SetKey(k, v);
            }
        CloseFile();
        KeepSaneSettings(Settings, 0, bh::kFirstScoreFileSetting);
        RestoreUnboundControls(*this, before);
    }
    if (Settings[bh::kSettingUserCheck] != UserCheck(Settings)) {
        printf("A");
        fflush(stdout);
        Settings[bh::kSettingUserDate] = Settings[bh::kSettingUserTime] = Settings[bh::kSettingUserRandom] = 0;
    }

    Debuglog("Load Scores");
    int expected = 5;
    bool missing = !ReadFile(ScoreFileName(*this));
    if (!missing) {
        for (int i = bh::kFirstScoreFileSetting; i < bh::kSettingSlots; i++) Settings[i] = ReadInt();
        for (int j = 0; j < bh::kScoreTableSize; j++) ScoreTable[j] = ReadInt();
        expected = ReadInt();
    }
    // Trust is decided once and kept as a flag: forcing the sum to 0 on a
    // foreign user ID would let a file whose stored checksum is 0 through.
    bool trusted = !missing && ScoreFileSum(Settings, ScoreTable, GameNum) == expected;
    if (!trusted) ClearUserCopy(Settings);
    CloseFile();
    if (Settings[bh::kSettingUserCopyCheck] != CopyCheck(Settings)) ClearUserCopy(Settings);
    if (missing)
        for (int i = bh::kSettingUserDate; i <= bh::kSettingUserRandom; i++)
            Settings[bh::kFirstScoreFileSetting + i] = Settings[i];
    for (int i = bh::kSettingUserDate; i <= bh::kSettingUserRandom; i++)
        if (Settings[bh::kFirstScoreFileSetting + i] != Settings[i]) trusted = false;

    if (Settings[bh::kSettingUserDate] == 0 && Settings[bh::kSettingUserTime] == 0 &&
        Settings[bh::kSettingUserRandom] == 0) {
        Debuglog("Reset User");
        Settings[bh::kSettingUserDate] = Date_Year() * 10000 + Date_Month() * 100 + Date_Day();
        Settings[bh::kSettingUserTime] = Time_Hour() * 10000 + Time_Minute() * 100 + Time_Second();
        SeedRnd();
        for (int i = 0; i < 100; i++) Rnd(10);
        Settings[bh::kSettingUserRandom] = (int)((float)(Mills() % 1000 * 10000) + Rnd(1000, 9999));
        Settings[bh::kSettingUserCheck] = UserCheck(Settings);
    }
    if (!trusted) {
        Debuglog("Clearing Scoreboard");
        for (int i = bh::kFirstScoreFileSetting; i < bh::kSettingSlots; i++) Settings[i] = 0;
        for (int j = 0; j < bh::kScoreTableSize; j++) ScoreTable[j] = 0;
    }
    for (int i = bh::kSettingUserDate; i <= bh::kSettingUserRandom; i++)
        Settings[bh::kFirstScoreFileSetting + i] = Settings[i];
    Settings[bh::kSettingUserCopyCheck] = CopyCheck(Settings);
    Debuglog(fstr("User ID '%s'", Strip(SixDigitString(Settings[bh::kSettingUserDate], Settings[bh::kSettingUserTime],
                                                       Settings[bh::kSettingUserRandom]))));
    // A first start or a rejected score file leaves no difficulty; the list
    // should then open on Normal rather than wrap round to Hard.
    KeepSaneSettings(Settings, bh::kFirstScoreFileSetting, bh::kSettingSlots);
    Save();
}
