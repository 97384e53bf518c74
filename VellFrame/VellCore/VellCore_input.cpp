#include "VellCore.h"

void VellCore::PollInput(int invert) {
    ASys.PollInputB(invert);
    if (ASys.Button[100] == 1) GameBreak = 1;
    Active = ASys.Button[63];
}
int VellCore::PlayKey(int) { return 0; }
int VellCore::PlayKeyAll(int) { return 0; }
float VellCore::Joy(int) { return 0; }
float VellCore::StickX() { return 0; }
float VellCore::StickY() { return 0; }
int VellCore::JoyDown(int) { return 0; }
int VellCore::JoyDown(int, int) { return 0; }
float VellCore::JoyAxis(int) { return 0; }
float VellCore::JoyAxis(int, int) { return 0; }
const char* VellCore::KeyName(int) { return nullptr; }
void VellCore::SetKey(int, int) {  }
int VellCore::KeyValue(int, int) { return 0; }
void VellCore::LockForGet() {  }
int VellCore::GetKey() { return 0; }
void VellCore::FlushKeys() {  }
int VellCore::mdall() { return 0; }
float VellCore::MouseX() { return 0; }
float VellCore::MouseX(int) { return 0; }
float VellCore::MouseY() { return 0; }
float VellCore::MouseY(int) { return 0; }
int VellCore::MouseDown() { return 0; }
int VellCore::MouseDown(int) { return 0; }
int VellCore::MouseDown_Alt() { return 0; }
int VellCore::MouseDown_Alt(int) { return 0; }
int VellCore::MouseHeld() { return 0; }
int VellCore::MouseHeld(int) { return 0; }
float VellCore::TouchX() { return 0; }
float VellCore::TouchX(int) { return 0; }
float VellCore::TouchY() { return 0; }
float VellCore::TouchY(int) { return 0; }
int VellCore::TouchDown() { return 0; }
int VellCore::TouchDown(int) { return 0; }
int VellCore::TouchDown_Alt() { return 0; }
int VellCore::TouchDown_Alt(int) { return 0; }
int VellCore::TouchHeld() { return 0; }
int VellCore::TouchHeld(int) { return 0; }
int VellCore::MouseIn(float, float, float, float) { return 0; }
int VellCore::MouseIn_Centered(float, float, float, float) { return 0; }
int VellCore::MouseIn_Radius(float, float, float) { return 0; }
int VellCore::Button(int, float, float, int) { return 0; }
