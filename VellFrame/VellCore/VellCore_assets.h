// Asset naming under the data folder. Each returns the path in one of the
// engine's scratch texts (valid until vell::kScratchTexts - 1 further
// scratch-text calls).
#pragma once

class VellCore;

// home/Data/GameNum/name.png, or without ".png" added when the name already
// ends in ".png", ".Png" or ".PNG". Backslashes in the name become slashes.
char* ImagePath(VellCore& core, const char* name);
// home/Data/GameNum/audio/kk.wav, the slot with at least two digits.
char* SoundSlotPath(VellCore& core, int slot);
// home/Data/GameNum/audio/name.wav, or name as it is when it ends in a WAV
// extension.
char* SoundNamePath(VellCore& core, const char* name);
// home/Data/GameNum/audio/name, whatever its extension.
char* MusicPath(VellCore& core, const char* name);

// The name with every backslash turned into a slash, so names written with
// Windows separators find the same files.
char* SlashedName(VellCore& core, const char* name);
// Whether the name ends in one of the three spellings of the extension the
// engine knows ("x.wav", "x.Wav", "x.WAV"; "x.wAv" has none).
bool IsWavName(VellCore& core, const char* name);
bool IsOggName(VellCore& core, const char* name);
