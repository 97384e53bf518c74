#include "MyGame.h"

void MyGame::DoMenu() { }
void MyGame::LoadMenu() { }
void MyGame::Menu_Background() { }
void MyGame::Menu_Default(const char*, const char*) { }
void MyGame::Menu_Start() { }
void MyGame::PauseMenu() { }
void MyGame::Options() { }
void MyGame::OptionsList() { }
void MyGame::AddOptionLabel(const char*) { }
int MyGame::AddLinearOption(int, int, const char*, int) { return 0; }
int MyGame::AddToggleOption(int, int, const char*, const char*, const char*) { return 0; }
void MyGame::RedefineKeys() { }
void MyGame::EnterYourName() { }
const char* MyGame::ShowName() { return nullptr; }
void MyGame::HandleDefaultScoreboards() { }
void MyGame::DisplayScoreboard() { }
void MyGame::AddCredits(const char*) { }
void MyGame::AddDefaultCredits() { }
void MyGame::Credits() { }
