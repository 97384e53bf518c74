// Shared helpers for the test suite: capture the debug log, move the clock,
// make scratch folders.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "MyGame.h"

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

std::vector<unsigned char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
