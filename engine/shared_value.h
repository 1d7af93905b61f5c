// A value that another thread may write or read at any moment: the host's
// parameter calls, the editor and the audio thread share a few fields, each
// read and written whole. Relaxed ordering is all most of them need and costs
// nothing on x86; it also tells the compiler (and ThreadSanitizer) the truth.
// A flag that announces other values is published and taken instead.
#pragma once

#include <atomic>

template <typename T> class SharedValue {
public:
    constexpr SharedValue() noexcept : value(T{}) {}
    constexpr explicit SharedValue(T initial) noexcept : value(initial) {}
    SharedValue(const SharedValue&) = delete;
    SharedValue& operator=(const SharedValue&) = delete;

    T load() const noexcept { return value.load(std::memory_order_relaxed); }
    void store(T newValue) noexcept { value.store(newValue, std::memory_order_relaxed); }

    // Stores desired only if the value still is expected (bit for bit):
    // a writer that came in between keeps its value.
    void replaceIfUnchanged(T expected, T desired) noexcept {
        value.compare_exchange_strong(expected, desired, std::memory_order_relaxed);
    }

    operator T() const noexcept { return load(); }
    SharedValue& operator=(T newValue) noexcept {
        store(newValue);
        return *this;
    }

    // For a flag that announces other values: publish stores it after them,
    // and whoever takes the flag (reads it and lowers it in one step) sees
    // every value stored before the publish it read. A publish that lands
    // after the take leaves the flag up for the next one.
    void publish(T newValue) noexcept { value.store(newValue, std::memory_order_release); }
    T take(T replacement) noexcept { return value.exchange(replacement, std::memory_order_acquire); }

private:
    std::atomic<T> value;
    static_assert(std::atomic<T>::is_always_lock_free, "shared values must never take a lock");
};
