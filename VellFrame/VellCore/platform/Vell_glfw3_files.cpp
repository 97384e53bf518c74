// File primitives, the debug log, the one HTTP fetch and system queries.
//
// Saves never land half-written: a file opened for writing is really a
// temporary beside the target, and only a clean close renames it over the
// target. A crash, a full disk or a read-only folder leaves the old file.
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Vell_glfw3_internal.h"
#include "Vell_glfw3_hooks.h"

int DebugMessages = 0;
FILE* DebuglogOut = nullptr;
int URLPort = 80;

static FILE* MyOpenFile = nullptr;
static int FileOpen = 0;
static int FileWriting = 0;
static int WriteFailed = 0;
static std::string WritePath;  // the target of the file being written
static std::string TempPath;   // where its bytes go until the close
static char TempstrSys[1024];
static char webBuffer[10000];

static void CountWrite(size_t wanted, size_t done) {
    if (done != wanted) WriteFailed = 1;
}

// Drops a half-written temporary and forgets the open file.
static void AbandonWrite() {
    if (MyOpenFile) fclose(MyOpenFile);
    if (!TempPath.empty()) unlink(TempPath.c_str());
    MyOpenFile = nullptr;
    FileOpen = 0;
    FileWriting = 0;
}

// A save that died before its rename leaves "<target>.tmp-" and mkstemp's
// six letters behind. The first save of a target in a run removes those,
// and nothing else: other names in the folder are not ours.
static void RemoveStaleTemps(const std::string& target) {
    static std::vector<std::string> cleaned;
    for (const std::string& done : cleaned)
        if (done == target) return;
    cleaned.push_back(target);
    size_t slash = target.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp-";
    DIR* d = opendir(dir.c_str());
    if (!d) return;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        bool letters = true;
        for (size_t i = prefix.size(); i < name.size(); i++) letters = letters && isalnum((unsigned char)name[i]);
        struct stat st;
        std::string full = dir + "/" + name;
        if (letters && lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) unlink(full.c_str());
    }
    closedir(d);
}

// The mode a plain write would have given: the old file's, or what the
// umask leaves of 0666 for a new one.
static mode_t SaveMode(const std::string& target) {
    struct stat st;
    if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

int VellSys::WriteFile_Sys(const char* path) {
    CloseFile_Sys();
    WritePath = path;
    RemoveStaleTemps(WritePath);
    TempPath = WritePath + ".tmp-XXXXXX";
    int fd = mkstemp(&TempPath[0]);
    MyOpenFile = fd >= 0 ? fdopen(fd, "w") : nullptr;
    if (!MyOpenFile) {
        if (fd >= 0) {
            close(fd);
            unlink(TempPath.c_str());
        }
        TempPath.clear();
        printf("Error Writing File\n");
        return 0;
    }
    fchmod(fd, SaveMode(WritePath));
    FileOpen = 1;
    FileWriting = 1;
    WriteFailed = 0;
    return 1;
}

void VellSys::WriteInt_Sys(int n) {
    if (!FileOpen || !FileWriting) return;
    unsigned u = (unsigned)n;
    unsigned char b[4] = {(unsigned char)(u & 255), (unsigned char)((u >> 8) & 255), (unsigned char)((u >> 16) & 255),
                          (unsigned char)((u >> 24) & 255)};
    CountWrite(4, fwrite(b, 1, 4, MyOpenFile));
}

void VellSys::WriteByte_Sys(char ch) {
    if (!FileOpen || !FileWriting) return;
    CountWrite(1, fputc((unsigned char)ch, MyOpenFile) == EOF ? 0 : 1);
}

void VellSys::WriteString_Sys(const char* text) {
    if (!FileOpen || !FileWriting) return;
    // A longer text is cut so its line feed always survives.
    char* line = fstrSys("%.1022s\n", text ? text : "");
    size_t n = strlen(line);
    CountWrite(n, fwrite(line, 1, n, MyOpenFile));
}

int VellSys::ReadFile_Sys(const char* path) {
    CloseFile_Sys();
    MyOpenFile = fopen(path, "r");
    if (!MyOpenFile) {
        printf("Error Reading File\n");
        return 0;
    }
    // One file is read at a time: a buffer of our own spares an allocation
    // per file and reads a whole score file in two calls.
    static char readBuffer[65536];
    setvbuf(MyOpenFile, readBuffer, _IOFBF, sizeof readBuffer);
    FileOpen = 1;
    FileWriting = 0;
    return 1;
}

int VellSys::ReadInt_Sys() {
    if (!FileOpen) return 0;
    // The score file alone is 22,101 of these: byte by byte from the
    // stream's buffer, without a lock or a call per read (the file is this
    // thread's alone). A short read is the end of the file.
    unsigned v = 0;
    for (int k = 0; k < 4; k++) {
        int c = getc_unlocked(MyOpenFile);
        if (c == EOF) return vell::kReadPastEnd;
        v |= (unsigned)c << (8 * k);
    }
    return (int)v;
}

int VellSys::ReadByte_Sys() {
    if (!FileOpen) return 0;
    int c = fgetc(MyOpenFile);
    return c == EOF ? -1 : c;
}

char* VellSys::ReadString_Sys() {
    if (!FileOpen) return nullptr;
    if (!fgets(TempstrSys, sizeof TempstrSys, MyOpenFile)) {
        // Nothing read: the buffer keeps its text, shortened below as the
        // format has always done at the end of a file.
    }
    size_t n = strlen(TempstrSys);
    if (n > 0) TempstrSys[n - 1] = 0;
    return TempstrSys;
}

void VellSys::CloseFile_Sys() {
    if (!FileOpen) return;
    if (!FileWriting) {
        fclose(MyOpenFile);
        MyOpenFile = nullptr;
        FileOpen = 0;
        return;
    }
    bool ok = !WriteFailed && fflush(MyOpenFile) == 0 && !ferror(MyOpenFile) && fsync(fileno(MyOpenFile)) == 0;
    int err = errno;
    if (fclose(MyOpenFile) != 0 && ok) {
        ok = false;
        err = errno;
    }
    MyOpenFile = nullptr;
    if (ok && rename(TempPath.c_str(), WritePath.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        AbandonWrite();
        Debuglog(fstrSys("Save failed, kept the previous %.900s (%.60s)", WritePath.c_str(), strerror(err)));
        return;
    }
    // Make the rename itself durable.
    std::string dir = ".";
    size_t slash = WritePath.find_last_of('/');
    if (slash != std::string::npos) dir = slash == 0 ? "/" : WritePath.substr(0, slash);
    int dfd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    FileOpen = 0;
    FileWriting = 0;
    TempPath.clear();
}

void VellSys::URLData(const char* host, const char* path) {
    std::string request = std::string("GET /") + path + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n";
    int sock = socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0) return;
    hostent* he = gethostbyname(host);
    if (!he || he->h_addrtype != AF_INET || !he->h_addr_list[0]) {
        close(sock);
        return;
    }
    // A silent server must not freeze the game: give up after a few seconds.
    timeval tv = {4, 0};
    setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    sockaddr_in addr;
    memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_port = htons((uint16_t)URLPort);
    memcpy(&addr.sin_addr, he->h_addr_list[0], sizeof addr.sin_addr);
    if (connect(sock, (sockaddr*)&addr, sizeof addr) != 0) {
        printf("Could not connect");
        fflush(stdout);
    }
    send(sock, request.data(), request.size(), MSG_NOSIGNAL);
    WebReply = "";
    static const char startMark[] = "[-\r\nData-]";
    static const char endMark[] = "[-\r\nEnd-]";
    std::string search;
    for (;;) {
        ssize_t got = recv(sock, webBuffer, sizeof webBuffer, 0);
        if (got <= 0) break;
        search.clear();
        int state = 0;
        // A marker can only first appear at the end of the search text, so
        // remembering when each one did is the same as searching the whole.
        bool startSeen = false, endSeen = false;
        for (ssize_t i = 0; i < got; i++) {
            unsigned char b = (unsigned char)webBuffer[i];
            if (!(b == '\n' || b == '\r' || (b >= 32 && b <= 127))) continue;
            search += (char)b;
            if (state == 1) WebReply += (char)b;
            if (search.size() >= 10 && search.compare(search.size() - 10, 10, startMark) == 0) startSeen = true;
            if (search.size() >= 9 && search.compare(search.size() - 9, 9, endMark) == 0) endSeen = true;
            if (state == 0 && startSeen) state = 1;
            if (state == 1 && endSeen) {
                state = 2;
                WebReply.erase(WebReply.size() >= 9 ? WebReply.size() - 9 : 0);
            }
        }
    }
    close(sock);
}

const char* VellSys::SystemUsername() { return "Enter Your Name"; }

char* VellSys::fstrSys(const char* format, ...) {
    memset(TempstrSys, 0, 1023);
    va_list ap;
    va_start(ap, format);
    vsnprintf(TempstrSys, sizeof TempstrSys, format, ap);
    va_end(ap);
    return TempstrSys;
}

void VellSys::Debuglog(const char* text) {
    DebugMessages++;
    FILE* out = DebuglogOut ? DebuglogOut : stdout;
    fprintf(out, "% 8i> %s\n", DebugMessages, text ? text : "");
    fflush(out);
}
