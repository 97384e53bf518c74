#include "test_support.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include <gtest/gtest.h>

#include "Vell_glfw3_audio.h"
#include "Vell_glfw3_internal.h"
#include "VellHooks.h"

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

void RecordAt800x600() {
    rw2 = 400;
    rh2 = 300;
    ViewScale = 2.0f / 800.0f;
    ASys.ImageScale = 1.0f;
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

// ---- what an update asked to hear ----

namespace {
SoundLog* listening = nullptr;
void HeardEffect(int slot, float pitch) { listening->effects.push_back(Heard{slot, pitch}); }
void HeardSong(const char* name) { listening->songs.push_back(name); }
}  // namespace

SoundLog::SoundLog() {
    listening = this;
    SoundAsked = &HeardEffect;
    MusicAsked = &HeardSong;
}

SoundLog::~SoundLog() {
    listening = nullptr;
    SoundAsked = nullptr;
    MusicAsked = nullptr;
}

// ---- what an update drew ----

std::vector<ShownText> TextsDrawn(const double* list, int count) {
    std::vector<ShownText> out;
    bool open = false;  // the previous record was a glyph
    double nx = 0, ny = 0;
    for (int i = 0; i < count; i++) {
        const double* r = &list[30 * i];
        if (r[0] != 11 || r[28] != ASys.FontImage) {
            open = false;
            continue;
        }
        int f = (int)r[29];
        double x = r[1] + rw2, y = r[2] + rh2;
        char c = (char)(f + 32);
        // A glyph that does not sit where the previous one's advance ends
        // starts another text.
        if (!open || std::fabs(x - nx) > 0.05 || std::fabs(y - ny) > 0.05)
            out.push_back(ShownText{"", (float)x, (float)y, (float)x});
        out.back().text += c;
        out.back().lastX = (float)x;
        double step = (f >= 0 && f < 136 ? fontw[f] - 1 : 0) * ViewScale * r[21];
        double a = r[18] * 0.0174532925;
        nx = x + step * std::sin(a + 1.5707963);
        ny = y - step * std::cos(a + 1.5707963);
        open = true;
    }
    return out;
}

std::vector<ShownImage> ImagesDrawn() {
    std::vector<ShownImage> out;
    for (int i = 0; i < ASys.DrawTo; i++) {
        const double* r = &ASys.Draw[30 * i];
        if (r[0] != 11 || r[28] == ASys.FontImage) continue;
        out.push_back(ShownImage{(int)r[28], (int)r[29], (float)(r[1] + rw2), (float)(r[2] + rh2)});
    }
    return out;
}

std::vector<std::string> LinesDrawn() {
    std::vector<std::string> out;
    for (const ShownText& t : TextsDrawn()) out.push_back(t.text);
    return out;
}

bool Drew(const std::string& text) {
    for (const ShownText& t : TextsDrawn())
        if (t.text == text) return true;
    return false;
}

// ---- one reset of every global before each test ----
//
// The game object, the platform object and the engine's tables are globals
// that every test shares when the suite runs in one process. Each test
// starts from the state the program had before the first test ran, as if it
// had a process of its own: plain data is copied back from a snapshot taken
// at start-up, and the few tables that own memory are emptied.
namespace {

struct Region {
    void* at;
    size_t size;
    std::vector<unsigned char> saved;
};

std::vector<Region>& Regions() {
    static std::vector<Region> r;
    return r;
}

void Keep(void* from, void* to) { Regions().push_back(Region{from, (size_t)((char*)to - (char*)from), {}}); }
template <class T>
void Keep(T& whole) {
    Keep(&whole, &whole + 1);
}

void TakeSnapshot() {
    MyGame& g = ThisGame;
    Keep(static_cast<VellCore&>(g));
    // MyGame's own fields, around its strings and the 48 MB map (which
    // FlushGame clears where it is used).
    Keep(&g.ScreenW, &g.CreditLines[0]);
    Keep(&g.CreditCount, &g.TileMap[0]);
    Keep(&g.Play, &g + 1);
    // The platform object, around its reply string; the draw records
    // themselves are dead once DrawTo is back at 0.
    Keep(&ASys.DrawTo, &ASys.WebReply);
    Keep(&ASys.ImageFrames[0], &ASys + 1);
    Keep(UpdateCountLive);
    Keep(RenderCountLive);
    Keep(rw2);
    Keep(rh2);
    Keep(iBump);
    Keep(ViewFitW);
    Keep(ViewFitH);
    Keep(ViewScale);
    Keep(DebugToggle);
    Keep(ScreenshotToggle);
    Keep(MillsOffset);
    Keep(MillsFrozen);
    Keep(jRand_Seed);
    Keep(jRand_Count);
    Keep(jRand_Bit);
    Keep(jRand_Plus);
    Keep(jRand_Out);
    Keep(jRand_tSeed);
    Keep(TempstrUse);
    Keep(ALsourcebuffer);
    Keep(ALChannel);
    Keep(ALbufferActive);
    Keep(SFXData);
    Keep(iSize);
    Keep(iFramesW);
    Keep(iFramesWz);
    Keep(ignorePress);
    Keep(UpdateFrames);
    Keep(DrawToRT);
    Keep(DrawToR);
    Keep(Wireframe);
    Keep(URLPort);
    Keep(FakeClocks);
    Keep(FakeSteadyMs);
    Keep(FakeWallMs);
    Keep(RenderShortcuts);
    Keep(ScreenshotTaken);
    Keep(OggDecoderSpare);
    for (Region& r : Regions()) r.saved.assign((unsigned char*)r.at, (unsigned char*)r.at + r.size);
}

void RestoreSnapshot() {
    for (Region& r : Regions()) memcpy(r.at, r.saved.data(), r.size);
    for (auto& line : ThisGame.CreditLines) line.clear();
    ASys.WebReply.clear();
    for (int s = 0; s < 105; s++) {
        std::vector<unsigned char>().swap(Image[s]);
        BlurPixels().swap(ImageBlur[s]);
    }
    ForgetMissingImages();
    gettimeofday(&starttick, nullptr);
    DebuglogOut = nullptr;
    RenderBeforeSwap = nullptr;
    PollInputHook = nullptr;
    SoundAsked = nullptr;
    MusicAsked = nullptr;
}

class GlobalReset : public ::testing::EmptyTestEventListener {
    void OnTestProgramStart(const ::testing::UnitTest&) override { TakeSnapshot(); }
    void OnTestStart(const ::testing::TestInfo&) override { RestoreSnapshot(); }
};

const bool kResetInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new GlobalReset);
    return true;
}();

}  // namespace
