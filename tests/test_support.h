// Shared helpers for the test suite: capture the debug log, move the clock,
// make scratch folders.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "MyGame.h"
#include "Vell_glfw3.h"
#include "VellHooks.h"

// Points the debug log at a temporary file for the life of the object.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    // Every line logged so far, without the "     n> " prefix.
    std::vector<std::string> Lines();
    bool Has(const std::string& text);

private:
    FILE* file_;
};

// A fresh empty folder under /tmp, removed again at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Restarts the engine clock at 0 so tests can move it with MillsOffset.
void ResetClock();

// The draw recorder set for an 800 x 600 virtual screen: records centred
// on (400, 300), sizes and image scales 1.
void RecordAt800x600();

std::vector<unsigned char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);

// Every sound effect and song the game asks for while the object lives.
struct Heard {
    int slot;
    float pitch;
};
class SoundLog {
public:
    SoundLog();
    ~SoundLog();
    std::vector<Heard> effects;
    std::vector<std::string> songs;
    void Clear() {
        effects.clear();
        songs.clear();
    }
};

// What the current draw list shows: runs of glyphs of the font slot read
// back as lines of text, and every other image.
struct ShownText {
    std::string text;
    float x, y;   // centre of the first glyph, in virtual pixels
    float lastX;  // and of the last
};
struct ShownImage {
    int slot, frame;
    float x, y;
};
// They read the list being recorded unless given another (the renderer's
// copy, DrawR with DrawToRT, holds what the last hand-over passed on).
std::vector<ShownText> TextsDrawn(const double* list = ASys.Draw, int count = ASys.DrawTo);
std::vector<ShownImage> ImagesDrawn();
// The texts alone, in drawing order.
std::vector<std::string> LinesDrawn();
bool Drew(const std::string& text);
