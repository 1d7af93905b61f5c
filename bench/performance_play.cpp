// Plays one performance (bench/performances.h) through the engine and
// nothing else, for a program like callgrind whose instruction counts do
// not depend on what else the machine runs. Prints a hash of every sample's
// bits, so two builds can be seen to play the same. tools/count-instructions
// runs it twice at two lengths, so the difference is the cost per sample.
//
//   performance_play PERFORMANCE BLOCK_FRAMES SECONDS [plain]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/engine_sink.h"

namespace {

bool performanceNamed(const char* name, Performance& performance) {
    for (Performance p : {Performance::HeldNote, Performance::Dragging, Performance::EverythingMoving}) {
        if (std::strcmp(name, performanceName(p)) == 0) {
            performance = p;
            return true;
        }
    }
    return false;
}

// FNV-1a over the samples' bits.
std::uint64_t hashed(std::uint64_t hash, const std::vector<float>& samples) {
    for (float sample : samples) {
        std::uint32_t bits;
        std::memcpy(&bits, &sample, sizeof bits);
        for (int byte = 0; byte < 4; ++byte) {
            hash = (hash ^ ((bits >> (8 * byte)) & 0xFFu)) * 0x100000001B3u;
        }
    }
    return hash;
}

} // namespace

int main(int argc, char** argv) {
    Performance performance{};
    const int blockFrames = argc >= 4 ? std::atoi(argv[2]) : 0;
    const double seconds = argc >= 4 ? std::atof(argv[3]) : 0.0;
    const bool plain = argc == 5 && std::strcmp(argv[4], "plain") == 0;
    if (argc < 4 || argc > 5 || (argc == 5 && !plain) || !performanceNamed(argv[1], performance) ||
        blockFrames < 1 || blockFrames > 8192 || !(seconds >= 0.0 && seconds <= 3600.0)) {
        std::fprintf(stderr, "usage: performance_play held_note|dragging|everything_moving BLOCK_FRAMES(1-8192) "
                             "SECONDS [plain]\n");
        return 2;
    }
    const auto engine = std::make_unique<Engine>();
    EngineSink sink(*engine);
    beginPerformance(performance, sink);
    std::vector<float> left(static_cast<std::size_t>(blockFrames)), right(left.size());
    const auto frames = static_cast<long>(seconds * 44100.0);
    std::uint64_t hash = 0xCBF29CE484222325u;
    for (long position = 0; position < frames; position += blockFrames) {
        continuePerformance(performance, sink, position, blockFrames);
        if (plain) {
            engine->renderPlain(44100.0f, left.data(), right.data(), blockFrames);
        } else {
            engine->render(44100.0f, left.data(), right.data(), blockFrames);
        }
        hash = hashed(hash, left);
    }
    std::printf("%016llx\n", static_cast<unsigned long long>(hash));
    return 0;
}
