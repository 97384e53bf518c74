// Any bytes as the two save files, read by the game's own loader from real
// files. The input is
//   byte 0      bits 0-2, how the score file is made: 5 the bytes as they
//               are, 6 padded to its full length with a checksum that holds,
//               7 the same but with the checksum one off, else absent; bit 3
//               leaves the settings file out
//   bytes 1-2   length of the settings file (little-endian)
//   then        the settings file's bytes, then the score file's bytes.
// A score file whose checksum holds is out of reach of blind mutation, so
// the target writes it: the loader's accepting branches get explored too.
// Any score file costs the loader 22,101 reads; it has few branches of its
// own, so most modes leave it out and the time goes to the settings file.
#include "fuzz_common.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>

// The saves go to a folder that refuses new files, as a read-only one would.
// Load ends with a save; refusing it keeps every input's cost to the reads,
// which are what this target is for.
extern "C" int mkstemp(char*) {
    errno = EROFS;
    return -1;
}

namespace {

const char* const ScoreName = "Save_552_Bramblehop.sav";
const size_t ScoreBytes = 88404;

// The harness's own arithmetic teaches the fuzzer nothing about the game:
// it is left out of the coverage.
#define HARNESS_ONLY __attribute__((no_sanitize("coverage")))

HARNESS_ONLY int IntAt(const uint8_t* p, size_t size, size_t index, int otherwise) {
    if (4 * index + 4 > size) return otherwise;
    const uint8_t* b = p + 4 * index;
    return (int)((unsigned)b[0] | ((unsigned)b[1] << 8) | ((unsigned)b[2] << 16) | ((unsigned)b[3] << 24));
}

HARNESS_ONLY int Cut(long long v) { return (int)(unsigned)(unsigned long long)v; }

// The sum the loader will compute, with the user ID it will hold by then:
// the one in the settings file when its check value holds, else none.
// `score` holds the whole file.
HARNESS_ONLY int ScoreChecksum(const uint8_t* settings, size_t settingsSize, const uint8_t* score) {
    int id[4];
    for (int i = 0; i < 4; i++) {
        id[i] = IntAt(settings, settingsSize, 24 + i, 0);
        if (id[i] <= vell::kReadPastEnd) id[i] = 0;
    }
    if (id[3] != id[0] % 37171 + id[1] % 17021 + id[2] % 53496) id[0] = id[1] = 0;
    int a = id[0] % 5 + 3, b = id[1] % 4 + 4, c = 552 % 6 + 2, s = 0;
    int32_t v[22100];
    memcpy(v, score, sizeof v);  // the file is little-endian, as is this machine
    for (int i = 0; i < 100; i++) s = Cut((long long)Cut(552LL + v[i]) * a + (long long)(b + 100 + i) * c + s) % 371653;
    for (int j = 0; j < 22000; j++)
        s = Cut((long long)Cut(552LL + v[100 + j]) * a + (long long)(c + j) * b + s) % 371653;
    return s;
}

void Prepare() {
    FuzzQuiet();
    // The loader reports missing and unwritable files on standard output.
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 1);
    snprintf(ThisGame.home, sizeof ThisGame.home, "%s", FuzzDir().c_str());
    ThisGame.GameNum = 552;
    snprintf(ThisGame.GameTitle, sizeof ThisGame.GameTitle, "Bramblehop");
    ThisGame.KeyDefaults();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int defaults[1024];
    static bool ready = false;
    if (!ready) {
        Prepare();
        memcpy(defaults, ASys.redef, sizeof defaults);
        ready = true;
    }
    if (size < 3) return 0;
    int mode = data[0] & 7;
    bool noSettings = data[0] & 8;
    size_t settingsSize = (size_t)data[1] | ((size_t)data[2] << 8);
    data += 3;
    size -= 3;
    if (settingsSize > size) settingsSize = size;
    const uint8_t* score = data + settingsSize;
    size_t scoreSize = size - settingsSize;

    std::string settingsPath = FuzzDir() + "/Settings.sav";
    std::string scorePath = FuzzDir() + "/" + ScoreName;
    // The files of the previous input are still there: remove what this one
    // leaves out.
    if (noSettings) {
        unlink(settingsPath.c_str());
        settingsSize = 0;
    } else {
        FuzzWrite("Settings.sav", data, settingsSize);
    }
    if (mode < 5) {
        unlink(scorePath.c_str());
    } else if (mode == 5) {
        FuzzWrite(ScoreName, score, scoreSize);
    } else {
        static uint8_t file[ScoreBytes];
        size_t given = scoreSize < ScoreBytes ? scoreSize : ScoreBytes;
        memcpy(file, score, given);
        memset(file + given, 0, ScoreBytes - given);
        int sum = ScoreChecksum(data, settingsSize, file) + (mode == 7);
        for (int i = 0; i < 4; i++) file[ScoreBytes - 4 + i] = (uint8_t)((unsigned)sum >> (8 * i));
        FuzzWrite(ScoreName, file, ScoreBytes);
    }

    // Each input starts from a fresh start-up's state.
    ThisGame.SetDefaultSettings();
    memcpy(ASys.redef, defaults, sizeof defaults);
    ThisGame.Load();

    // What the rest of the game relies on after any load.
    const int* s = ThisGame.Settings;
    if (ThisGame.DifficultyCursor < bh::kDifficultyEasy || ThisGame.DifficultyCursor > bh::kDifficultyDaily)
        __builtin_trap();
    for (int i = 24; i < 27; i++)
        if (s[100 + i] != s[i]) __builtin_trap();
    if (s[0] < 0 || s[0] > 10 || s[1] < 0 || s[1] > 10 || s[20] < 0 || s[20] > 10) __builtin_trap();
    return 0;
}
