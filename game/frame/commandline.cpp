// --help and --version answer and end, as every command-line program does;
// anything else typed after the name is a mistake worth saying so rather
// than starting a full-screen game the user did not ask for.
#include "frame/commandline.h"

#include <cstring>

namespace bh {

static const char kUsage[] =
    "Usage: bramblehop [--help | --version]\n"
    "Flap a small bird through a cave of brambles.\n"
    "\n"
    "Options:\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Files:\n"
    "  An installed game reads its art and sounds from\n"
    "  PREFIX/share/games/bramblehop/Data/552/ and keeps its settings\n"
    "  (Settings.sav), scoreboards (Save_552_Bramblehop.sav) and F10\n"
    "  screenshots in $XDG_DATA_HOME/bramblehop/, that is\n"
    "  ~/.local/share/bramblehop/ when XDG_DATA_HOME is unset.\n"
    "  A build folder's game keeps them beside its binary.\n"
    "  The log goes to standard output.\n"
    "\n"
    "Exit status: 0 when the game is closed, 1 when no window could be\n"
    "opened, 2 for an unknown option.\n";

int ReadCommandLine(int argc, const char* const* argv, FILE* out, FILE* err) {
    if (argc < 2) return kRunGame;
    const char* arg = argv[1];
    if (argc == 2 && (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0)) {
        fputs(kUsage, out);
        return 0;
    }
    if (argc == 2 && strcmp(arg, "--version") == 0) {
        fprintf(out, "Bramblehop %s\n", BRAMBLEHOP_VERSION);
        return 0;
    }
    // Only the first mistake is named; the hint covers the rest. Anything
    // after a known option is one too many.
    bool known = strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0 || strcmp(arg, "--version") == 0;
    const char* bad = known ? argv[2] : arg;
    fprintf(err, "bramblehop: %s '%.200s'\nTry 'bramblehop --help' for more information.\n",
            !known && bad[0] == '-' ? "unknown option" : "unexpected argument", bad);
    return 2;
}

}  // namespace bh
