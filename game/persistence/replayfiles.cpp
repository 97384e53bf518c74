// The best run on each difficulty, kept as a replay file in the save
// folder. Written like the saves (a temporary file renamed over the old
// one); read as data from outside, so a file that is damaged, cut short,
// foreign or hostile is refused with one log line.
#include <cstdio>

#include "MyGame.h"
#include "gameplay/replay.h"

namespace {

uint8_t FileBytes[tape::kMaxBytes + 65536];

const char* ReplayName(MyGame& g, int difficulty) {
    static const char* const names[4] = {"", "Easy", "Normal", "Hard"};
    if (difficulty < bh::kDifficultyEasy || difficulty > bh::kDifficultyHard) difficulty = bh::kDifficultyNormal;
    return g.fstr("Best_%s.replay", names[difficulty]);
}

// The demo shipped with the game's data, played while no best run is kept.
const char kShippedDemo[] = "demo.replay";

// The whole file, or 0 bytes when there is none or it cannot be a replay
// (why says which; "" when there is simply no file).
size_t ReadReplayAt(const char* path, const char*& why) {
    why = "";
    FILE* f = fopen(path, "rb");
    if (!f) return 0;
    size_t n = fread(FileBytes, 1, sizeof FileBytes, f);
    bool more = fgetc(f) != EOF;
    bool failed = ferror(f) != 0;
    fclose(f);
    if (failed) why = "it could not be read";
    else if (more) why = "it is too large";
    else if (n == 0) why = "it is empty";
    return why[0] ? 0 : n;
}

size_t ReadReplay(MyGame& g, const char* name, const char*& why) {
    return ReadReplayAt(g.fstr("%s/%s", g.SaveFolder(), name), why);
}

}  // namespace

void MyGame::KeepBestReplay(const unsigned char* data, size_t size, int difficulty, int daily, int score) {
    if (Watching || daily != 0) return;
    const char* name = ReplayName(*this, difficulty);
    const char* why;
    size_t n = ReadReplay(*this, name, why);
    static tape::Reader kept;
    if (n > 0 && kept.Open(FileBytes, n, why) && kept.head().score >= score) return;
    if (!WriteFile(name)) {
        Debuglog(fstr("Could not write %s, the previous one is kept", name));
        return;
    }
    for (size_t i = 0; i < size; i++) WriteByte((char)data[i]);
    CloseFile();
    Debuglog(fstr("Kept this run as %s (%zu bytes, score %i)", name, size, score));
}

bool MyGame::WatchBestRun(int difficulty, int kind) {
    const char* name = ReplayName(*this, difficulty);
    const char* why;
    size_t n = ReadReplay(*this, name, why);
    if (n == 0 && !why[0] && kind == bh::kWatchDemo) {
        name = kShippedDemo;
        n = ReadReplayAt(fstr("%s/Data/%i/%s", home, GameNum, name), why);
    }
    if (n == 0 && !why[0]) {
        // The title asks every half minute; once is enough to say so.
        static bool toldDemo = false;
        if (kind == bh::kWatchReplay || !toldDemo) Debuglog(fstr("No best run to watch yet (%s)", name));
        if (kind == bh::kWatchDemo) toldDemo = true;
        return false;
    }
    if (n == 0 || !WatchReplay(FileBytes, n, kind, why)) {
        Debuglog(fstr("Replay %s refused: %s", name, why));
        return false;
    }
    Debuglog(fstr(kind == bh::kWatchDemo ? "Demo of %s" : "Watching %s", name));
    return true;
}
