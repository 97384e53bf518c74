// The engine's fixed table sizes and reserved values, named once so the
// recorder, the platform layer and the loaders cannot drift apart.
#pragma once

namespace vell {

// Image slots: 0 to 99 hold the game's pictures and fonts; the engine keeps
// the last screenshot, a read-back scratch copy and the screen copy above.
constexpr int kImageSlots = 105;
constexpr int kLastGameImage = 99;
constexpr int kScreenshotImage = 100;
constexpr int kScratchImage = 101;
constexpr int kScreenCopyImage = 102;

// Sound slots, one OpenAL buffer each.
constexpr int kSoundSlots = 105;

// What ReadInt gives once a file has no four bytes left.
constexpr int kReadPastEnd = -37171;

}  // namespace vell
