// A virtual X server of the test's own, on a display number it picks itself
// (Xvfb -displayfd), so tests running side by side never share one and never
// draw on somebody's desktop. DISPLAY names it while the server lives.
#pragma once

#include <sys/types.h>

#include <string>

class XvfbServer {
public:
    // Throws std::runtime_error when no server could be started.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& displayName() const { return name; }

private:
    pid_t pid = -1;
    std::string name;
    bool hadDisplay = false;
    std::string displayBefore;
};
