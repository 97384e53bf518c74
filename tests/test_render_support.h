// A real window for renderer tests: renders the recorded list and keeps the
// picture read back from the back buffer before it is presented.
#pragma once

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "Vell_glfw3_internal.h"
#include "test_images_support.h"
#include "test_support.h"
#include "VellHooks.h"

class RenderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASys.SysInit("test");
        if (!ASys.HasWindow()) GTEST_SKIP() << "no display for a window";
        ThisGame.DebugMode = 0;
        RecordAt800x600();
        ASys.VirtualWidth = 800;
        ASys.DrawTo = 0;
        ASys.CurBlend = 1;
        Wireframe = 0;
        ASys.Button[66] = 0;
        ThisGame.ResetDraw();
        ThisGame.CLS(0, 0, 0);
        ThisGame.Smooth(0);
        RenderBeforeSwap = &Capture;
    }
    void TearDown() override {
        RenderBeforeSwap = nullptr;
        Wireframe = 0;
        ASys.Button[66] = 0;
        ASys.DrawTo = 0;
        if (ASys.HasWindow()) ASys.Close();
    }

    // Hands this frame's records to the renderer and draws them.
    static void Frame(float overscan = 0) {
        ThisGame.BufferGame();
        ASys.RenderSys(overscan);
    }

    // Pixel (x, y) of the last rendered frame, y counted from the top.
    static Rgba Px(int x, int y) {
        const unsigned char* p = &Pixels()[((size_t)(H() - 1 - y) * W() + x) * 4];
        return Rgba{p[0], p[1], p[2], p[3]};
    }

    static void Capture() {
        W() = ASys.WindowWidth;
        H() = ASys.WindowHeight;
        Pixels().assign((size_t)W() * H() * 4, 0);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, W(), H(), GL_RGBA, GL_UNSIGNED_BYTE, Pixels().data());
    }
    static std::vector<unsigned char>& Pixels() {
        static std::vector<unsigned char> p;
        return p;
    }
    static int& W() {
        static int w;
        return w;
    }
    static int& H() {
        static int h;
        return h;
    }
};

// Each channel within tol of the wanted colour (alpha ignored).
inline ::testing::AssertionResult Near(const Rgba& got, const Rgba& want, int tol) {
    for (int k = 0; k < 3; k++)
        if (std::abs(got[k] - want[k]) > tol)
            return ::testing::AssertionFailure() << "got (" << got[0] << "," << got[1] << "," << got[2] << ") want ("
                                                 << want[0] << "," << want[1] << "," << want[2] << ")";
    return ::testing::AssertionSuccess();
}
