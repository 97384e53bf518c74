// Shared by the fuzz targets: a scratch folder in memory and a quiet log.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "MyGame.h"
#include "Vell_glfw3.h"
#include "VellHooks.h"

inline const std::string& FuzzDir() {
    static std::string dir = [] {
        char pattern[] = "/dev/shm/bramblehop-fuzz-XXXXXX";
        char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir;
}

// Written with plain system calls: a stream would cost an allocation and,
// under the address checker, fresh pages for every input.
inline std::string FuzzWrite(const char* name, const uint8_t* data, size_t size) {
    std::string path = FuzzDir() + "/" + name;
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        for (size_t done = 0; done < size;) {
            ssize_t n = write(fd, data + done, size - done);
            if (n <= 0) break;
            done += (size_t)n;
        }
        close(fd);
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
