// Caves as a player meets them: four caves pinned cell by cell for fixed
// clocks, and a walk through many caves showing that every switch and the
// exit can be reached from where the bird appears.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_level_support.h"

using namespace playtest;

namespace {

class LevelCaves : public LevelTest {};

// One letter per cell: '#' bramble, 'S'/'s' start ledge top and body,
// 'E'/'e' exit ledge, '*' spinner hub, 'x' 'y' 'z' chicks, '1' to '5' a
// switch's left half by its turn (its right half '>'), '.' free.
char Letter(int code) {
    switch (code) {
    case 0: return '.';
    case 1: return '#';
    case 2: return 'S';
    case 3: return 's';
    case 4: return 'E';
    case 5: return 'e';
    case 11: return '*';
    case 20: return 'x';
    case 21: return 'y';
    case 22: return 'z';
    default: break;
    }
    if (code >= 16 && code <= 57 && code % 10 == 6) return (char)('0' + code / 10);
    if (code >= 17 && code <= 57 && code % 10 == 7) return '>';
    return '?';
}

// The cave as text, then each spinner's angle, speed and arm length.
std::string CaveText() {
    std::ostringstream out;
    for (int y = 0; y < 25; y++) {
        for (int x = 0; x < 50; x++) out << Letter(Next(x, y));
        out << '\n';
    }
    char line[128];
    for (int x = 0; x < 50; x++)
        for (int y = 0; y < 25; y++)
            if (Next(x, y) == 11) {
                const float* c = Cell(x, y + 100);
                snprintf(line, sizeof line, "spinner %d,%d angle %.9g speed %g arm %g\n", x, y, c[5], c[6], c[7]);
                out << line;
            }
    return out.str();
}

std::string DataFile(const char* name) { return std::string(BRAMBLEHOP_SOURCE_DIR) + "/tests/data/" + name; }

// BRAMBLEHOP_WRITE_CAVES=1 rewrites the files after a deliberate change to
// the generator; read the difference before committing it.
TEST_F(LevelCaves, FixedClocksGiveTheCheckedInCaves) {
    struct Case {
        const char* file;
        int difficulty, level, clock;
    } cases[] = {
        {"cave_normal_level3.txt", 2, 3, 20261210},
        {"cave_hard_level4.txt", 3, 4, 552553},
        // its corridor runs along row 7 near the exit, where it must turn down
        {"cave_easy_level1.txt", 1, 1, 158380},
        // a place here is found only once its free square has shrunk to one cell
        {"cave_easy_level3.txt", 1, 3, 158380},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Make(c.difficulty, c.level, c.clock);
        std::string cave = CaveText();
        if (getenv("BRAMBLEHOP_WRITE_CAVES")) std::ofstream(DataFile(c.file)) << cave;
        std::ifstream in(DataFile(c.file));
        std::string want((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(cave, want);
    }
}

// The day's caves: the date decides them, whatever the clock reads; any
// other game's come from the clock.
TEST_F(LevelCaves, TheDaysCavesComeFromTheDateWhateverTheClock) {
    MyGame& g = G();
    auto cave = [&](int date, int level, int clock) {
        g.DailyDate = date;
        Make(2, level, clock);
        g.DailyDate = 0;
        return CaveText();
    };
    const struct { int date, level; } days[] = {{20261211, 1}, {20261211, 4}, {20270101, 1}};
    for (const auto& d : days) {
        SCOPED_TRACE(std::to_string(d.date) + " level " + std::to_string(d.level));
        std::string first = cave(d.date, d.level, 1000);
        for (int clock : {0, 987654, -5, 2147000000}) EXPECT_EQ(cave(d.date, d.level, clock), first) << clock;
    }
    EXPECT_NE(cave(20261211, 1, 1000), cave(20261212, 1, 1000)) << "another day, other caves";
    EXPECT_NE(cave(20261211, 1, 1000), cave(20261211, 2, 1000)) << "each level its own cave";
    EXPECT_NE(cave(0, 1, 1000), cave(0, 1, 987654)) << "other games follow the clock";
}

// Free cells joined side by side, from the cell where the bird appears
// above the start ledge. Solid cells (ledges, the first switch) and
// brambles stop the fill; waiting switches, chicks and spinner hubs do not.
std::vector<bool> Reachable() {
    std::vector<bool> seen(50 * 25, false);
    auto open = [](int x, int y) {
        int c = Next(x, y);
        return c != 1 && !(c >= 2 && c <= 7) && c != 16 && c != 17;
    };
    std::vector<int> todo = {19 * 50 + 2};
    seen[todo[0]] = true;
    while (!todo.empty()) {
        int at = todo.back();
        todo.pop_back();
        int x = at % 50, y = at / 50;
        const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
        for (int k = 0; k < 4; k++) {
            int nx = x + dx[k], ny = y + dy[k];
            if (nx < 0 || nx >= 50 || ny < 0 || ny >= 25 || seen[ny * 50 + nx] || !open(nx, ny)) continue;
            seen[ny * 50 + nx] = true;
            todo.push_back(ny * 50 + nx);
        }
    }
    return seen;
}

TEST_F(LevelCaves, EverySwitchAndTheExitCanBeReachedFromTheStart) {
    int caves = 0;
    for (int D = 1; D <= 3; D++)
        for (int L = 1; L <= 20; L++)
            for (int s = 0; s < 10; s++) {
                int clock = 1000 + 104729 * s + 613 * L + 7 * D;
                SCOPED_TRACE(testing::Message() << "difficulty " << D << " level " << L << " clock " << clock);
                Make(D, L, clock);
                std::vector<bool> seen = Reachable();
                auto near = [&](int x, int y) {
                    for (int k = 0; k < 4; k++) {
                        int nx = x + (k == 0) - (k == 1), ny = y + (k == 2) - (k == 3);
                        if (nx >= 0 && nx < 50 && ny >= 0 && ny < 25 && seen[ny * 50 + nx]) return true;
                    }
                    return false;
                };
                int switches = 0;
                for (int x = 0; x < 50; x++)
                    for (int y = 0; y < 25; y++) {
                        int c = Next(x, y);
                        if (c < 16 || c > 57 || c % 10 != 6) continue;
                        switches++;
                        EXPECT_TRUE(near(x, y) || near(x + 1, y)) << "switch " << c << " at " << x << "," << y;
                    }
                EXPECT_EQ(switches, 5);
                bool exit = false;
                for (int x = 45; x < 50; x++) exit = exit || seen[19 * 50 + x];
                EXPECT_TRUE(exit);
                if (HasFailure()) {
                    ADD_FAILURE() << "\n" << CaveText();
                    return;
                }
                caves++;
            }
    EXPECT_EQ(caves, 600);
}

// A bird leaving the start ledge, or climbing the shaft above it, is never
// hurt at once: no bramble cell and no fireball of any arm, at any angle,
// comes within two cells of the ledge (columns 0 to 4, rows 20 to 24) or of
// the shaft above it (rows 11 to 19).
TEST_F(LevelCaves, NothingHurtfulComesNearTheStart) {
    const int areaRight = 4, areaTop = 11, guard = 2;
    // Chebyshev distance in cells from a point to the start area.
    auto away = [&](double x, double y) {
        double dx = x > areaRight ? x - areaRight : x < 0 ? -x : 0;
        double dy = y < areaTop ? areaTop - y : y > 24 ? y - 24 : 0;
        return std::max(dx, dy);
    };
    int caves = 0, spinnersNear = 0;
    for (int D = 1; D <= 3; D++)
        for (int L = 1; L <= 30; L++)
            for (int s = 0; s < 100; s++) {
                int clock = 7 + 15485863 * s + 7919 * L + 104729 * D;
                Make(D, L, clock);
                caves++;
                for (int x = 0; x < 50; x++)
                    for (int y = 0; y < 25; y++) {
                        int c = Next(x, y);
                        if (c == 1 && away(x, y) <= guard)
                            FAIL() << "bramble at " << x << "," << y << ", difficulty " << D << " level " << L
                                   << " clock " << clock << "\n"
                                   << CaveText();
                        if (c != 11) continue;
                        const float* cell = Cell(x, y + 100);
                        int balls = (int)cell[7];
                        if (away(x, y) > guard + 0.75 * (balls - 1) + 0.01) continue;
                        spinnersNear++;
                        // Every ball's path, sampled finely enough that a
                        // miss of the nearest approach is far below the guard.
                        for (int i = 0; i < balls; i++)
                            for (int a = 0; a < 720; a++) {
                                double t = a * M_PI / 360;
                                double bx = x + 0.75 * i * std::sin(t), by = y - 0.75 * i * std::cos(t);
                                if (away(bx, by) <= guard)
                                    FAIL() << "fireball " << i << " of the arm at " << x << "," << y << " reaches "
                                           << bx << "," << by << ", difficulty " << D << " level " << L << " clock "
                                           << clock << "\n"
                                           << CaveText();
                            }
                    }
            }
    EXPECT_EQ(caves, 9000);
    // The arms that could have reached were near enough to be checked.
    EXPECT_GT(spinnersNear, 0);
}

}  // namespace
