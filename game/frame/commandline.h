// What the program does with its arguments before the game starts.
#pragma once

#include <cstdio>

namespace bh {

// The exit status for `--help`, `--version` or an argument the game does
// not know, or kRunGame when the game should start. Text goes to out
// (answers) and err (mistakes).
constexpr int kRunGame = -1;
int ReadCommandLine(int argc, const char* const* argv, FILE* out, FILE* err);

}  // namespace bh
