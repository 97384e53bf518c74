// Replays: a game's outside readings (controls, pointer, clock) per update,
// written compactly so that playing them back through the real update gives
// the same game. The format is read as data from outside: any bytes are
// either a whole, checked replay or refused with a reason.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tape {

constexpr int kFormat = 2;
// The input tables an update reads, in this order: buttons, pointers, pads,
// controls;
constexpr int kButtons = 128, kTouches = 100, kPadValues = 400, kControlValues = 128;
// then the screen it lays out on (the window's shape decides it), width and
// height;
constexpr int kViewValues = 2;
// and last whether a pointer was down as the update began.
constexpr int kInputs = kButtons + kTouches + kPadValues + kControlValues + kViewValues + 1;
constexpr int kLocks = 100;
constexpr int kMisc = 15;
constexpr int kSettings = 200;
// Far beyond any game (a ten-minute one takes a few tens of kilobytes), and
// a bound on what a file may claim.
constexpr size_t kMaxBytes = 2u << 20;
constexpr int kMaxUpdates = 60 * 60 * 60 * 4;  // four hours at 60 updates a second
// Inputs further from zero than this are no reading a device gives.
constexpr float kLargestInput = 1000000.0f;

// What a recorded game started from, and how it ended.
struct Head {
    char version[16];  // the game's version that recorded it
    int score;
    int date;  // yyyymmdd
    int updates;
    int difficulty;
    int daily;  // the day's caves (yyyymmdd), 0 for the clock's
    int clock;  // the reading before the first update
    int musicTrack;
    float musicFade;
    uint64_t digest;
    int settings[kSettings];  // as the game found them: screens show some, Less Motion changes play's pictures
    int rng[6];
    int keyLock[kLocks], touchLock[kLocks];
    // The pointer's place, the pause row's, the options list's and the key
    // screen's counters: the screens a paused game opens read them before
    // setting them.
    int misc[kMisc];
    float hover[2];
    // The background colour shown and the one it fades to, with the fade:
    // play only sets where it fades to.
    float clear[7];
    float inputs[kInputs];  // the tables as the first update finds them
};

// Builds a replay one update at a time in fixed tables.
class Writer {
public:
    void Begin(const Head& head);
    // False once the tables are full: the game goes on, the replay is lost.
    bool Add(int step, const float* inputs);
    // The whole file in out (room bytes); its length, or 0 when it does not fit.
    size_t Finish(Head& head, uint8_t* out, size_t room);
    int Updates() const { return updates_; }
    size_t StreamBytes() const { return size_; }

private:
    void Put(uint64_t v);
    void FlushRun();
    uint8_t stream_[kMaxBytes];
    size_t size_ = 0;
    bool full_ = false;
    float last_[kInputs];
    int lastStep_ = 0, run_ = 0, updates_ = 0;
};

// Reads a replay back. Open checks the whole file before anything plays:
// a refused file leaves why with the reason for the log.
class Reader {
public:
    bool Open(const uint8_t* data, size_t size, const char*& why);
    const Head& head() const { return head_; }
    // The next update's clock step and input tables; false after the last.
    bool Next(int& step, float* inputs);
    bool Done() const { return !stream_ || done_ >= head_.updates; }

private:
    bool Decode(int& step, float* inputs, const char*& why);
    bool Get(uint64_t& v);
    Head head_;
    const uint8_t* stream_ = nullptr;
    size_t size_ = 0, at_ = 0;
    int run_ = 0, lastStep_ = 0, done_ = 0;
    float last_[kInputs];
};

uint64_t Fnv(const void* data, size_t n, uint64_t h = 1469598103934665603ull);

// Whether a watched replay wears its label; the tests that compare its
// pictures with the game's take it off.
extern bool LabelShown;

}  // namespace tape
