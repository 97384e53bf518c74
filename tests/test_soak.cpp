// A short seeded monkey run; `make soak` runs the long one.
#include <gtest/gtest.h>

#include <string>

#include "soak/soak_driver.h"

namespace {

TEST(Soak, TwentyThousandRandomUpdatesKeepEveryInvariant) {
    std::string bin = BRAMBLEHOP_GAME_BIN;
    std::string dir = bin.substr(0, bin.rfind('/'));
    SoakResult r = RunSoak(20000, 552, dir);
    EXPECT_TRUE(r.ok) << r.failure << " (seed 552)";
    EXPECT_EQ(r.updates, 20000);
    EXPECT_GT(r.gamesStarted, 0) << "the monkey should get into a game";
    EXPECT_GE(r.levelsReached, 3) << "the guided monkey should get past the first caves";
}

}  // namespace
