#include "audio_files.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cerrno>
#include <cstring>

namespace {

// The one temporary file being written, for removeUnfinishedOutput.
char unfinishedPath[4096];
volatile sig_atomic_t haveUnfinished = 0;

void markUnfinished(const std::string& temporary) {
    if (temporary.size() < sizeof unfinishedPath) {
        std::memcpy(unfinishedPath, temporary.c_str(), temporary.size() + 1);
        haveUnfinished = 1;
    }
}

SNDFILE* handle(void* file) {
    return static_cast<SNDFILE*>(file);
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int subtype(SampleFormat format) {
    switch (format) {
    case SampleFormat::Pcm16:
        return SF_FORMAT_PCM_16;
    case SampleFormat::Pcm24:
        return SF_FORMAT_PCM_24;
    case SampleFormat::Float:
        break;
    }
    return SF_FORMAT_FLOAT;
}

} // namespace

WavWriter::WavWriter(const std::string& path, int channels, int sampleRate, SampleFormat format)
    : path(path), channels(channels) {
    struct stat info{};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        throw AudioFileError("cannot write " + path + ": it is a directory");
    }
    std::string pattern = directoryOf(path) + "/." + baseName(path) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        throw AudioFileError("cannot write " + path + ": " + std::strerror(errno));
    }
    temporaryPath = name.data();
    markUnfinished(temporaryPath);
    // mkstemp makes the file private; the finished file gets the usual
    // permissions, as if it had been created directly.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);

    SF_INFO sfinfo{};
    sfinfo.samplerate = sampleRate;
    sfinfo.channels = channels;
    // RF64 that turns itself back into plain WAV when it ends under 4 GiB,
    // so that very long renders still make a valid file.
    sfinfo.format = SF_FORMAT_RF64 | subtype(format);
    file = sf_open_fd(fd, SFM_WRITE, &sfinfo, SF_TRUE);
    if (file == nullptr) {
        // libsndfile has closed the descriptor it was given.
        const std::string why = sf_strerror(nullptr);
        unlink(temporaryPath.c_str());
        throw AudioFileError("cannot write " + path + ": " + why);
    }
    sf_command(handle(file), SFC_RF64_AUTO_DOWNGRADE, nullptr, SF_TRUE);
    // Integer formats clip instead of wrapping around.
    sf_command(handle(file), SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

WavWriter::~WavWriter() {
    discard();
}

void removeUnfinishedOutput() {
    if (haveUnfinished) {
        unlink(unfinishedPath);
    }
}

void WavWriter::discard() {
    haveUnfinished = 0;
    if (file != nullptr) {
        sf_close(handle(file));
        file = nullptr;
        unlink(temporaryPath.c_str());
    }
}

void WavWriter::write(const float* frames, std::int64_t frameCount) {
    if (sf_writef_float(handle(file), frames, frameCount) != frameCount) {
        const std::string why = sf_strerror(handle(file));
        discard();
        throw AudioFileError("cannot write " + path + ": " + why);
    }
}

void WavWriter::commit() {
    if (file == nullptr) {
        throw AudioFileError("cannot write " + path + ": the file was already given up");
    }
    sf_write_sync(handle(file));
    haveUnfinished = 0;
    const int error = sf_close(handle(file));
    file = nullptr;
    if (error != 0) {
        unlink(temporaryPath.c_str());
        throw AudioFileError("cannot write " + path + ": " + sf_error_number(error));
    }
    if (rename(temporaryPath.c_str(), path.c_str()) != 0) {
        const std::string why = std::strerror(errno);
        unlink(temporaryPath.c_str());
        throw AudioFileError("cannot write " + path + ": " + why);
    }
}

AudioReader::AudioReader(const std::string& path) : path(path) {
    struct stat status{};
    if (stat(path.c_str(), &status) != 0) {
        throw AudioFileError("cannot read " + path + ": " + std::strerror(errno));
    }
    if (S_ISDIR(status.st_mode)) {
        throw AudioFileError("cannot read " + path + ": it is a directory");
    }
    SF_INFO info{};
    file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        throw AudioFileError("cannot read " + path + ": " + sf_strerror(nullptr));
    }
    channelCount = info.channels;
    rate = info.samplerate;
    frameCount = info.frames;
}

AudioReader::~AudioReader() {
    if (file != nullptr) {
        sf_close(handle(file));
    }
}

void AudioReader::read(float* interleaved, int frames) {
    sf_count_t got = 0;
    if (!ended) {
        got = sf_readf_float(handle(file), interleaved, frames);
        if (got < frames) {
            ended = true;
        }
    }
    std::fill(interleaved + got * channelCount, interleaved + static_cast<std::int64_t>(frames) * channelCount,
              0.0f);
}

AudioData readAudioFile(const std::string& path) {
    AudioReader reader(path);
    AudioData data;
    data.channels = reader.channels();
    data.sampleRate = reader.sampleRate();
    data.samples.resize(static_cast<std::size_t>(reader.frames() * reader.channels()));
    constexpr int kChunk = 65536;
    for (std::int64_t done = 0; done < reader.frames(); done += kChunk) {
        const int frames = static_cast<int>(std::min<std::int64_t>(kChunk, reader.frames() - done));
        reader.read(data.samples.data() + done * reader.channels(), frames);
    }
    return data;
}
