#include "MyGame.h"

void MyGame::KeyDefaults() { }
