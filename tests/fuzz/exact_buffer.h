// Memory handed to the plug-in, allocated at exactly the size the host
// claims, so that AddressSanitizer reports a read or write one byte past it.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <utility>

class ExactBuffer {
public:
    ExactBuffer() = default;
    // size bytes, each set to fill. Zero bytes is still a block of its own
    // (the sanitizer's malloc(0)), in which every access is reported.
    ExactBuffer(std::size_t size, unsigned char fill) : block(std::malloc(size)), bytes(size) {
        if (block == nullptr && size != 0) {
            std::abort();
        }
        std::memset(block, fill, size);
    }
    ~ExactBuffer() { std::free(block); }
    ExactBuffer(ExactBuffer&& other) noexcept
        : block(std::exchange(other.block, nullptr)), bytes(std::exchange(other.bytes, 0)) {}
    ExactBuffer& operator=(ExactBuffer&& other) noexcept {
        std::swap(block, other.block);
        std::swap(bytes, other.bytes);
        return *this;
    }
    ExactBuffer(const ExactBuffer&) = delete;
    ExactBuffer& operator=(const ExactBuffer&) = delete;

    void* data() const { return block; }
    template <typename T> T* as() const { return static_cast<T*>(block); }
    std::size_t size() const { return bytes; }

private:
    void* block = nullptr;
    std::size_t bytes = 0;
};
