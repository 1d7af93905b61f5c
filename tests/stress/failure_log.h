// Failures seen by any thread of the stress test: all are counted, the first
// few are kept word for word for the report.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class FailureLog {
public:
    // Safe from any thread; takes a lock only when something failed.
    void record(const std::string& what);
    std::int64_t count() const { return failures.load(std::memory_order_relaxed); }
    std::vector<std::string> firstFew() const;

private:
    static constexpr std::size_t kKept = 20;
    std::atomic<std::int64_t> failures{0};
    mutable std::mutex keptLock;
    std::vector<std::string> kept;
};
