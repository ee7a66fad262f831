#include "engine/core/work_meter.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(WorkMeter, OneBudgetForTheRequestAndItsPhases) {
    work_meter request(1000, nullptr, 1e9);
    {
        work_meter phase = request.child(300);
        EXPECT_TRUE(phase.spend(200));
        EXPECT_FALSE(phase.spend(200));  // beyond its share: refused, not counted
        EXPECT_EQ(phase.reason(), stop_reason::budget);
        EXPECT_EQ(phase.used(), 200u);
    }
    EXPECT_FALSE(request.stopped());  // a phase's share is not the request's budget
    EXPECT_EQ(request.used(), 200u);
    work_meter rest = request.child(5000);
    EXPECT_EQ(rest.left(), 800u);
    work_meter inner = rest.child(700);
    EXPECT_TRUE(inner.spend(700));
    EXPECT_EQ(request.used(), 900u);
    EXPECT_FALSE(rest.spend(101));  // more than the request has left
    EXPECT_EQ(request.reason(), stop_reason::budget);
    EXPECT_TRUE(rest.stopped() && inner.stopped());
    EXPECT_EQ(request.used(), 900u);
}

TEST(WorkMeter, ACancelReachesEveryPhase) {
    std::atomic<bool> cancel{false};
    work_meter request(1u << 30, &cancel, 1e9);
    work_meter phase = request.child(1u << 29);
    EXPECT_TRUE(phase.spend(1));
    cancel = true;
    EXPECT_FALSE(phase.spend(work_meter::poll_interval));
    EXPECT_EQ(phase.reason(), stop_reason::cancelled);
    EXPECT_TRUE(request.cancelled());
}

}  // namespace
}  // namespace varnel
