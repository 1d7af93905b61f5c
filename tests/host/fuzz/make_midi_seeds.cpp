// Writes the fuzzer's starting corpus: small files that reach every path of
// the reader, so the fuzzer begins from real structure.
#include <string>

#include "../smf_builder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string dir = argv[1];
    Track melody, conductor, odd;
    melody.event(0, {0x90, 60, 100}).event(240, {62, 90}).event(240, {0x80, 60, 0}).event(0, {0xB0, 7, 100});
    melody.event(10, {0xC0, 5}).event(10, {0xE0, 0, 64}).event(0, {0x90, 62, 0}).end();
    conductor.tempo(0, 400000).event(0, {0xFF, 0x58, 0x04, 4, 2, 24, 8}).tempo(960, 600000).end();
    odd.event(0, {0xF0, 0x03, 0x7E, 0x01, 0xF7}).event(5, {0xF7, 0x01, 0x90}).event(0, {0xFF, 0x01, 0x02, 'h', 'i'});
    odd.event(0x0FFF, {0xA0, 60, 10}).event(0, {0xD0, 5}).end();
    writeBytes(dir + "/format0.mid", midiFile(0, 480, {melody}));
    writeBytes(dir + "/format1.mid", midiFile(1, 96, {conductor, melody, odd}));
    writeBytes(dir + "/smpte.mid", midiFile(0, 0xE250, {odd}));
    return 0;
}
