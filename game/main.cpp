#include "MyGame.h"
#include "frame/commandline.h"

int main(int argc, char** argv) {
    int answered = bh::ReadCommandLine(argc, argv, stdout, stderr);
    if (answered != bh::kRunGame) return answered;
    return ThisGame.Launch(argc > 0 ? argv[0] : ".");
}
