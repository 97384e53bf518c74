// The scratch texts every text result of the engine lives in (defined in
// VellCore_strings.cpp): a ring, so a result stays valid until
// kScratchTexts - 1 further scratch-text calls.
#pragma once

namespace vell {
constexpr int kScratchTexts = 30;
constexpr int kScratchTextSize = 16384;
}  // namespace vell

// The ring's newest entry.
extern int TempstrUse;
