// A progress bar on stderr while rendering, only when stderr is a terminal.
#pragma once

#include <chrono>
#include <cstdint>

class ProgressBar {
public:
    ProgressBar(); // decides once whether stderr is a terminal
    ~ProgressBar();
    void update(std::int64_t done, std::int64_t total);
    void finish(); // wipes the bar so the summary starts on a clean line

private:
    bool enabled;
    bool drawn = false;
    std::chrono::steady_clock::time_point lastDraw;
};
