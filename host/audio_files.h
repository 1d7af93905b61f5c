// WAV files through libsndfile: the rendered output, written so that a
// failed render never leaves a file that looks finished, and the input fed
// to plug-ins that have audio inputs.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

class AudioFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class SampleFormat { Float, Pcm16, Pcm24 };

// Writes into a hidden temporary file beside the destination and renames it
// into place on commit(); anything else (an error, an exception, a crash
// before commit) leaves the destination as it was.
class WavWriter {
public:
    WavWriter(const std::string& path, int channels, int sampleRate, SampleFormat format);
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Interleaved frames.
    void write(const float* frames, std::int64_t frameCount);
    void commit();

private:
    void discard();

    std::string path;
    std::string temporaryPath;
    void* file = nullptr; // SNDFILE*
    int channels;
};

// Reads a whole file's frames block by block; past its end, silence.
class AudioReader {
public:
    explicit AudioReader(const std::string& path);
    ~AudioReader();
    AudioReader(const AudioReader&) = delete;
    AudioReader& operator=(const AudioReader&) = delete;

    int channels() const { return channelCount; }
    int sampleRate() const { return rate; }
    std::int64_t frames() const { return frameCount; }
    // Fills `frameCount` interleaved frames, zero past the end of the file.
    void read(float* interleaved, int frameCount);

private:
    std::string path;
    void* file = nullptr; // SNDFILE*
    int channelCount = 0;
    int rate = 0;
    std::int64_t frameCount = 0;
    bool ended = false;
};

// Removes the temporary file of a render in progress; safe to call from a
// signal handler, so that an interrupted render leaves nothing behind.
void removeUnfinishedOutput();

// A whole file at once, for tests and small inputs.
struct AudioData {
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples; // interleaved
    std::int64_t frames() const { return channels > 0 ? static_cast<std::int64_t>(samples.size()) / channels : 0; }
};
AudioData readAudioFile(const std::string& path);
