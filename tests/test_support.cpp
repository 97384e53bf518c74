#include "test_support.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

#ifdef BRAMBLEHOP_SANITIZE
// Mesa's software driver is unloaded at glfwTerminate and LeakSanitizer then
// reports its allocations from an unknown module; keeping it loaded avoids
// the false report.
__attribute__((constructor)) static void KeepSwrastLoaded() {
    dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_LAZY | RTLD_NODELETE);
}
#endif

LogCapture::LogCapture() {
    file_ = tmpfile();
    DebuglogOut = file_;
}

LogCapture::~LogCapture() {
    DebuglogOut = nullptr;
    if (file_) fclose(file_);
}

std::vector<std::string> LogCapture::Lines() {
    std::vector<std::string> out;
    fflush(file_);
    rewind(file_);
    char line[20000];
    while (fgets(line, sizeof line, file_)) {
        std::string s(line);
        if (!s.empty() && s.back() == '\n') s.pop_back();
        size_t mark = s.find("> ");
        out.push_back(mark == std::string::npos ? s : s.substr(mark + 2));
    }
    fseek(file_, 0, SEEK_END);
    return out;
}

bool LogCapture::Has(const std::string& text) {
    for (const auto& l : Lines())
        if (l == text) return true;
    return false;
}

TempDir::TempDir() {
    char pattern[] = "/tmp/bramblehop-test-XXXXXX";
    char* made = mkdtemp(pattern);
    path_ = made ? made : "/tmp";
}

TempDir::~TempDir() {
    if (path_.rfind("/tmp/bramblehop-test-", 0) == 0) {
        std::string cmd = "rm -rf '" + path_ + "'";
        if (system(cmd.c_str()) != 0) {
        }
    }
}

void ResetClock() {
    RestartClock();
    MillsOffset = 0;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}
