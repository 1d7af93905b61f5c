// Windows side of the survey of the C libraries' sin and pow on the engine's
// arguments: what a mingw-w64 program gets from sin and pow (mingw-w64's own
// libmingwex code, linked in statically) and what msvcrt.dll exports (wine's
// own under wine), against the correctly rounded values. Writes both results
// for crt_math_compare, which sets them against glibc.
#include <windows.h>

#include <cmath>
#include <cstdio>

#include "engine/correctly_rounded.h"
#include "tests/survey/survey_sets.h"

using namespace crt_survey;

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "crt-math-results.bin";
    HMODULE msvcrt = LoadLibraryA("msvcrt.dll");
    using Unary = double(__cdecl*)(double);
    using Binary = double(__cdecl*)(double, double);
    const auto msvcrtSin = reinterpret_cast<Unary>(reinterpret_cast<void*>(GetProcAddress(msvcrt, "sin")));
    const auto msvcrtPow = reinterpret_cast<Binary>(reinterpret_cast<void*>(GetProcAddress(msvcrt, "pow")));
    if (msvcrtSin == nullptr || msvcrtPow == nullptr) {
        std::fprintf(stderr, "msvcrt.dll has no sin or pow\n");
        return 1;
    }
    // Through pointers, so the compiler cannot turn pow(v, 2) into v * v.
    Unary volatile mingwSin = &::sin;
    Binary volatile mingwPow = &::pow;

    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    Tally mingwTally("mingw-w64 vs correctly rounded");
    Tally msvcrtTally("msvcrt.dll vs correctly rounded");
    forEachCall([&](int set, const Call& call) {
        const double correct = call.isSine ? correctlyRoundedSin(call.x) : correctlyRoundedPow(call.x, call.y);
        const double mingw = call.isSine ? mingwSin(call.x) : mingwPow(call.x, call.y);
        const double library = call.isSine ? msvcrtSin(call.x) : msvcrtPow(call.x, call.y);
        mingwTally.add(set, call, mingw, correct);
        msvcrtTally.add(set, call, library, correct);
        const double pair[2] = {mingw, library};
        std::fwrite(pair, sizeof pair, 1, out);
    });
    std::fclose(out);
    mingwTally.print();
    msvcrtTally.print();
    return 0;
}
