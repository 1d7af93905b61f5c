#include "xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace {

// Long enough for a loaded machine; a server that has not said its number by
// then is not coming.
constexpr int kStartTimeoutMs = 20000;

// The display number Xvfb writes to its -displayfd when it is ready.
std::string readDisplayNumber(int fd) {
    std::string number;
    pollfd waiting{fd, POLLIN, 0};
    while (poll(&waiting, 1, kStartTimeoutMs) == 1) {
        char c;
        if (read(fd, &c, 1) != 1 || c == '\n') {
            break;
        }
        number += c;
    }
    return number;
}

} // namespace

XvfbServer::XvfbServer() {
    int ready[2];
    if (pipe(ready) != 0) {
        throw std::runtime_error("Xvfb: no pipe");
    }
    const std::string readyFd = std::to_string(ready[1]);
    const char* arguments[] = {"Xvfb",       "-displayfd", readyFd.c_str(), "-screen",  "0",
                               "640x480x24", "-nolisten",  "tcp",           "-noreset", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    // Its start-up chatter would only clutter the test's output.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char* const*>(arguments), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    const std::string number = spawned == 0 ? readDisplayNumber(ready[0]) : std::string();
    close(ready[0]);
    if (number.empty()) {
        if (spawned == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    }
    name = ":" + number;
    if (const char* before = std::getenv("DISPLAY")) {
        hadDisplay = true;
        displayBefore = before;
    }
    setenv("DISPLAY", name.c_str(), 1);
}

XvfbServer::~XvfbServer() {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (hadDisplay) {
        setenv("DISPLAY", displayBefore.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}
