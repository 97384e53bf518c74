// Where the game reads its data and writes its saves. A build folder is
// portable: data, saves and screenshots live beside the binary. An
// installed copy keeps its data under share/games/ and never writes there.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "MyGame.h"

static const int DataNumber = bh::kGameNumber;

static bool IsFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

static bool HasData(const std::string& dir) { return IsFolder(dir + "/Data/" + std::to_string(DataNumber)); }

static std::string Parent(const std::string& path) {
    size_t cut = path.find_last_of('/');
    if (cut == std::string::npos) return ".";
    return path.substr(0, cut);
}

static bool SetHome(MyGame& game, const std::string& dir) {
    if (dir.size() >= sizeof game.home) return false;
    memcpy(game.home, dir.c_str(), dir.size() + 1);
    return true;
}

// An installed copy: bin/bramblehop beside share/games/bramblehop.
static bool SetInstalledHome(MyGame& game, const std::string& binDir) {
    std::string shared = Parent(binDir) + "/share/games/bramblehop";
    return HasData(shared) && SetHome(game, shared);
}

bool FindDataFolder(MyGame& game, const char* path, const char* exe) {
    SetBaseDirectory(game, path);
    std::string real = exe && exe[0] == '/' ? Parent(exe) : "";
    if (path && strpbrk(path, "/\\")) {
        // Started by a path: its folder is the game's, as it always was; a
        // link to the binary in a folder without data stays without data.
        if (HasData(game.home)) return true;
        if (SetInstalledHome(game, game.home)) return false;
        if (!real.empty() && SetInstalledHome(game, real)) return false;
        return true;
    }
    // A bare name was found on PATH, so the current directory says nothing
    // about where the game lives; the real binary does.
    if (real.empty()) return true;
    if (HasData(real)) return SetHome(game, real);
    if (SetInstalledHome(game, real)) return false;
    // Nowhere: keep the current directory, so the loader reports the
    // missing files where a player would look for them.
    return true;
}

// mkdir -p, for the few levels of a data folder.
static bool MakeFolders(const std::string& path) {
    for (size_t i = 1; i <= path.size(); i++) {
        if (i < path.size() && path[i] != '/') continue;
        std::string part = path.substr(0, i);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return IsFolder(path);
}

static std::string UserDataFolder() {
    const char* xdg = getenv("XDG_DATA_HOME");
    // Relative values are to be ignored, like an unset one.
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/bramblehop";
    const char* home = getenv("HOME");
    if (!home || home[0] != '/') {
        struct passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    if (!home || home[0] != '/') return "";
    return std::string(home) + "/.local/share/bramblehop";
}

void ChooseSaveFolder(MyGame& game, bool besideBinary) {
    game.savehome[0] = 0;
    if (besideBinary && access(game.home, W_OK) == 0) return;
    std::string dir = UserDataFolder();
    if (dir.empty() || dir.size() >= sizeof game.savehome) {
        game.Debuglog("No folder for saves and screenshots: neither XDG_DATA_HOME nor HOME is usable");
        return;
    }
    // Even when the folder cannot be made, the saves are pointed at it: a
    // failed save is logged, one inside the installed data is not wanted.
    memcpy(game.savehome, dir.c_str(), dir.size() + 1);
    if (MakeFolders(dir)) game.Debuglog(game.fstr("Saves and screenshots go to %s", game.savehome));
    else game.Debuglog(game.fstr("Could not create %s for saves and screenshots", game.savehome));
}

std::string OwnBinary() {
    char buf[4100];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0 || n >= (ssize_t)sizeof buf - 1) return "";
    buf[n] = 0;
    return buf;
}
