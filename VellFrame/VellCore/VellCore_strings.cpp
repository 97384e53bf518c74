// Text utilities: rotating scratch texts, splitting, trimming, padding,
// number conversions, the 64-symbol code and letter packing.
//
// Every result lives in one of the scratch texts, so nothing here
// allocates; every operation stays inside its input and its scratch text.
#include "VellCore_strings.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "Vell_glfw3.h"
#include "VellCore.h"

int TempstrUse = 0;
static const int TempSize = vell::kScratchTextSize;
static const char NoField[] = "-=+=-";

char* VellCore::NextTempstr() {
    TempstrUse = (TempstrUse + 1) % vell::kScratchTexts;
    memset(Tempstr[TempstrUse], 0, 1023);
    return Tempstr[TempstrUse];
}

// Copies n bytes of src into the next scratch text, cut to fit.
static char* CopyOut(VellCore& core, char* dst, const char* src, long n) {
    (void)core;
    if (n < 0) n = 0;
    if (n > TempSize - 1) n = TempSize - 1;
    memcpy(dst, src, (size_t)n);
    dst[n] = 0;
    return dst;
}

char* VellCore::fstr(const char* format, ...) {
    char* out = NextTempstr();
    va_list ap;
    va_start(ap, format);
    vsnprintf(out, TempSize, format, ap);
    va_end(ap);
    return out;
}

void VellCore::tstr(const char* format, ...) {
    char* out = NextTempstr();
    va_list ap;
    va_start(ap, format);
    vsnprintf(out, TempSize, format, ap);
    va_end(ap);
}

int VellCore::Debuglog(const char* text) {
    ASys.Debuglog(text);
    return 1;
}
int VellCore::DebugLog(const char* text) { return Debuglog(text); }
int VellCore::Debug(const char* text) { return Debuglog(text); }
int VellCore::Print(const char* text) { return Debuglog(text); }

static char Symbol64(int v, char zero) {
    v %= 64;
    if (v < 0) v += 64;
    if (v == 0) return zero;
    if (v == 1) return '-';
    if (v < 12) return (char)('0' + v - 2);
    if (v < 38) return (char)('A' + v - 12);
    return (char)('a' + v - 38);
}

char VellCore::Char64b(int value) { return Symbol64(value, ' '); }
char VellCore::Char64(int value) { return Symbol64(value, '_'); }

int VellCore::Int64(char c) {
    if (c == '_') return 0;
    if (c == '-') return 1;
    if (c >= '0' && c <= '9') return c - '0' + 2;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 12;
    if (c >= 'a' && c <= 'z') return c - 'a' + 38;
    // anything else follows the digits' arithmetic, wrapped into 0..63
    return ((c - '0' + 2) % 64 + 64) % 64;
}

char* VellCore::Char64x4(int64_t n) {
    char* out = NextTempstr();
    for (int i = 0; i < 4; i++) {
        out[i] = Char64((int)(n % 64));
        n >>= 6;
    }
    out[4] = 0;
    return out;
}

int VellCore::Int64x4(const char* four) {
    int v[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && four[i]; i++) v[i] = Int64(four[i]);
    return v[3] * 64 * 64 * 64 + v[2] * 64 * 64 + v[1] * 64 + v[0];
}

char* VellCore::nth(int n) {
    if (n == 1 || (n > 20 && n % 10 == 1)) return fstr("%dst", n);
    if (n == 2 || (n > 20 && n % 10 == 2)) return fstr("%dnd", n);
    if (n == 3 || (n > 20 && n % 10 == 3)) return fstr("%drd", n);
    return fstr("%dth", n);
}

char* VellCore::Trim(const char* text) {
    char* out = NextTempstr();
    long len = (long)strlen(text);
    long first = -1, last = -1;
    for (long i = 0; i < len; i++) {
        if ((unsigned char)text[i] > 32 && (unsigned char)text[i] < 128) {
            if (first < 0) first = i;
            last = i;
        }
    }
    if (first < 0) return out;  // nothing but blanks: an empty text
    return CopyOut(*this, out, text + first, last - first + 1);
}

char* VellCore::Split(const char* text, char sep, int n) {
    char* out = NextTempstr();
    long len = (long)strlen(text);
    long start = 0;
    int count = 0;
    for (long i = 0; i < len; i++) {
        bool lastPos = (i == len - 1);
        if (text[i] == sep || lastPos) {
            count++;
            long end = lastPos ? len : i;
            if (count == n) return CopyOut(*this, out, text + start, end - start);
            start = i + 1;
        }
    }
    strcpy(out, NoField);
    return out;
}

int VellCore::SplitCount(const char* text, char sep) {
    int n = 1;
    for (const char* p = text; *p; p++)
        if (*p == sep) n++;
    return n;
}

char* VellCore::Strip(const char* text) {
    char* out = NextTempstr();
    long o = 0;
    for (const char* p = text; *p && o < TempSize - 1; p++)
        if (*p != ' ') out[o++] = *p;
    out[o] = 0;
    return out;
}

char* VellCore::Right(const char* text, int n) {
    long len = (long)strlen(text);
    if (n < 0) n = 0;
    if (n > len) n = (int)len;  // asking for more than there is gives it all
    return fstr("%.*s", n, text + (len - n));
}

char* VellCore::Mid(const char* text, int start, int n) {
    char* out = NextTempstr();
    long len = (long)strlen(text);
    if (start < 0) start = 0;
    if (start > len) start = (int)len;
    if (n > len - start) n = (int)(len - start);
    return CopyOut(*this, out, text + start, n);
}

char* VellCore::Left(const char* text, int n) {
    char* out = NextTempstr();
    long len = (long)strlen(text);
    if (n > len) n = (int)len;
    return CopyOut(*this, out, text, n);
}

// Both pads build the padded text and keep m characters of it: the first m
// (text stays at the left) or the last m (text stays at the right).
static long PadLength(long len, int n) {
    long m = n;
    if (m > 1023 - len) m = 1023 - len;
    return m < 0 ? 0 : m;
}

// Only the m characters that are kept are ever written, however long the
// text: the result never reaches past the first 1,024 bytes of its scratch.
char* VellCore::LeftPad(const char* text, int n, char c) {
    char* out = NextTempstr();
    long len = (long)strlen(text);
    long m = PadLength(len, n);
    long keep = len < m ? len : m;
    memcpy(out, text, (size_t)keep);
    memset(out + keep, c, (size_t)(m - keep));
    out[m] = 0;
    return out;
}

char* VellCore::RightPad(const char* text, int n, char c) {
    char* out = NextTempstr();
    long len = (long)strlen(text);
    long m = PadLength(len, n);
    long keep = len < m ? len : m;
    memset(out, c, (size_t)(m - keep));
    memcpy(out + (m - keep), text + (len - keep), (size_t)keep);
    out[m] = 0;
    return out;
}

char* VellCore::iniLeft(const char* text) {
    char* out = NextTempstr();
    const char* eq = strchr(text, '=');
    if (!eq) {
        strcpy(out, NoField);
        return out;
    }
    return CopyOut(*this, out, text, eq - text);
}

char* VellCore::iniRight(const char* text) {
    char* out = NextTempstr();
    const char* eq = strchr(text, '=');
    if (!eq) {
        strcpy(out, NoField);
        return out;
    }
    return CopyOut(*this, out, eq + 1, (long)strlen(eq + 1));
}

// Six letters from one packed value; anything but A to Z shows as a space.
static void Unpack6(int64_t a, char* out) {
    for (int i = 0; i < 6; i++) {
        int v = (int)(((a >> (25 - 5 * i)) % 32) + 64);
        out[i] = (v >= 'A' && v <= 'Z') ? (char)v : ' ';
    }
}

char* VellCore::SixDigitString(int64_t a, int64_t b, int64_t c) {
    char* out = NextTempstr();
    Unpack6(a, out);
    Unpack6(b, out + 6);
    Unpack6(c, out + 12);
    out[18] = 0;
    return out;
}

char* VellCore::SixDigitString(int64_t a, int64_t b) {
    char* out = NextTempstr();
    Unpack6(a, out);
    Unpack6(b, out + 6);
    out[12] = 0;
    return out;
}

char* VellCore::SixDigitString(int64_t a) {
    char* out = NextTempstr();
    Unpack6(a, out);
    out[6] = 0;
    return out;
}

int64_t VellCore::SixDigitString(const char* text) {
    int64_t packed = 0;
    for (int i = 0; i < 6 && text[i]; i++) {
        int v = text[i] - 64;
        if (v > 26) v -= 32;
        if (v < 1 || v > 26) v = 0;
        packed |= (int64_t)v << (25 - 5 * i);
    }
    return packed;
}

char* VellCore::Hex(int n) { return fstr("%X", n); }

// Written in base 2 so that BinToInt reads it back.
char* VellCore::Bin(int n) {
    char* out = NextTempstr();
    unsigned u = (unsigned)n;
    int o = 0;
    for (int bit = 31; bit >= 0; bit--)
        if (o > 0 || (u >> bit) & 1u || bit == 0) out[o++] = ((u >> bit) & 1u) ? '1' : '0';
    out[o] = 0;
    return out;
}

int VellCore::HexToInt(const char* text) { return (int)strtol(text, nullptr, 16); }
int VellCore::BinToInt(const char* text) { return (int)strtol(text, nullptr, 2); }
int VellCore::StrToInt(const char* text) { return atoi(text); }
int VellCore::ToInt(const char* text) { return atoi(text); }

static char RunLetter(int run) { return (char)(run <= 26 ? run + 64 : run + 70); }

char* VellCore::JNKrunch(const char* text) {
    char* out = NextTempstr();
    if (!*text) return out;
    long o = 0;
    int pairs = 0;
    auto emit = [&](int run, char ch) {
        if (o + 3 >= TempSize) return;
        out[o++] = RunLetter(run);
        out[o++] = ch;
        if (++pairs % 10 == 0) out[o++] = ' ';
    };
    char cur = text[0];
    int run = 1;
    for (const char* p = text + 1; *p; p++) {
        if (*p == cur) {
            run++;
            if (run > 52) {
                emit(52, cur);
                run = 1;
            }
        } else {
            emit(run, cur);
            cur = *p;
            run = 1;
        }
    }
    emit(run, cur);
    out[o] = 0;
    return out;
}

char* VellCore::JuNKrunch(const char* text) {
    char* out = NextTempstr();
    long o = 0;
    for (const char* p = text; *p; p++) {
        int code = (unsigned char)*p;
        if (code < 65 || code > 122) continue;
        int count = code <= 'Z' ? code - 64 : code - 70;
        if (!p[1]) break;  // a count letter with nothing after it
        p++;
        for (int i = 0; i < count && o < TempSize - 1; i++) out[o++] = *p;
    }
    out[o] = 0;
    return out;
}

int VellCore::Checksum(const char* text, int k) {
    unsigned c = 0;
    for (unsigned i = 0; text[i]; i++) {
        unsigned b = (unsigned)(int)(signed char)text[i];
        c = (((unsigned)k * (i + 1) + (i + 73) / 7 + i + 1) * b + c) % 3717u;
    }
    return (int)c;
}

int VellCore::Checksum(const char* text) { return Checksum(text, GameNum); }

void VellCore::SetKeyword(const char* text) {
    snprintf(GameKey, sizeof GameKey, "%s", text);
    Rescramble();
}

void VellCore::SetTitle(const char* text) {
    snprintf(GameTitle, sizeof GameTitle, "%s", text);
    Rescramble();
}

char* VellCore::GetTitle() { return fstr("%s", GameTitle); }

void VellCore::SetNum(int n) {
    GameStartTime = (int)clock();
    GameNum = n;
    Rescramble();
}

int VellCore::GetNum() { return GameNum; }

void VellCore::Rescramble() {
    int len = (int)strlen(GameKey);
    if (len == 0 || GameNum <= 0) return;
    for (int i = 0; i < 64; i++) GameScramble[i] = (char)(((signed char)GameKey[i % len] + i + GameNum) % 92);
}

char* VellCore::ScrambleTxt(const char* text) {
    char* out = NextTempstr();
    int acc = 0;
    long i = 0;
    for (; text[i] && i < TempSize - 1; i++) {
        int c = (signed char)text[i] - 32;
        if (c < 0 || c >= 92) c = 0;
        acc = (GameScramble[i % 64] + acc) % 92;
        out[i] = (char)((c + acc) % 92 + 32);
    }
    out[i] = 0;
    return out;
}

char* VellCore::UnscrambleTxt(const char*) { return fstr("I haven't coded this bit yet!"); }
