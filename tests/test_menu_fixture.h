// Shared fixture of the front-end screen tests: a quiet game object with
// cleared locks and input tables, an 800 x 600 virtual screen and its saves
// going to a scratch folder. Tests set controls (Keyv), play keys (Button)
// and the mouse (Touch) directly, then run one update of a screen.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "test_support.h"

// The options list top to bottom, "Back" at row 0: the screen's own rows
// and, after them under their headings, the settings table's rows of that
// section, in the table's order. A setting added to the table moves the
// rows below it, so tests find a row by what it shows, not by its number.
inline std::vector<std::string> OptionsRows() {
    std::vector<std::string> rows;
    auto under = [&](const char* heading, const char* own) {
        if (own) rows.push_back(own);
        for (const bh::Setting& s : bh::kSettings)
            if (s.section && std::strcmp(s.section, heading) == 0) rows.push_back(s.label);
    };
    rows.push_back("Back");
    under("Sound", nullptr);
    rows.push_back("Online Name");
    under("Screen", "Fullscreen [F11]");
    under("Input", "Controller");
    under("System", nullptr);
    rows.push_back("How to Play");
    return rows;
}

inline int OptionsRow(const std::string& label) {
    std::vector<std::string> rows = OptionsRows();
    for (size_t i = 0; i < rows.size(); i++)
        if (rows[i] == label) return (int)i;
    ADD_FAILURE() << "no options row shows " << label;
    return -1;
}

// The row of the setting kept in slot.
inline int OptionsRow(int slot) {
    for (const bh::Setting& s : bh::kSettings)
        if (s.slot == slot && s.section) return OptionsRow(s.label);
    ADD_FAILURE() << "no options row sets slot " << slot;
    return -1;
}

class FrontScreen : public ::testing::Test {
protected:
    MyGame& g = ThisGame;
    TempDir dir;
    LogCapture log;  // missing pictures are logged on every draw

    void SetUp() override {
        ResetClock();
        memset(ASys.Keyv, 0, sizeof ASys.Keyv);
        memset(ASys.Button, 0, sizeof ASys.Button);
        memset(ASys.Touch, 0, sizeof ASys.Touch);
        memset(ASys.Joy, 0, sizeof ASys.Joy);
        memset(ASys.redef, 0, sizeof ASys.redef);
        memset(ignorePress, 0, sizeof ignorePress);
        memset(g.KeyLock, 0, sizeof g.KeyLock);
        memset(g.TouchLock, 0, sizeof g.TouchLock);
        g.SetDefaultSettings();
        memset(g.ScoreTable, 0, sizeof g.ScoreTable);
        g.MixJoy = 0;
        g.DebugMode = 0;
        g.GameBreak = 0;
        g.ScreenW = 800;
        g.ScreenH = 600;
        g.PointerDown = 0;
        g.GameMode = bh::kModeTitle;
        g.OverlayScreen = bh::kScreenNone;
        g.Paused = 0;
        g.MenuPage = 0;
        g.TitleCursor = 0;
        g.LogoZoom = 1.0f;
        g.MenuScroll = 0;
        g.BoardTimer = g.BoardSlide = g.BoardPage = 0;
        snprintf(g.home, sizeof g.home, "%s", dir.Path().c_str());
        g.GameNum = 552;
        snprintf(g.GameTitle, sizeof g.GameTitle, "Bramblehop");
        // Every picture present, the font in a slot of its own, so what a
        // screen draws is recorded and can be read back.
        for (int i = 0; i < 105; i++) ASys.ImageFrames[i] = 144;
        ASys.FontImage = kFontSlot;
    }

    static const int kFontSlot = 99;

    // A 32-bit value of a save file in the scratch folder.
    int SavedInt(const char* name, size_t index) {
        std::vector<unsigned char> b = ReadBytes(dir.File(name));
        if (b.size() < 4 * index + 4) return -37171;
        uint32_t u = 0;
        for (int i = 0; i < 4; i++) u |= (uint32_t)b[4 * index + i] << (8 * i);
        return (int)u;
    }

    // One update of a screen on an empty draw list, as each frame starts;
    // the last update's list stays for TextsDrawn and ImagesDrawn to read.
    void Run(const std::function<void()>& screen, int updates = 1) {
        for (int i = 0; i < updates; i++) {
            ASys.DrawTo = 0;
            g.ResetDraw();
            screen();
        }
    }

    static void Control(int k, float v = 1.0f) { ASys.Keyv[k] = v; }
    static void PlayKey(int k, int down = 1) { ASys.Button[k] = down; }
    static void ReleaseAll() {
        memset(ASys.Keyv, 0, sizeof ASys.Keyv);
        memset(ASys.Button, 0, sizeof ASys.Button);
    }
    // The mouse at (x, y), its button down or up; PointerDown follows it
    // as the update step would set it.
    void Mouse(float x, float y, bool down) {
        ASys.Touch[1] = x;
        ASys.Touch[2] = y;
        ASys.Touch[5] = down ? 1.0f : 0.0f;
        g.PointerDown = down ? 1 : 0;
    }
};
