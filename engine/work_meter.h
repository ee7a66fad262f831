#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

namespace varnel {

// Counts the optimiser's work so that a budget stops it at the same point on
// every machine. The wall-clock cap is only a safety net; when it fires the
// result may differ between machines, and the caller is told.
class work_meter {
public:
    work_meter(std::uint64_t budget, const std::atomic<bool>* cancel, double seconds_cap)
        : budget_(budget),
          cancel_(cancel),
          cap_(seconds_cap),
          start_(std::chrono::steady_clock::now()) {}

    // Adds `units` of work; false once the budget is spent, the caller has
    // cancelled or the clock cap has passed.
    bool spend(std::uint64_t units) {
        used_ += units;
        if (stopped_) return false;
        if (used_ > budget_) {
            stopped_ = budget_spent_ = true;
        } else if (used_ >= next_poll_) {
            next_poll_ = used_ + poll_interval;
            if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) {
                stopped_ = cancelled_ = true;
            } else if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start_)
                           .count() > cap_) {
                stopped_ = clock_cap_hit_ = true;
            }
        }
        return !stopped_;
    }
    bool stopped() const { return stopped_; }
    bool cancelled() const { return cancelled_; }
    bool budget_spent() const { return budget_spent_; }
    bool clock_cap_hit() const { return clock_cap_hit_; }
    std::uint64_t used() const { return used_; }

private:
    static constexpr std::uint64_t poll_interval = 1 << 16;
    std::uint64_t budget_;
    const std::atomic<bool>* cancel_;
    double cap_;
    std::chrono::steady_clock::time_point start_;
    std::uint64_t used_ = 0;
    std::uint64_t next_poll_ = 0;
    bool stopped_ = false, cancelled_ = false, budget_spent_ = false, clock_cap_hit_ = false;
};

}  // namespace varnel
