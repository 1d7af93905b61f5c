// Not a test (it takes tens of minutes): checks that for every positive finite
// float v other than 1 the estimate of v^0.2 is decided by the rounding test.
// With the estimate's error bound, which the unit tests measure against MPFR,
// that makes pow(v, 0.2) correctly rounded for every float a host can send.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/correctly_rounded.h"

int main() {
    long checked = 0;
    long undecided = 0;
    for (std::uint32_t bits = 1; bits < 0x7f800000u; ++bits) {
        float f;
        std::memcpy(&f, &bits, sizeof f);
        const double v = f;
        if (v == 1.0) {
            continue;
        }
        ++checked;
        if (!exact_math::roundEstimate(exact_math::powEstimate(v, 0.2)).certain) {
            ++undecided;
            std::printf("undecided: pow(%a, 0.2)\n", v);
        }
    }
    std::printf("%ld positive finite floats, %ld undecided\n", checked, undecided);
    return undecided == 0 ? 0 : 1;
}
