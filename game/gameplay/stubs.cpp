#include "MyGame.h"

int MyGame::Solid(int, int) { return 0; }
int MyGame::Solid2(int, int) { return 0; }
int MyGame::isAt(int, int) { return 0; }
void MyGame::Put(int, int, float) { }
void MyGame::Clearing(int, int) { }
void MyGame::GetLev() { }
void MyGame::DoGame() { }
void MyGame::ThrowParticle(float, float, float, int, int, float, float) { }
void MyGame::Gimme(int, float, float) { }
void MyGame::Gimme(int, float, float, float) { }
void MyGame::DoParticles() { }
void MyGame::LoadGame() { }
void MyGame::BramblehopScoreDisplay(int) { }
void MyGame::AddPlatBG() { }
void MyGame::NoTrail() { }
