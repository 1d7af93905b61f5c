// Native side of the survey: reads what crt_math_survey recorded under wine
// and sets it against glibc's sin and pow, and glibc against the correctly
// rounded values.
#include <cmath>
#include <cstdio>

#include "engine/correctly_rounded.h"
#include "tests/survey/survey_sets.h"

using namespace crt_survey;

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "crt-math-results.bin";
    std::FILE* in = std::fopen(path, "rb");
    if (in == nullptr) {
        std::fprintf(stderr, "cannot read %s (run crt_math_survey.exe under wine first)\n", path);
        return 1;
    }
    Tally glibcTally("glibc vs correctly rounded");
    Tally mingwTally("mingw-w64 vs glibc");
    Tally msvcrtTally("msvcrt.dll vs glibc");
    bool complete = true;
    forEachCall([&](int set, const Call& call) {
        double pair[2];
        if (std::fread(pair, sizeof pair, 1, in) != 1) {
            complete = false;
            return;
        }
        const double correct = call.isSine ? correctlyRoundedSin(call.x) : correctlyRoundedPow(call.x, call.y);
        const double glibc = call.isSine ? std::sin(call.x) : std::pow(call.x, call.y);
        glibcTally.add(set, call, glibc, correct);
        mingwTally.add(set, call, pair[0], glibc);
        msvcrtTally.add(set, call, pair[1], glibc);
    });
    std::fclose(in);
    if (!complete) {
        std::fprintf(stderr, "%s is shorter than the argument sets\n", path);
        return 1;
    }
    glibcTally.print();
    mingwTally.print();
    msvcrtTally.print();
    return 0;
}
