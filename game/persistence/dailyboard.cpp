// The day's board: the best score on each of the last eight days' caves
// (today and the seven before), in its own file, "Daily.sav", so the
// score file keeps its layout and the daily scores stay off its boards.
// Eight pairs of date (yyyymmdd, newest first; 0 for none) and score, then
// a check value; a file that does not hold together gives an empty board.
#include "MyGame.h"

namespace {

const char* const kDailyFile = "Daily.sav";

// Days since 1 March of year 0 (proleptic Gregorian), for "seven days ago".
long DayNumber(int date) {
    long y = date / 10000, m = date / 100 % 100, d = date % 100;
    if (m <= 2) y -= 1;
    long era = y / 400, yoe = y - era * 400;
    long doy = (153 * ((m + 9) % 12) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy;
}

bool ValidDate(int date) {
    int m = date / 100 % 100, d = date % 100;
    return date >= 19700101 && date <= 99991231 && m >= 1 && m <= 12 && d >= 1 && d <= 31;
}

int DailyCheck(const int* board) {
    unsigned h = 2166136261u;
    for (int i = 0; i < 2 * bh::kDailyDays; i++) h = (h ^ (unsigned)board[i]) * 16777619u;
    return (int)(h & 0x7fffffff);
}

}  // namespace

void MyGame::LoadDailyBoard() {
    for (int& v : DailyBoard) v = 0;
    if (!ReadFile(kDailyFile)) return;
    int read[2 * bh::kDailyDays];
    for (int& v : read) v = ReadInt();
    int check = ReadInt();
    CloseFile();
    bool ok = check == DailyCheck(read);
    for (int i = 0; ok && i < bh::kDailyDays; i++)
        if (read[2 * i] != 0 && !ValidDate(read[2 * i])) ok = false;
    if (!ok) {
        Debuglog("Daily.sav does not hold together, the day's board starts empty");
        return;
    }
    for (int i = 0; i < 2 * bh::kDailyDays; i++) DailyBoard[i] = read[i];
}

void MyGame::SaveDailyBoard() {
    if (Watching != 0) return;
    if (!WriteFile(kDailyFile)) {
        Debuglog("Could not write Daily.sav, the previous one is kept");
        return;
    }
    for (int v : DailyBoard) WriteInt(v);
    WriteInt(DailyCheck(DailyBoard));
    CloseFile();
}

void MyGame::EnterDailyScore(int date, int score) {
    if (!ValidDate(date)) return;
    int kept[2 * bh::kDailyDays] = {};
    int n = 0;
    bool entered = false;
    for (int i = 0; i < bh::kDailyDays; i++) {
        int d = DailyBoard[2 * i], s = DailyBoard[2 * i + 1];
        // Only today and the seven days before it stay on the board.
        if (d == 0 || DayNumber(d) > DayNumber(date) || DayNumber(date) - DayNumber(d) >= bh::kDailyDays) continue;
        if (d == date) {
            s = s > score ? s : score;
            entered = true;
        }
        kept[2 * n] = d;
        kept[2 * n + 1] = s;
        n++;
    }
    if (!entered && n < bh::kDailyDays) {
        kept[2 * n] = date;
        kept[2 * n + 1] = score;
        n++;
    }
    // Newest first.
    for (int i = 1; i < n; i++)
        for (int j = i; j > 0 && kept[2 * j] > kept[2 * (j - 1)]; j--) {
            int d = kept[2 * j], s = kept[2 * j + 1];
            kept[2 * j] = kept[2 * (j - 1)];
            kept[2 * j + 1] = kept[2 * (j - 1) + 1];
            kept[2 * (j - 1)] = d;
            kept[2 * (j - 1) + 1] = s;
        }
    for (int i = 0; i < 2 * bh::kDailyDays; i++) DailyBoard[i] = kept[i];
}

int MyGame::Today() { return Date_Year() * 10000 + Date_Month() * 100 + Date_Day(); }
