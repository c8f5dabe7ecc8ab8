#include "renderer/pacing/frame_pacer.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace nuvrel {
namespace {

using namespace std::chrono_literals;

// A clock that only moves when the test says: the loop of a renderer, frame by frame.
struct FakeLoop {
    explicit FakeLoop(int refreshHz) : pacer(refreshHz) {}

    // Draws one frame that takes the time given, then waits as the pacer says. Returns
    // the wait.
    Microseconds Frame(Microseconds drawing) {
        now += drawing;
        const Microseconds wait = pacer.WaitAfterFrame(now);
        now += wait;
        ++frames;
        return wait;
    }

    double FramesPerSecond(PaceClock::time_point since, int framesSince) const {
        return (frames - framesSince) / std::chrono::duration<double>(now - since).count();
    }

    FramePacer pacer;
    PaceClock::time_point now{10s};
    int frames = 0;
};

TEST(frame_pacer_test, swap_interval_keeps_every_display_near_sixty_steps_a_second) {
    const std::vector<std::pair<int, int>> table = {{60, 1},  {75, 1},  {120, 2}, {144, 2},
                                                    {165, 3}, {240, 4}, {50, 1},  {30, 1},
                                                    {0, 1},   {1, 1},   {-5, 1}};
    for (const auto& [refresh, interval] : table) {
        SCOPED_TRACE(refresh);
        EXPECT_EQ(SwapIntervalFor(refresh), interval);
        const double stepsPerSecond = 1e6 / FramePeriodFor(refresh).count();
        if (refresh >= 55) {
            EXPECT_GE(stepsPerSecond, 54.9);
            EXPECT_LE(stepsPerSecond, 75.5);
        }
    }
    EXPECT_EQ(FramePeriodFor(60), 16667us);
    EXPECT_EQ(FramePeriodFor(0), FramePeriodFor(60));
    EXPECT_EQ(FramePeriodFor(1), FramePeriodFor(60));
    EXPECT_EQ(FramePeriodFor(144), 13889us);  // 72 steps a second
    EXPECT_EQ(FramePeriodFor(30), 33333us);   // a slow display is not sped up
}

TEST(frame_pacer_test, waits_for_nothing_while_vsync_holds_the_pace) {
    for (int refresh : {60, 120, 144, 240}) {
        SCOPED_TRACE(refresh);
        FakeLoop loop(refresh);
        const Microseconds period = loop.pacer.Period();
        for (int frame = 0; frame < 200; ++frame) {
            // The swap returns at the refresh: each frame takes the whole period, give or
            // take a little jitter.
            const Microseconds jitter{(frame % 3 - 1) * 300};
            EXPECT_EQ(loop.Frame(period + jitter), 0us) << "frame " << frame;
        }
    }
}

TEST(frame_pacer_test, holds_the_pace_when_vsync_is_ignored) {
    for (int refresh : {60, 144, 0}) {
        SCOPED_TRACE(refresh);
        FakeLoop loop(refresh);
        loop.Frame(2ms);
        const auto since = loop.now;
        for (int frame = 0; frame < 600; ++frame) {
            const Microseconds wait = loop.Frame(Microseconds{2000 + frame % 7 * 500});
            EXPECT_GT(wait, 0us);
            EXPECT_LE(wait, loop.pacer.Period());
        }
        const double expected = 1e6 / loop.pacer.Period().count();
        EXPECT_NEAR(loop.FramesPerSecond(since, 1), expected, 0.1);
    }
}

TEST(frame_pacer_test, a_late_frame_causes_no_burst_of_catch_up_frames) {
    FakeLoop loop(60);
    for (int frame = 0; frame < 10; ++frame) {
        loop.Frame(4ms);
    }
    EXPECT_EQ(loop.Frame(100ms), 0us);  // six periods late
    for (int frame = 0; frame < 10; ++frame) {
        const Microseconds wait = loop.Frame(4ms);
        EXPECT_EQ(wait, loop.pacer.Period() - 4ms) << "frame " << frame << " after the late one";
    }
}

TEST(frame_pacer_test, frames_slower_than_the_period_never_wait) {
    FakeLoop loop(60);
    for (int frame = 0; frame < 100; ++frame) {
        EXPECT_EQ(loop.Frame(Microseconds{20000 + frame % 5 * 1000}), 0us);
    }
}

TEST(frame_pacer_test, a_clock_that_jumps_never_stalls_nor_rushes_the_frames) {
    FakeLoop loop(60);
    for (int frame = 0; frame < 5; ++frame) {
        loop.Frame(4ms);
    }
    // Forward by an hour: one frame counts as late, then the pace goes on.
    EXPECT_EQ(loop.Frame(1h), 0us);
    EXPECT_EQ(loop.Frame(4ms), loop.pacer.Period() - 4ms);

    // Back by an hour: the wait is never longer than one period.
    loop.now -= 1h;
    const Microseconds wait = loop.Frame(4ms);
    EXPECT_LE(wait, loop.pacer.Period());
    EXPECT_GT(wait, 0us);
    EXPECT_EQ(loop.Frame(4ms), loop.pacer.Period() - 4ms);
}

}  // namespace
}  // namespace nuvrel
