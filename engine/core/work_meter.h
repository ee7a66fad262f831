#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>

namespace varnel {

// Why a search stopped: it finished (none), its counted budget ran out, the
// caller cancelled, or the clock's safety net fired. Only the last depends on
// the machine.
enum class stop_reason : std::uint8_t { none, budget, cancelled, clock };

// Counts a search's work so that a budget stops it at the same point on every
// machine. One meter per request; each phase draws a share of it through a
// child meter, whose every granted unit counts in its parents too, so the
// request's budget caps the whole search. Units are counted only as granted.
// The cancel flag and the clock are polled by the request's meter every
// `poll_interval` granted units; the clock is a far safety net, and a result
// it cut short must say so. It counts the processor time the program has
// used, not the time on the wall, so other programs keeping the processor
// busy do not make it fire.
class work_meter {
public:
    work_meter(std::uint64_t budget, const std::atomic<bool>* cancel, double seconds_cap)
        : budget_(budget), cancel_(cancel), cap_(seconds_cap), start_(std::clock()) {}

    // A phase's meter: at most `share` of the units left here. It refers to
    // this meter, which must outlive it and stay where it is.
    work_meter child(std::uint64_t share) {
        work_meter c(share < left() ? share : left(), nullptr, 0.0);
        c.parent_ = this;
        return c;
    }

    // Grants `units` of work, or refuses them (false) once this meter or one
    // above it has stopped or the units are more than is left.
    bool spend(std::uint64_t units) {
        if (stopped() || !room_for(units)) return false;
        for (work_meter* m = this; m != nullptr; m = m->parent_) {
            m->used_ += units;
            if (m->parent_ == nullptr) m->poll();
        }
        return !stopped();
    }

    bool stopped() const { return reason() != stop_reason::none; }
    // This meter's own reason, else the first one above it that stopped.
    stop_reason reason() const {
        if (reason_ != stop_reason::none || parent_ == nullptr) return reason_;
        return parent_->reason();
    }
    bool cancelled() const { return reason() == stop_reason::cancelled; }
    bool budget_spent() const { return reason() == stop_reason::budget; }
    bool clock_cap_hit() const { return reason() == stop_reason::clock; }
    std::uint64_t used() const { return used_; }
    std::uint64_t left() const {
        const std::uint64_t own = budget_ - used_;
        if (parent_ == nullptr) return own;
        const std::uint64_t above = parent_->left();
        return own < above ? own : above;
    }

    static constexpr std::uint64_t poll_interval = 1 << 16;

private:
    // Whether every meter from the request's down to this one has `units`
    // left; the highest that has not stops, so that running out of the
    // request's budget stops the request.
    bool room_for(std::uint64_t units) {
        if (parent_ != nullptr && !parent_->room_for(units)) return false;
        if (units <= budget_ - used_) return true;
        reason_ = stop_reason::budget;
        return false;
    }

    void poll() {
        if (used_ < next_poll_) return;
        next_poll_ = used_ + poll_interval;
        if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed)) {
            reason_ = stop_reason::cancelled;
        } else if (static_cast<double>(std::clock() - start_) > cap_ * CLOCKS_PER_SEC) {
            reason_ = stop_reason::clock;
        }
    }

    std::uint64_t budget_;
    const std::atomic<bool>* cancel_;
    double cap_;
    std::clock_t start_;
    work_meter* parent_ = nullptr;
    std::uint64_t used_ = 0;
    std::uint64_t next_poll_ = 0;
    stop_reason reason_ = stop_reason::none;
};

}  // namespace varnel
