#include "progress_bar.h"

#include <unistd.h>

#include <cstdio>

namespace {
constexpr int kWidth = 40;
// Redrawing more often than this costs time and shows nothing new.
constexpr auto kInterval = std::chrono::milliseconds(100);
} // namespace

ProgressBar::ProgressBar() : enabled(isatty(STDERR_FILENO) == 1) {}

ProgressBar::~ProgressBar() {
    finish();
}

void ProgressBar::update(std::int64_t done, std::int64_t total) {
    if (!enabled || total <= 0) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (drawn && done < total && now - lastDraw < kInterval) {
        return;
    }
    lastDraw = now;
    drawn = true;
    const double fraction = static_cast<double>(done) / static_cast<double>(total);
    const int filled = static_cast<int>(fraction * kWidth);
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i) {
        bar[i] = i < filled ? '#' : '.';
    }
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\rrendering [%s] %3d%%", bar, static_cast<int>(fraction * 100.0));
    std::fflush(stderr);
}

void ProgressBar::finish() {
    if (drawn) {
        std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
        drawn = false;
    }
}
