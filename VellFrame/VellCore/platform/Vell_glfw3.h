// VellFrame platform layer on GLFW, OpenGL and OpenAL. This header is free
// of platform headers so the engine and the game never see GL or AL types;
// only the Vell_glfw3_*.cpp files include them.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "VellNumbers.h"

class VellSys {
public:
    VellSys();
    ~VellSys();

    // ---- draw-command list and drawing settings ----
    double Draw[vell::kDrawValues];
    int DrawTo;
    float DrawSet[vell::kDrawSetSize];
    int CurBlend;
    int FontImage;

    float VirtualHalfW;
    float VirtualHalfH;
    int WindowWidth;
    int WindowHeight;
    int PolyCount;
    int ObjCount;
    float VirtualWidth;
    float ImageScale;
    float Aspect;
    std::string WebReply;
    int ImageFrames[vell::kImageSlots];
    float ImageUnit[vell::kImageSlots];
    int ImageFrameSize[vell::kImageSlots];
    // Room for the longest base folder the game accepts and the file name.
    char ScreenshotName[4200];

    // ---- music stream ----
    int StreamType;
    int StreamLoop;
    int StreamIndex;
    float StreamPitch;
    float StreamVolume;
    float StreamPan;
    float StreamMasterVolume;

    // ---- input tables ----
    int Button[vell::kButtonSlots];
    float Touch[vell::kTouchSlots];
    float Joy[vell::kJoySlots];
    int redef[vell::kBindingSlots];
    float Keyv[vell::kVirtualKeySlots];

    // ---- start-up, window and video modes (Vell_glfw3_window.cpp) ----
    void SysInit(const char* title);
    void SetScreen(int w, int h);
    void FlipFull();
    void Close();
    void HiResRender();
    // 1 draws every frame at the window's own size; 0 lets a software
    // renderer draw a window too big for it at a reduced size.
    int RenderFull = 0;
    void Force1920();
    bool HasWindow() const;
    void SetWindowIcon(const char* path);
    // Called once if the window system goes away, just before the process
    // ends (Xlib allows nothing else): the game's last chance to save.
    void (*DisplayLost)() = nullptr;

    // ---- renderer (Vell_glfw3_render.cpp) ----
    void RenderBuffer();
    void RenderSys(float overscan);
    void RenderRect(int i);
    void RenderQuad(int i);
    void RenderOval(int i);
    void RenderLine(int i);
    void RenderFan(int i);
    void RenderTri(int i);
    void RenderImage(int i);
    void RenderQuadImage(int i);
    void RenderImageBlur(int i);

    // ---- images, buffers, screenshots (Vell_glfw3_images.cpp) ----
    void GetPNG(int slot, const char* path, unsigned frameSize);
    void Buffer_Create(int slot, int side);
    void Buffer_Fill(int slot, int r, int g, int b, int a);
    void Buffer_Plot(int slot, float x, float y, float r, float g, float b, float a);
    void Buffer_Line(int slot, float x1, float y1, float x2, float y2, float r, float g, float b, float a);
    void Buffer_Tile(int dest, int source, float x, float y, int frame);
    void GrabBuffer();
    void Screenshot();
    void SavePNG(const char* path, int slot, int width, int height);

    // ---- sound effects (Vell_glfw3_audio.cpp) ----
    void AudioStart();
    void AudioClose();
    void GetWAV(int slot, const char* path);
    void PlayWAV(int slot, float pitch, float volume, float pan, int loop);
    // Called every pass of the game loop with its clock: notices a sound
    // device that went away and brings back one that appears.
    void AudioWatch(int mills);

    // ---- music streaming (Vell_glfw3_music.cpp) ----
    void PlayMusic_Wav_Sys(const char* path, int loop);
    void PlayMusic_Ogg_Sys(const char* path, int loop);
    void BufferMusic_Wav_Sys();
    void BufferMusic_Ogg_Sys();
    void HandleMusicSys();
    void StopMusicSys();

    // ---- input polling and key definition (Vell_glfw3_input.cpp) ----
    void PollInputB(int flipY);
    void FlushKeys();
    int IsBut(int i);
    float vKey(int i);
    float vKey(int key, int player);
    void ClearKeys();
    void DefineKey(int key, int code);
    void LockAll();
    int AnyKey();
    void PollRedef();
    const char* ButtonName(int code);
    // Pads 0 to 3 take part only while both their presence flags are set.
    bool PadCounted(int pad) const;
    // Set above 0 to make the next poll a text-entry one: the keys that
    // type then drive no control, and what they typed can be read.
    int TextEntry = 0;
    // Moves what this poll typed (Unicode code points, kTypedBackspace for
    // Backspace) into out, at most room of them; returns how many.
    int TakeTyped(unsigned* out, int room);

    // ---- pads: standard layout, mappings, plugging (Vell_glfw3_pads.cpp) ----
    // Reads the four pads (after any joystick events) and notes whether the
    // newest press came from a pad; keyPressed: a key or click this poll.
    void PollPads(int flipY, bool keyPressed);
    // Adds gamepad mappings from SDL_GAMECONTROLLERCONFIG and from
    // folder/gamecontrollerdb.txt when there is one.
    void LoadPadMappings(const char* folder);
    // Hands text's mapping lines to GLFW one at a time; a bad line is logged
    // and skipped. Returns the lines GLFW took.
    int AddPadMappings(const char* text, const char* source);
    // While set, pads that GLFW knows as gamepads are read in the standard
    // layout; otherwise every pad is read raw.
    bool StandardPads = true;
    // 1 while pad p is read in the standard layout, 0 while raw.
    int PadLayout[vell::kPads] = {};
    // The pad the newest press came from, or -1 for the keyboard or mouse.
    int LastInput = -1;
    // True once after a pad that counted went away.
    bool TakePadLost();
    // A pad input as a player knows it: "A", "D-pad Up", or "Button 3".
    const char* PadInputName(int code);
    // Whether the key or pad input with this code is held in this poll.
    bool CodeDown(int code);

    // ---- files, HTTP fetch, system queries (Vell_glfw3_files.cpp) ----
    int WriteFile_Sys(const char* path);
    void WriteInt_Sys(int n);
    void WriteByte_Sys(char ch);
    void WriteString_Sys(const char* text);
    int ReadFile_Sys(const char* path);
    int ReadInt_Sys();
    int ReadByte_Sys();
    char* ReadString_Sys();
    void CloseFile_Sys();
    void URLData(const char* host, const char* path);
    const char* SystemUsername();
    char* fstrSys(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Debuglog(const char* text);
};

extern VellSys ASys;

// ---- platform globals ----
extern int isFullscreen;
extern char GameTitleSys[1024];
extern int DebugMessages;

// Renderer state.
extern double DrawR[vell::kRenderValues];
extern int DrawToRT;
extern int DrawToR;
extern int TexUse;
extern int TriCount;
extern int RenderMode;
extern int Wireframe;
extern float OverscanScaleX;
extern float OverscanScaleY;
extern float ThickUse;
extern int Frames;
extern int RenderFrames;
extern double GLtime;
// Blur copies start all zero and are rarely written. Taken from calloc and
// never filled element by element, their pages stay untouched, and out of
// the game's memory use, until something draws into them.
template <class T>
struct ZeroedAlloc {
    using value_type = T;
    ZeroedAlloc() = default;
    template <class U>
    ZeroedAlloc(const ZeroedAlloc<U>&) {}
    T* allocate(size_t n) {
        void* p = calloc(n ? n : 1, sizeof(T));
        if (!p) abort();  // as operator new would throw; nothing to carry on with
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t) { free(p); }
    template <class U>
    void construct(U*) {}  // leaves calloc's zeros in place
    template <class U, class... A>
    void construct(U* p, A&&... a) {
        ::new ((void*)p) U(static_cast<A&&>(a)...);
    }
    template <class U>
    bool operator==(const ZeroedAlloc<U>&) const {
        return true;
    }
    template <class U>
    bool operator!=(const ZeroedAlloc<U>&) const {
        return false;
    }
};
using BlurPixels = std::vector<unsigned char, ZeroedAlloc<unsigned char>>;

// Image tables.
extern std::vector<unsigned char> Image[vell::kImageSlots];
extern BlurPixels ImageBlur[vell::kImageSlots];
// Gives slot s a fresh all-zero blur copy of n bytes.
void ZeroBlur(int s, size_t n);
extern int iSize[vell::kImageSlots];
extern int iFramesW[vell::kImageSlots];
extern float iFramesWz[vell::kImageSlots];
// Anything that writes Image[] or ImageBlur[] directly must call
// ImageChanged for that slot: the renderer keeps each texture until then.
void ImageChanged(int slot);
extern std::vector<unsigned char> WhiteBlock;

// Input.
extern int ignorePress[vell::kBindingSlots];
extern std::string KeyName[350];
extern int UpdateFrames;
