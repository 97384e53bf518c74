// Save-file wrappers under the save folder, dates, and the few system
// and web queries the engine offers.
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "Vell_glfw3.h"
#include "VellCore.h"
#include "VellHooks.h"

int VellCore::WriteFile(const char* name) { return ASys.WriteFile_Sys(fstr("%s/%s", SaveFolder(), name)); }
void VellCore::WriteInt(int n) { ASys.WriteInt_Sys(n); }
void VellCore::WriteByte(char ch) { ASys.WriteByte_Sys(ch); }
void VellCore::WriteString(const char* text) { ASys.WriteString_Sys(text); }
void VellCore::WriteLine(const char* text) { ASys.WriteString_Sys(text); }
int VellCore::ReadFile(const char* name) { return ASys.ReadFile_Sys(fstr("%s/%s", SaveFolder(), name)); }
int VellCore::ReadInt() { return ASys.ReadInt_Sys(); }
int VellCore::ReadByte() { return ASys.ReadByte_Sys(); }
void VellCore::CloseFile() { ASys.CloseFile_Sys(); }

char* VellCore::ReadLine() {
    const char* line = ASys.ReadString_Sys();
    return fstr("%s", line ? line : "");
}

int VellCore::ReadString() {
    const char* line = ASys.ReadString_Sys();
    fstr("%s", line ? line : "");
    return TempstrUse;
}

static struct tm Now() {
    time_t t = FakeClocks ? (time_t)(FakeWallMs / 1000) : time(nullptr);
    struct tm out;
    localtime_r(&t, &out);
    return out;
}

int VellCore::Date_Day() { return Now().tm_mday; }
int VellCore::Date_Month() { return Now().tm_mon + 1; }
int VellCore::Date_Year() { return Now().tm_year + 1900; }
int VellCore::Time_Hour() { return Now().tm_hour; }
int VellCore::Time_Minute() { return Now().tm_min; }
int VellCore::Time_Second() { return Now().tm_sec; }

char* VellCore::Date_str() { return fstr("%02i/%02i/%i", Date_Day(), Date_Month(), Date_Year()); }
char* VellCore::Time_str() { return fstr("%02i:%02i:%02i", Time_Hour(), Time_Minute(), Time_Second()); }
char* VellCore::DateTime_str() {
    return fstr("%02i/%02i/%i %02i:%02i:%02i", Date_Day(), Date_Month(), Date_Year(), Time_Hour(), Time_Minute(),
                Time_Second());
}
char* VellCore::DateTime_file() {
    return fstr("%02i-%02i-%i_%02i-%02i-%02i", Date_Day(), Date_Month(), Date_Year(), Time_Hour(), Time_Minute(),
                Time_Second());
}
char* VellCore::DateTime_fileb() {
    return fstr("%i-%02i-%02i_%02i-%02i-%02i", Date_Year(), Date_Month(), Date_Day(), Time_Hour(), Time_Minute(),
                Time_Second());
}

char* VellCore::GetURL(const char* host, const char* path, const char* query) {
    static const char special[] = "&\\'`\"/>#^{}<|%?+$, ";
    static const char* const codes[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J",
                                        "K", "L", "M", "P", "Q", "R", "S", "T", "U"};
    char* escaped = NextTempstr();
    long o = (long)strlen(path);
    if (o > 8000) o = 8000;
    memcpy(escaped, path, (size_t)o);
    for (const char* p = query; *p && o < 16000; p++) {
        unsigned char c = (unsigned char)*p;
        if (c >= 128) continue;
        const char* hit = strchr(special, c);
        if (hit) {
            memcpy(escaped + o, "*!", 2);
            escaped[o + 2] = codes[hit - special][0];
            memcpy(escaped + o + 3, "!*", 2);
            o += 5;
        } else {
            escaped[o++] = (char)c;
        }
    }
    escaped[o] = 0;
    ASys.URLData(host, escaped);
    return fstr("%s", ASys.WebReply.c_str());
}

int VellCore::OpenBrowser(const char* address) { return system(fstr("xdg-open %s", address)); }

char* VellCore::MyName() { return fstr("%s", ASys.SystemUsername()); }
