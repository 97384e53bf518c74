#include "MyGame.h"

int main(int argc, char** argv) {
    if (argc > 0) ThisGame.Launch(argv[0]);
    else ThisGame.Launch(".");
    return 0;
}
