#include "MyGame.h"

void MyGame::Save() { }
void MyGame::Load() { }
