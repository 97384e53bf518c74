// Degree trigonometry, small geometry and the collision tests.
#include <climits>
#include <cmath>

#include "VellCore.h"
#include "VellMaths.h"

float VellCore::Sin(float degrees) { return vell::DegSin(degrees); }
float VellCore::Cos(float degrees) { return vell::DegCos(degrees); }
float VellCore::Mod(float a, float b) { return (float)fmod((double)a, (double)b); }
float VellCore::Abs(float x) { return fabsf(x); }
int VellCore::Abs(int x) { return x == INT_MIN ? INT_MAX : (x < 0 ? -x : x); }

float VellCore::WhichWayDoIGo(float a, float b) { return WhichWayDoIGo(a, b, 0, 359); }

float VellCore::WhichWayDoIGo(float a, float b, float lo, float hi) {
    float r = hi - lo;
    float n = r + 1;
    float ma = Mod(a, n);
    if (ma < 0) ma += n;
    float mb = Mod(b, n);
    if (mb < 0) mb += n;
    float d = Mod(mb - ma, n);
    if (d < 0) d += n;
    d += lo;
    return d > lo + r / 2 ? d - n : d;
}

float VellCore::Dist(float x1, float y1, float x2, float y2) {
    float dx = x1 - x2, dy = y1 - y2;
    float s = dx * dx + dy * dy;
    return (float)sqrt((double)s);
}

float VellCore::Pyth(float a, float b) {
    float s = a * a + b * b;
    return (float)sqrt((double)s);
}

int VellCore::Collide_Point_Circle(float px, float py, float cx, float cy, float r) {
    LastColPointX = vell::kNoCollisionPoint;
    LastColPointY = vell::kNoCollisionPoint;
    float dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= r * r ? 1 : 0;
}

int VellCore::Collide_Circle_Circle(float x1, float y1, float r1, float x2, float y2, float r2) {
    LastColPointX = vell::kNoCollisionPoint;
    LastColPointY = vell::kNoCollisionPoint;
    float dx = x1 - x2, dy = y1 - y2, rr = r1 + r2;
    return dx * dx + dy * dy <= rr * rr ? 1 : 0;
}

int VellCore::Collide_Line_Line(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    LastColPointX = vell::kNoCollisionPoint;
    LastColPointY = vell::kNoCollisionPoint;
    float d = (x2 - x1) * (y4 - y3) - (y2 - y1) * (x4 - x3);
    if (d == 0) return 0;
    float ua = ((y1 - y3) * (x4 - x3) - (x1 - x3) * (y4 - y3)) / d;
    float ub = ((y1 - y3) * (x2 - x1) - (x1 - x3) * (y2 - y1)) / d;
    if (ua < 0 || ua > 1 || ub < 0 || ub > 1) return 0;
    LastColPointX = x1 + ua * (x2 - x1);
    LastColPointY = y1 + ua * (y2 - y1);
    return 1;
}

int VellCore::Collide_Rect_Rect(float x1, float y1, float w1, float h1, float x2, float y2, float w2, float h2) {
    float l1 = x1 - w1 / 2, r1 = x1 + w1 / 2, t1 = y1 - h1 / 2, b1 = y1 + h1 / 2;
    float l2 = x2 - w2 / 2, r2 = x2 + w2 / 2, t2 = y2 - h2 / 2, b2 = y2 + h2 / 2;
    return l1 <= r2 && l2 <= r1 && t1 <= b2 && t2 <= b1 ? 1 : 0;
}

static bool Within(float lo, float hi, float v) { return lo <= v && v <= hi; }

// True when an x-edge and a y-edge of rectangle B fall inside rectangle A.
static bool EdgesInside(float la, float ra, float ta, float ba, float lb, float rb, float tb, float bb) {
    bool x = Within(la, ra, lb) || Within(la, ra, rb);
    bool y = Within(ta, ba, tb) || Within(ta, ba, bb);
    return x && y;
}

int VellCore::Collide_Rect_Rect_Complex(float x1, float y1, float w1, float h1, float x2, float y2, float w2,
                                        float h2) {
    float l1 = x1 - w1 / 2, r1 = x1 + w1 / 2, t1 = y1 - h1 / 2, b1 = y1 + h1 / 2;
    float l2 = x2 - w2 / 2, r2 = x2 + w2 / 2, t2 = y2 - h2 / 2, b2 = y2 + h2 / 2;
    return EdgesInside(l1, r1, t1, b1, l2, r2, t2, b2) || EdgesInside(l2, r2, t2, b2, l1, r1, t1, b1) ? 1 : 0;
}
