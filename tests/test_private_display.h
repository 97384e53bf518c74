// An X server of a test's own, so keys sent to its windows reach no other
// test's, and no other test's window can take them.
#pragma once

#include <csignal>
#include <cstdio>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Xvfb picks a free display number and reports it.
class PrivateDisplay {
public:
    ~PrivateDisplay() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool Start() {
        int fds[2];
        if (pipe(fds) != 0) return false;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   (char*)nullptr);
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd p = {fds[0], POLLIN, 0};
        char c;
        while (poll(&p, 1, 90000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) return false;
        name_ = ":" + number;
        return true;
    }
    const std::string& Name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

// The newest window titled exactly `title` on the current display, waiting
// up to `seconds` for one to appear; empty when none did.
inline std::string WindowTitled(const std::string& title, int seconds) {
    std::string cmd =
        "timeout " + std::to_string(seconds) + " xdotool search --sync --name '^" + title + "$' 2>/dev/null | tail -1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return "";
    char buf[64] = {};
    if (!fgets(buf, sizeof buf, p)) buf[0] = 0;
    pclose(p);
    std::string id(buf);
    while (!id.empty() && (id.back() == '\n' || id.back() == '\r')) id.pop_back();
    return id;
}
