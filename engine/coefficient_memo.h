// The per-block coefficients come from pow, by far the costliest thing a
// block does. Each depends on one parameter value only, which rarely
// changes, so the last result is kept with the value it came from.
#pragma once

#include <cstdint>
#include <cstring>

class MemoizedCoefficient {
public:
    // compute(input) is called only when input differs (bit for bit) from
    // the previous call's.
    template <typename Compute> float operator()(float input, Compute compute) {
        std::uint32_t bits;
        std::memcpy(&bits, &input, sizeof bits);
        if (!valid || bits != inputBits) {
            value = compute(input);
            inputBits = bits;
            valid = true;
        }
        return value;
    }

private:
    std::uint32_t inputBits = 0;
    float value = 0.0f;
    bool valid = false;
};

struct AxisCoefficientMemo {
    MemoizedCoefficient damping;
    MemoizedCoefficient stiffness;
    MemoizedCoefficient staticCoeff;
    MemoizedCoefficient modulatorDamping;
    MemoizedCoefficient modulatorStiffness;
};
