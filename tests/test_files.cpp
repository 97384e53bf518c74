// File primitives: exact bytes, end-of-file values, and saves that never
// land half-written.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "test_support.h"
#include "VellHooks.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(FilesPrimitives, WrittenBytesAreExact) {
    TempDir dir;
    std::string path = dir.File("out.bin");
    ASSERT_EQ(ASys.WriteFile_Sys(path.c_str()), 1);
    ASys.WriteInt_Sys(1);
    ASys.WriteInt_Sys(-1);
    ASys.WriteInt_Sys(0x12345678);
    ASys.WriteByte_Sys((char)0x1FF);
    ASys.WriteString_Sys("abc");
    ASys.CloseFile_Sys();
    Bytes expected = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 0xFF, 'a', 'b', 'c', '\n'};
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST(FilesPrimitives, ReadingBackAndEndOfFile) {
    TempDir dir;
    std::string path = dir.File("in.bin");
    WriteBytes(path, {7, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 'h', 'i', '\n', 'a', 'b', 'c'});
    ASSERT_EQ(ASys.ReadFile_Sys(path.c_str()), 1);
    EXPECT_EQ(ASys.ReadInt_Sys(), 7);
    EXPECT_EQ(ASys.ReadInt_Sys(), -2);
    EXPECT_STREQ(ASys.ReadString_Sys(), "hi");
    // A last line without a line feed loses its last character.
    EXPECT_STREQ(ASys.ReadString_Sys(), "ab");
    EXPECT_EQ(ASys.ReadByte_Sys(), -1);
    EXPECT_EQ(ASys.ReadInt_Sys(), -37171);
    ASys.CloseFile_Sys();

    WriteBytes(path, {1, 2, 3});
    ASSERT_EQ(ASys.ReadFile_Sys(path.c_str()), 1);
    EXPECT_EQ(ASys.ReadInt_Sys(), -37171) << "three bytes are not an integer";
    EXPECT_EQ(ASys.ReadByte_Sys(), -1) << "and they were consumed";
    ASys.CloseFile_Sys();
}

TEST(FilesPrimitives, NothingOpenReadsZeroAndWritesNothing) {
    ASys.CloseFile_Sys();
    EXPECT_EQ(ASys.ReadInt_Sys(), 0);
    EXPECT_EQ(ASys.ReadByte_Sys(), 0);
    EXPECT_EQ(ASys.ReadString_Sys(), nullptr);
    ASys.WriteInt_Sys(5);  // must not crash
    EXPECT_EQ(ThisGame.ReadLine()[0], 0) << "the wrapper gives an empty text";
    TempDir dir;
    EXPECT_EQ(ASys.ReadFile_Sys(dir.File("missing").c_str()), 0);
    EXPECT_EQ(ASys.ReadInt_Sys(), 0);
}

TEST(FilesPrimitives, WrappersPutFilesUnderTheBaseDirectory) {
    TempDir dir;
    snprintf(ThisGame.home, sizeof ThisGame.home, "%s", dir.Path().c_str());
    ASSERT_EQ(ThisGame.WriteFile("wrapped.sav"), 1);
    ThisGame.WriteInt(258);
    ThisGame.CloseFile();
    EXPECT_EQ(ReadBytes(dir.File("wrapped.sav")), (Bytes{2, 1, 0, 0}));
    ASSERT_EQ(ThisGame.ReadFile("wrapped.sav"), 1);
    EXPECT_EQ(ThisGame.ReadInt(), 258);
    ThisGame.CloseFile();
}

TEST(FilesAtomicSave, InterruptedSaveLeavesTheOldFileWhole) {
    TempDir dir;
    std::string path = dir.File("Settings.sav");
    WriteBytes(path, {9, 9, 9, 9});
    ASSERT_EQ(ASys.WriteFile_Sys(path.c_str()), 1);
    ASys.WriteInt_Sys(1);
    // The program dies here: the target still holds the previous save.
    EXPECT_EQ(ReadBytes(path), (Bytes{9, 9, 9, 9}));
    ASys.CloseFile_Sys();
    EXPECT_EQ(ReadBytes(path), (Bytes{1, 0, 0, 0}));
}

TEST(FilesAtomicSave, FullDiskKeepsTheOldFileAndLogsOneLine) {
    TempDir dir;
    std::string path = dir.File("Save.sav");
    Bytes old(1000, 42);
    WriteBytes(path, old);

    // A file-size limit makes writes fail as a full disk would.
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);

    LogCapture log;
    ASSERT_EQ(ASys.WriteFile_Sys(path.c_str()), 1);
    for (int i = 0; i < 5000; i++) ASys.WriteInt_Sys(i);
    ASys.CloseFile_Sys();
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(log.Lines().size(), 1u);
    // No temporary is left behind.
    EXPECT_EQ(system(("test $(ls -A '" + dir.Path() + "' | wc -l) -eq 1").c_str()), 0);
}

TEST(FilesAtomicSave, UnwritableFolderFailsCleanly) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(ASys.WriteFile_Sys("/nonexistent-folder/x.sav"), 0);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Error Writing File"), std::string::npos);
    ASys.WriteInt_Sys(3);
    ASys.CloseFile_Sys();
}

// A save replaces the file as a plain write would have: an existing file
// keeps its mode, a new one gets what the umask allows.
TEST(FilesAtomicSave, SavedFileKeepsItsModeOrFollowsTheUmask) {
    const struct {
        mode_t umask;
        int oldMode;  // -1: no file yet
        mode_t expected;
    } cases[] = {{022, -1, 0644},   {077, -1, 0600},   {002, -1, 0664},
                 {022, 0600, 0600}, {077, 0664, 0664}, {022, 0640, 0640}};
    for (const auto& c : cases) {
        testing::Message m;
        m << std::oct << "umask " << c.umask << ", old file ";
        if (c.oldMode < 0) m << "none";
        else m << c.oldMode;
        SCOPED_TRACE(m);
        TempDir dir;
        std::string path = dir.File("Settings.sav");
        if (c.oldMode >= 0) {
            WriteBytes(path, {1, 2, 3, 4});
            chmod(path.c_str(), (mode_t)c.oldMode);
        }
        mode_t saved = umask(c.umask);
        ASSERT_EQ(ASys.WriteFile_Sys(path.c_str()), 1);
        ASys.WriteInt_Sys(5);
        ASys.CloseFile_Sys();
        umask(saved);
        struct stat st;
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.expected);
        EXPECT_EQ(ReadBytes(path), (Bytes{5, 0, 0, 0}));
    }
}

TEST(FilesDebuglog, LinesAreNumberedInEightColumns) {
    FILE* f = tmpfile();
    DebuglogOut = f;
    int before = DebugMessages;
    DebugMessages = 0;
    ASys.Debuglog("Opened Window");
    ThisGame.Print("second");
    DebuglogOut = nullptr;
    DebugMessages += before;
    rewind(f);
    char buf[200] = {0};
    size_t n = fread(buf, 1, sizeof buf - 1, f);
    fclose(f);
    EXPECT_EQ(std::string(buf, n), "       1> Opened Window\n       2> second\n");
}

}  // namespace
