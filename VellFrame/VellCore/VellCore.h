// VellFrame: the game-facing engine class. The game only ever talks to
// VellCore; VellCore forwards every platform request to the one VellSys,
// whose header the game never sees. The engine's free state that the game
// may read comes with it, each part from the header of the file that
// defines it; those headers never include this one.
#pragma once

#include <cstdint>

#include "VellCore_frame.h"
#include "VellCore_random.h"
#include "VellCore_strings.h"
#include "VellFontWidths.h"
#include "VellNumbers.h"

class VellCore {
public:
    // ---- engine state (order matters: the game object starts with it) ----
    char GameTitle[1024];
    int GameNum;
    int GameVersion;
    char GameKey[1024];
    char GameScramble[64];
    float SFXVol;
    float MusicVol;
    char Tempstr[vell::kScratchTexts][vell::kScratchTextSize];
    int UpdateSec;
    int UpdateCount;
    int RenderSec;
    int RenderCount;
    int PolyCountR;
    int Active;
    int NextUpdate;
    int NextRender;
    int GameBreak;
    int LoadTo;
    int DebugMode;
    int ScreenshotMode;
    int MixJoy;
    int RealW;
    int RealH;
    char home[4100];
    // Where saves and screenshots go when the game's own folder cannot take
    // them (an installed copy); empty means beside the game, in home.
    char savehome[4100];
    float Overscan;
    float LastColPointX;
    float LastColPointY;

    // ---- frame presentation, start-up and shutdown (VellCore_frame.cpp) ----
    void Begin(int number, const char* title);
    const char* SaveFolder() const { return savehome[0] ? savehome : home; }
    void Terminate();
    void RenderGame(float& width, float& height);
    // Keeps a box of w x h virtual pixels in view at any window shape from
    // the next render on: the virtual screen is widened or heightened to
    // the window's shape around it. FitView(0, 0) goes back to the fixed
    // vell::kBaseScreenW (or vell::kTallScreenW when taller than wide)
    // virtual pixels across.
    void FitView(float w, float h);
    // Lays the screen out as exactly w x h virtual pixels from the next
    // render on, whatever the window's shape, centred in it with bands
    // where the shapes differ; HoldView(0, 0) lets the window decide again.
    // A replay watched in another window plays on the screen it was
    // recorded on.
    void HoldView(float w, float h);
    void BufferGame();
    void FlipFullscreen();
    // true: every frame at the window's own size; false: a software
    // renderer may draw a big window at a reduced size, for speed.
    void SetRenderFull(bool full);
    int Mills();
    // Holds Mills() at one reading until ReleaseClock: every part of an
    // update then sees the same time, which a replay can give back.
    void HoldClock(int reading);
    void ReleaseClock();
    void Rest(int ms);
    int StartTick();
    // Whether Begin opened a window; without one nothing is drawn or read.
    bool HasWindow();
    // The window's icon: the picture name from the data folder, named as
    // for LoadImg.
    void SetWindowIcon(const char* name);
    // Called once if the window system goes away, just before the process
    // ends (Xlib allows nothing else): the game's last chance to save.
    void OnDisplayLost(void (*save)());

    // ---- drawing state and the draw-command list (VellCore_draw.cpp) ----
    void ResetDraw();
    void SetCol(float r, float g, float b);
    void SetCol(float r, float g, float b, float a);
    void SetAlpha(float a);
    void Alpha(float a);
    void SetGradient(float r1, float g1, float b1, float a1, float r2, float g2, float b2, float a2);
    void Ink(int n);
    void InkRot(float hue);
    void InkRot(float hue, float s);
    void InkRot(float hue, float s, float v);
    void HSV2RGB(double hue, double s, double v);
    void SetSize(float s);
    void SetSize(float sx, float sy);
    void SetRot(float degrees);
    void SetLineThickness(float t);
    void Width(float t);
    void Thick(float t);
    void SetLineWidth(float t);
    void SetLineThick(float t);
    void Smooth(int n);
    void SetSmooth(int n);
    void SetBlend(int mode);
    void CLS(float r, float g, float b);
    void SetCLS(float r, float g, float b);
    void FadeCLS(float r, float g, float b, float rate);
    void SetCLSRot(float hue, float lo, float hi);
    void Rect(float x, float y, float w, float h);
    void Rect(float x, float y, float s);
    void Plot(float x, float y);
    void Rect_UL(float x, float y, float s);
    void Rect_UL(float x, float y, float w, float h);
    void Oval(float x, float y, float w, float h);
    void Oval(float x, float y, float r);
    void Circle(float x, float y, float r);
    void Oval_UL(float x, float y, float w, float h);
    void Oval_UL(float x, float y, float r);
    void Circle_UL(float x, float y, float r);
    void Quad(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
    void FullTri(float x1, float y1, float x2, float y2, float x3, float y3);
    void Tri(float x, float y, float w, float h);
    void Tri_Fix(float x, float y, float w, float h, float f);
    void Fan(float x, float y, float r);
    void Line(float x1, float y1, float x2, float y2);
    void DrawImg(int slot, float x, float y);
    void DrawImg(int slot, float x, float y, int frame);
    void DrawBlur(int slot, float x, float y);
    void DrawBlur(int slot, float x, float y, int frame);
    void QuadImg(int slot, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, int frame);
    void DrawBuffer();
    void Getdef(int index);
    // The frame's draw list so far, vell::kRecordSize values a record;
    // TakeDrawList returns how many records it copied into out (room for
    // vell::kMaxRecords), GiveDrawList makes records the frame's list. A
    // replay that stands still shows its last picture again through them.
    int TakeDrawList(double* out);
    void GiveDrawList(const double* records, int count);
    // The background colour shown, the one it fades to and the fade:
    // vell::kBackgroundValues floats from vell::kSetClearRed on.
    void TakeBackground(float* out);
    void GiveBackground(const float* in);

    // ---- text (VellCore_text.cpp) ----
    void LoadFont(int slot, const char* name);
    void SetFont(int slot);
    void Text(float x, float y, const char* text);
    void Text(float x, float y, const char* text, float align);
    void Text(float x, float y, const char* text, float align, float extra);
    void Text(float x, float y, char c);
    void Text(float x, float y, char c, float align);
    void Text(float x, float y, char c, float align, float extra);
    float StringWidth(const char* text);
    float StringWidth(char c);
    float CharWidth(char c);

    // ---- input queries (VellCore_input.cpp) ----
    void PollInput(int invert);
    int PlayKey(int index);
    int PlayKeyAll(int index);
    float Joy(int vkey);
    float StickX();
    float StickY();
    int JoyDown(int button);
    int JoyDown(int button, int pad);
    float JoyAxis(int axis);
    float JoyAxis(int axis, int pad);
    const char* KeyName(int code);
    void SetKey(int vkey, int code);
    int KeyValue(int vkey, int slot);
    void LockForGet();
    int GetKey();
    void FlushKeys();
    // Adds gamepad mappings from SDL_GAMECONTROLLERCONFIG and from a
    // "gamecontrollerdb.txt" in the save folder; call once the window is up.
    void LoadPadMappings();
    // 1: pads with a mapping are read in the standard layout; 0: all raw.
    void StandardPadLayout(int on);
    // 1 once after a pad that was in use went away (its values are gone).
    int PadLost();
    // The pad (0 to 3) the newest press came from, or -1: keyboard or mouse.
    int LastInputPad();
    // A pad input code as the player knows it: "A" on a pad read in the
    // standard layout, "Button 3" on others.
    const char* PadInputName(int code);
    // 1 while the key or pad input with this code is held.
    int InputDown(int code);
    // A screen that takes typed text asks for it every update; the keys
    // that type then drive no control until it stops asking.
    void TextInput();
    // What was typed before this update's poll, once: code points, and
    // vell::kTypedBackspace for Backspace. Returns how many went into out.
    int TakeTyped(unsigned* out, int room);
    int mdall();
    float MouseX();
    float MouseX(int t);
    float MouseY();
    float MouseY(int t);
    int MouseDown();
    int MouseDown(int t);
    int MouseDown_Alt();
    int MouseDown_Alt(int t);
    int MouseHeld();
    int MouseHeld(int t);
    float TouchX();
    float TouchX(int t);
    float TouchY();
    float TouchY(int t);
    int TouchDown();
    int TouchDown(int t);
    int TouchDown_Alt();
    int TouchDown_Alt(int t);
    int TouchHeld();
    int TouchHeld(int t);
    int MouseIn(float x, float y, float w, float h);
    int MouseIn_Centered(float cx, float cy, float w, float h);
    int MouseIn_Radius(float x, float y, float r);
    int Button(int slot, float x, float y, int frame);
    // A fixed key's Button slot just as the poll left it, with no pad mixed
    // in (PlayKey mixes them); 0 outside the table.
    int PolledKey(int slot);

    // ---- recording and replay (VellCore_input.cpp) ----
    // Everything a poll leaves for an update to read, as vell::kInputValues
    // floats: Button, then Touch, Joy and Keyv, each whole and in order.
    // GiveInputs puts such tables in place of the poll's, except the Button
    // slots keep(slot) says stay as polled.
    void TakeInputs(float* out);
    void GiveInputs(const float* in, bool (*keep)(int slot));
    // The key bindings, vell::kBindingSlots codes (see KeyValue).
    void TakeBindings(int* out);
    void GiveBindings(const int* in);

    // ---- sound effects and music (VellCore_sound.cpp) ----
    void LoadSFX(int slot);
    void LoadSFX(int slot, const char* name);
    void PlaySFX(int slot);
    void PlaySFX(int slot, float pitch);
    void PlaySFX(int slot, float pitch, float volume);
    void PlaySFX(int slot, float pitch, float volume, float pan);
    void PlaySFX(int slot, float pitch, float volume, float pan, int loop);
    void PlayMusic(const char* name);
    void PlayMusic(const char* name, int loop);
    void StopMusic();
    void MusicHandler();
    void MusicPitch(float p);
    void MusicPan(float p);
    void MusicVolume(float v);

    // ---- pictures, sheets, buffers and screenshots (VellCore_images.cpp) ----
    void LoadImg(int slot, const char* name, int frameSize);
    void CreateBuffer(int slot, int size);
    void BufferCLS(int slot);
    void BufferFill(int slot, int r, int g, int b, int a);
    void BufferLine(int slot, float x1, float y1, float x2, float y2);
    void BufferPlot(int slot, float x, float y);
    void BufferTile(int slot, int source, float x, float y, int frame);
    void TakeScreenshot();
    void CopyBuffer();

    // ---- random numbers (VellCore_random.cpp) ----
    void SeedRnd(int seed);
    void SeedRnd();
    float Rnd(float lo, float hi);
    float Rnd(float hi);
    int Rand(float lo, float hi);
    int Rand(float hi);
    float tRnd(float lo, float hi);
    float tRnd(float hi);
    int tRand(float lo, float hi);
    int tRand(float hi);

    // ---- trigonometry, geometry and collisions (VellCore_geometry.cpp) ----
    float Sin(float degrees);
    float Cos(float degrees);
    float Mod(float a, float b);
    float Abs(float x);
    int Abs(int x);
    float WhichWayDoIGo(float a, float b);
    float WhichWayDoIGo(float a, float b, float lo, float hi);
    float Dist(float x1, float y1, float x2, float y2);
    float Pyth(float a, float b);
    int Collide_Point_Circle(float px, float py, float cx, float cy, float r);
    int Collide_Circle_Circle(float x1, float y1, float r1, float x2, float y2, float r2);
    int Collide_Line_Line(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
    int Collide_Rect_Rect(float x1, float y1, float w1, float h1, float x2, float y2, float w2, float h2);
    int Collide_Rect_Rect_Complex(float x1, float y1, float w1, float h1, float x2, float y2, float w2, float h2);

    // ---- strings, dates, files and other utilities (VellCore_strings.cpp,
    //      VellCore_files.cpp) ----
    char* fstr(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void tstr(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int Debuglog(const char* text);
    int DebugLog(const char* text);
    int Debug(const char* text);
    int Print(const char* text);
    char Char64b(int value);
    char Char64(int value);
    int Int64(char c);
    char* Char64x4(int64_t n);
    int Int64x4(const char* four);
    char* nth(int n);
    char* Trim(const char* text);
    char* Split(const char* text, char sep, int n);
    int SplitCount(const char* text, char sep);
    char* Strip(const char* text);
    char* Right(const char* text, int n);
    char* Mid(const char* text, int start, int n);
    char* Left(const char* text, int n);
    char* LeftPad(const char* text, int n, char c);
    char* RightPad(const char* text, int n, char c);
    char* iniLeft(const char* text);
    char* iniRight(const char* text);
    char* SixDigitString(int64_t a, int64_t b, int64_t c);
    char* SixDigitString(int64_t a, int64_t b);
    char* SixDigitString(int64_t a);
    int64_t SixDigitString(const char* text);
    char* Hex(int n);
    char* Bin(int n);
    int HexToInt(const char* text);
    int BinToInt(const char* text);
    int StrToInt(const char* text);
    int ToInt(const char* text);
    char* JNKrunch(const char* text);
    char* JuNKrunch(const char* text);
    int Checksum(const char* text, int k);
    int Checksum(const char* text);
    int Date_Day();
    int Date_Month();
    int Date_Year();
    int Time_Hour();
    int Time_Minute();
    int Time_Second();
    char* Date_str();
    char* Time_str();
    char* DateTime_str();
    char* DateTime_file();
    char* DateTime_fileb();
    void SetKeyword(const char* text);
    void SetTitle(const char* text);
    char* GetTitle();
    void SetNum(int n);
    int GetNum();
    void Rescramble();
    char* ScrambleTxt(const char* text);
    char* UnscrambleTxt(const char* text);
    char* GetURL(const char* host, const char* path, const char* query);
    int OpenBrowser(const char* address);
    char* MyName();
    int WriteFile(const char* name);
    void WriteInt(int n);
    void WriteByte(char ch);
    void WriteString(const char* text);
    void WriteLine(const char* text);
    int ReadFile(const char* name);
    int ReadInt();
    int ReadByte();
    char* ReadLine();
    int ReadString();
    void CloseFile();

private:
    char* NextTempstr();
};
