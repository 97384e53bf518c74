// The game object's life: construction before main, start-up, and the final
// save after the window has closed.
#include <csignal>
#include <cstring>

#include "GameAssets.h"
#include "MyGame.h"

MyGame ThisGame;

// Keys the engine's text scrambling; any fixed 45-character sentence will do.
static const char GameKeyword[] = "Bramblehop keeps every chick close to a wing.";

MyGame::MyGame() : DifficultyCursor(Settings[bh::kSettingDifficultyCursor]) {}

MyGame::~MyGame() {}

void Heartbeat() { ThisGame.KeepAlive(); }

// A logout, a service manager or `kill` ask with SIGTERM, a terminal with
// SIGINT: the loop ends as on the quit key, so the closing save happens.
// Storing an int is all a handler may safely do here; a second signal
// finds the default action and ends the game at once.
static void AskToQuit(int) { ThisGame.GameBreak = 1; }

static void QuitOnSignals() {
    struct sigaction ask = {};
    ask.sa_handler = AskToQuit;
    ask.sa_flags = SA_RESETHAND;
    sigemptyset(&ask.sa_mask);
    sigaction(SIGTERM, &ask, nullptr);
    sigaction(SIGINT, &ask, nullptr);
}

// When the window system goes away the platform layer cannot carry on;
// it gives the game this one chance to keep what it has.
static void SaveBeforeLosingDisplay() { ThisGame.Save(); }

// Sets the base directory from the program's own path: everything before
// the last slash or back-slash, or "." when there is none.
void SetBaseDirectory(MyGame& game, const char* path) {
    strcpy(game.home, ".");
    if (!path) return;
    const char* cut = nullptr;
    for (const char* p = path; *p; p++)
        if (*p == '/' || *p == '\\') cut = p;
    if (!cut) return;
    size_t len = (size_t)(cut - path);
    if (len >= sizeof game.home) {
        // Cutting it would point the saves somewhere else entirely.
        game.Debuglog("Program path too long, using the current directory");
        return;
    }
    memcpy(game.home, path, len);
    game.home[len] = 0;
}

int MyGame::Launch(const char* path) {
    if (!Start(path)) return 1;
    GameLoop();
    Finish();
    return 0;
}

// The engine, the window and the folders, then the game's first state.
// Without a window nothing is loaded, so nothing is saved either: a save
// then would only rewrite the player's files from what was read, or write
// defaults where there were none.
bool MyGame::Start(const char* path) {
    bool besideBinary = FindDataFolder(*this, path, OwnBinary().c_str());
    Begin(bh::kGameNumber, "Bramblehop");
    if (!HasWindow()) {
        printf("Bramblehop: no window could be opened (is a display available?)\n");
        Terminate();
        return false;
    }
    SetWindowIcon(bh::kPictureNames[bh::kPicWindowIcon]);
    ChooseSaveFolder(*this, besideBinary);
    StartState();
    // Until here a signal's default action loses nothing: Load has just saved.
    QuitOnSignals();
    OnDisplayLost(SaveBeforeLosingDisplay);
    return true;
}

// Everything the first update finds, from the settings and the save files
// to the loader's first step; the soak driver starts the game through it too.
void MyGame::StartState() {
    SetKeyword(GameKeyword);
    Smooth(0);
    SetDefaultSettings();
    KeyDefaults();
    LogoZoom = 1.0f;
    Load();
    SetUpPads();
    LoadDailyBoard();
    AddDefaultCredits();
    DebugMode = Settings[bh::kSettingDebugStats];
    LoadTo = 1;
    GameMode = bh::kModeTitle;
    Difficulty = 0;
    MenuPage = 0;
    OverlayScreen = bh::kScreenNone;
    TapeReset();
    FlushGame();
    NextUpdate = 0;
    NextRender = 0;
}

// The settings before any file is read: what a first start shows.
void MyGame::SetDefaultSettings() {
    for (int i = 0; i < bh::kSettingSlots; i++) Settings[i] = 0;
    for (const bh::Setting& s : bh::kSettings) Settings[s.slot] = s.initial;
}

// After the window has closed: the last save.
void MyGame::Finish() {
    StopWatching();
    // Closed while the game-over summary waits: the score still goes on its
    // board, as it would on the way back to the list.
    if (OverlayScreen == bh::kScreenGameOver) HandleDefaultScoreboards();
    BoardTimer = 0;
    BoardSlide = 0;
    BoardPage = 0;
    Save();
}

void MyGame::FlushGame() {
    Paused = 0;
    GameEnding = bh::kEndNone;
    EndTimer = 0;
    // Only rows 0 to 124 are ever addressed (Put refuses anything outside
    // the level), so clearing those is clearing the whole map.
    memset(TileMap, 0, sizeof(float) * 10 * 60 * 125);
    memset(&Play, 0, sizeof Play);
    memset(Particles, 0, sizeof Particles);
}
