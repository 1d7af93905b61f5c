// Walks every argument of the engine's sets in one fixed order, so the
// Windows survey and the native comparison line their results up.
#pragma once

#include <cmath>
#include <functional>
#include <vector>

#include "tests/support/exact_math_cases.h"

namespace crt_survey {

using namespace exact_math_cases;

struct Call {
    bool isSine;
    double x;
    double y;
};

// set: 0 the sine table, 1 the power tables, 2..5 the sweep to each block exponent.
inline const char* setName(int set) {
    static const char* const names[] = {"sine table",   "power tables", "sweep, y = 0.2",
                                        "sweep, y = 3", "sweep, y = 5", "sweep, y = 2"};
    return names[set];
}

inline void forEachCall(const std::function<void(int set, const Call&)>& visit) {
    for (const double x : sineTableArguments()) {
        visit(0, {true, x, 0.0});
    }
    for (const PowerArguments& a : powerTableArguments()) {
        visit(1, {false, a.base, a.exponent});
    }
    const std::vector<double> sweep = floatSweep();
    for (int e = 0; e < 4; ++e) {
        for (const double v : sweep) {
            visit(2 + e, {false, v, kBlockExponents[e]});
        }
    }
}

// Counts differences per set and shows the first few.
class Tally {
public:
    explicit Tally(const char* what) : what_(what) {}
    void add(int set, const Call& call, double value, double reference) {
        ++total_[set];
        if (!sameDouble(value, reference) && ++differ_[set] <= 3) {
            if (call.isSine) {
                std::printf("  %s: sin(%a) = %a, not %a\n", what_, call.x, value, reference);
            } else {
                std::printf("  %s: pow(%a, %a) = %a, not %a\n", what_, call.x, call.y, value, reference);
            }
        }
    }
    void print() const {
        for (int set = 0; set < 6; ++set) {
            std::printf("%s, %s: %ld of %ld differ\n", what_, setName(set), differ_[set], total_[set]);
        }
    }

private:
    const char* what_;
    long total_[6] = {};
    long differ_[6] = {};
};

} // namespace crt_survey
