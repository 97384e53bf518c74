// Text utilities: scratch texts, fields, trimming, padding, codes, packing.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "test_support.h"

namespace {

VellCore& E() { return ThisGame; }

TEST(StringsScratch, ThirtyRotatingTexts) {
    char* first = E().fstr("%s-%d", "keep", 1);
    for (int i = 0; i < 29; i++) E().fstr("%d", i);
    EXPECT_STREQ(first, "keep-1") << "valid for 29 further calls";
    E().fstr("x");
    EXPECT_STRNE(first, "keep-1");
    // An overlong format is cut inside the scratch text, not beyond it.
    std::string big(20000, 'q');
    char* cut = E().fstr("%s", big.c_str());
    EXPECT_EQ(strlen(cut), 16383u);
}

// Every operation keeps inside its scratch text whatever the input's
// length. The last scratch text is followed by the engine's own members, so
// each call is made to land there and those members are checked after it.
TEST(StringsScratch, LongInputsStayInsideTheScratchText) {
    VellCore& e = E();
    std::string plain(20000, 'a');
    std::string pairs;
    for (int i = 0; i < 10000; i++) pairs += i % 2 ? "b" : "a";  // runs of one
    std::string counts;
    for (int i = 0; i < 10000; i++) counts += "zq";  // 52 q's per pair
    std::string field = plain + "," + plain;
    std::string spaced = " " + plain + " ";
    std::string keyed = "k=" + plain;

    const struct {
        const char* name;
        std::function<const char*()> call;
        size_t length;  // of the result
    } cases[] = {
        {"fstr", [&] { return e.fstr("%s", plain.c_str()); }, 16383},
        {"Trim", [&] { return e.Trim(spaced.c_str()); }, 16383},
        {"Split", [&] { return e.Split(field.c_str(), ',', 2); }, 16383},
        {"Strip", [&] { return e.Strip(spaced.c_str()); }, 16383},
        {"Right", [&] { return e.Right(plain.c_str(), 20000); }, 16383},
        {"Mid", [&] { return e.Mid(plain.c_str(), 1, 19000); }, 16383},
        {"Left", [&] { return e.Left(plain.c_str(), 20000); }, 16383},
        {"LeftPad", [&] { return e.LeftPad(plain.c_str(), 20000, '0'); }, 0},
        {"RightPad", [&] { return e.RightPad(plain.c_str(), 20000, '0'); }, 0},
        {"LeftPad of a 1,000-character text", [&] { return e.LeftPad(plain.c_str() + 19000, 500, '0'); }, 23},
        {"RightPad of a 1,000-character text", [&] { return e.RightPad(plain.c_str() + 19000, 500, '0'); }, 23},
        {"iniLeft", [&] { return e.iniLeft((plain + "=").c_str()); }, 16383},
        {"iniRight", [&] { return e.iniRight(keyed.c_str()); }, 16383},
        {"JNKrunch", [&] { return e.JNKrunch(pairs.c_str()); }, 0},
        {"JuNKrunch", [&] { return e.JuNKrunch(counts.c_str()); }, 16383},
        {"ScrambleTxt", [&] { return e.ScrambleTxt(plain.c_str()); }, 16383},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        e.UpdateSec = 0x5a5a5a5a;
        e.GameBreak = 0x3c3c3c3c;
        strcpy(e.home, "guard");
        TempstrUse = 28;  // the call writes into the last scratch text
        const char* out = c.call();
        size_t length = strlen(out);
        EXPECT_EQ(e.UpdateSec, 0x5a5a5a5a);
        EXPECT_EQ(e.GameBreak, 0x3c3c3c3c);
        EXPECT_STREQ(e.home, "guard");
        if (c.length) {
            EXPECT_EQ(length, c.length);
        }
        EXPECT_LT(length, 16384u);
    }
    e.UpdateSec = 0;
    e.GameBreak = 0;
    strcpy(e.home, ".");
}

TEST(StringsCodes, Char64bAndOrdinals) {
    const struct {
        int v;
        char c;
    } chars[] = {{0, ' '},  {1, '-'},  {2, '0'},  {11, '9'}, {12, 'A'}, {37, 'Z'},
                 {38, 'a'}, {63, 'z'}, {64, ' '}, {-1, 'z'}, {-64, ' '}};
    for (auto c : chars) EXPECT_EQ(E().Char64b(c.v), c.c) << c.v;
    EXPECT_EQ(E().Char64(0), '_');
    EXPECT_EQ(E().Int64('_'), 0);
    EXPECT_EQ(E().Int64('z'), 63);
    EXPECT_EQ(E().Int64(' '), 50);

    const struct {
        int n;
        const char* s;
    } ords[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},     {11, "11th"}, {12, "12th"},
                {13, "13th"}, {21, "21st"}, {22, "22nd"}, {111, "111st"}, {0, "0th"}};
    for (auto o : ords) EXPECT_STREQ(E().nth(o.n), o.s) << o.n;
}

TEST(StringsFields, SplitTrimStripAndFriends) {
    EXPECT_STREQ(E().Split("a,b,c", ',', 1), "a");
    EXPECT_STREQ(E().Split("a,b,c", ',', 3), "c");
    EXPECT_STREQ(E().Split("a,b,c", ',', 4), "-=+=-");
    EXPECT_STREQ(E().Split("", ',', 1), "-=+=-");
    EXPECT_STREQ(E().Split("a,b,", ',', 2), "b,") << "a trailing separator stays";
    EXPECT_STREQ(E().Split("Easy|Normal|Hard", '|', 2), "Normal");
    EXPECT_EQ(E().SplitCount("", ','), 1);
    EXPECT_EQ(E().SplitCount("Easy|Normal|Hard", '|'), 3);

    EXPECT_STREQ(E().Trim("  ab c  "), "ab c");
    EXPECT_STREQ(E().Trim("   "), "") << "nothing above a blank";
    EXPECT_STREQ(E().Trim(""), "");
    EXPECT_STREQ(E().Strip(" a b  c "), "abc");

    EXPECT_STREQ(E().Right("obj-32.png", 4), ".png");
    EXPECT_STREQ(E().Right("ab", 4), "ab") << "never reads before the text";
    EXPECT_STREQ(E().Mid("abcdef", 2, 3), "cde");
    EXPECT_STREQ(E().Mid("abc", 2, 10), "c");
    EXPECT_STREQ(E().Mid("abc", 9, 2), "");
    EXPECT_STREQ(E().Left("abc", 2), "ab");
    EXPECT_STREQ(E().Left("abc", 9), "abc");

    EXPECT_STREQ(E().LeftPad("ab", 5, '0'), "ab000");
    EXPECT_STREQ(E().RightPad("ab", 5, '0'), "000ab");
    EXPECT_STREQ(E().LeftPad("abcdef", 3, '0'), "abc");
    EXPECT_STREQ(E().iniLeft("key=value"), "key");
    EXPECT_STREQ(E().iniRight("key=value"), "value");
    EXPECT_STREQ(E().iniRight("novalue"), "-=+=-");
}

TEST(StringsPacking, SixDigitStringRoundTrip) {
    int64_t abcdef = E().SixDigitString("ABCDEF");
    int64_t gh = E().SixDigitString("gh");
    EXPECT_STREQ(E().SixDigitString(abcdef, gh, 0), "ABCDEFGH          ");
    EXPECT_STREQ(E().SixDigitString(abcdef), "ABCDEF");
    EXPECT_STREQ(E().SixDigitString(abcdef, gh), "ABCDEFGH    ");
    EXPECT_EQ(E().SixDigitString("A1"), (int64_t)1 << 25) << "digits count as no letter";
}

TEST(StringsConversions, NumbersAndRunLengths) {
    EXPECT_STREQ(E().Hex(255), "FF");
    EXPECT_EQ(E().HexToInt(" ff"), 255);
    EXPECT_EQ(E().BinToInt("101"), 5);
    EXPECT_EQ(E().BinToInt(E().Bin(37)), 37) << "Bin is readable by BinToInt";
    EXPECT_EQ(E().StrToInt("42abc"), 42);

    EXPECT_STREQ(E().JNKrunch("aaab"), "CaAb");
    EXPECT_STREQ(E().JuNKrunch("CaAb"), "aaab");
    std::string longRun(60, 'x');
    EXPECT_STREQ(E().JuNKrunch(E().JNKrunch(longRun.c_str())), longRun.c_str());
    EXPECT_STREQ(E().JuNKrunch(""), "");
    EXPECT_STREQ(E().JuNKrunch("C"), "") << "a count with nothing after it";
    EXPECT_STREQ(E().JNKrunch(""), "");
    EXPECT_EQ(E().Int64x4(E().Char64x4(123456)), 123456);
}

TEST(StringsDates, FileStampShape) {
    const char* stamp = E().DateTime_fileb();
    ASSERT_EQ(strlen(stamp), 19u);
    EXPECT_EQ(stamp[4], '-');
    EXPECT_EQ(stamp[10], '_');
    EXPECT_EQ(atoi(stamp), E().Date_Year());
}

TEST(StringsScramble, KeywordBuildsTheTableOnlyWithAGameNumber) {
    E().GameNum = 552;
    E().SetKeyword("Bramblehop keeps every chick close to a wing.");
    EXPECT_EQ(E().GameScramble[0], ('B' + 0 + 552) % 92);
    EXPECT_EQ(E().GameScramble[45], ('B' + 45 + 552) % 92) << "the keyword repeats";
    std::string s = E().ScrambleTxt("Hello");
    EXPECT_EQ(s.size(), 5u);
    for (char c : s) EXPECT_TRUE(c >= 32 && c < 124);
    EXPECT_EQ(E().Checksum("", 552), 0);
    EXPECT_STREQ(E().UnscrambleTxt("x"), "I haven't coded this bit yet!");
    EXPECT_STREQ(E().MyName(), "Enter Your Name");
}

}  // namespace
