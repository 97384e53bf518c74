// Shared by the fuzz targets: a scratch folder in memory and a quiet log.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "MyGame.h"
#include "VellHooks.h"

inline const std::string& FuzzDir() {
    static std::string dir = [] {
        char pattern[] = "/dev/shm/bramblehop-fuzz-XXXXXX";
        char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

inline std::string FuzzWrite(const char* name, const uint8_t* data, size_t size) {
    std::string path = FuzzDir() + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (f) {
        if (size) fwrite(data, 1, size, f);
        fclose(f);
    }
    return path;
}

// The debug log would drown the fuzzer's own output. It flushes every line,
// so even /dev/null would cost a system call per line: the sink drops the
// text without leaving the process.
inline void FuzzQuiet() {
    static FILE* sink = [] {
        cookie_io_functions_t drop = {};
        drop.write = [](void*, const char*, size_t n) -> ssize_t { return (ssize_t)n; };
        return fopencookie(nullptr, "w", drop);
    }();
    DebuglogOut = sink;
}
