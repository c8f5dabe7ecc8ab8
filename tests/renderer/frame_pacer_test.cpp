#include "renderer/pacing/frame_pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// A display that refreshes every `refresh`, and a driver whose swap returns at the first
// refresh after the frame is ready, at least `interval` refreshes after the frame before.
// Between frames the loop sleeps as the pacer says, in whole milliseconds as the system's
// timers do.
struct FakeVsync {
    FakeVsync(double realHz, int reportedHz)
        : refresh(1e9 / realHz), interval(SwapIntervalFor(reportedHz)), pacer(reportedHz) {}

    // Draws for the duration given each frame over the run; returns the refreshes that
    // showed no new frame although one was due.
    long SkippedRefreshes(Microseconds drawing, std::chrono::seconds run) {
        const auto start = now;
        long refreshIndex = 0;
        long skipped = 0;
        while (now - start < run) {
            const double ready =
                std::chrono::duration<double, std::nano>(now + drawing - start).count();
            const long index = std::max(refreshIndex + interval,
                                        static_cast<long>(std::ceil(ready / refresh.count())));
            skipped += index - refreshIndex - interval;
            refreshIndex = index;
            const auto presented =
                start + std::chrono::duration_cast<PaceClock::duration>(index * refresh);
            now = presented +
                  std::chrono::ceil<std::chrono::milliseconds>(pacer.WaitAfterFrame(presented));
        }
        return skipped;
    }

    std::chrono::duration<double, std::nano> refresh;
    int interval;
    FramePacer pacer;
    PaceClock::time_point now{10s};
};

TEST(frame_pacer_test, vsync_at_a_refresh_reported_rounded_down_skips_no_refresh) {
    struct Display {
        double realHz;
        int reportedHz;
    };
    for (const Display display : {Display{60000.0 / 1001, 59}, Display{120000.0 / 1001, 119},
                                  Display{30000.0 / 1001, 29}, Display{60, 60}}) {
        for (const Microseconds drawing : {3000us, 10000us}) {
            SCOPED_TRACE(testing::Message()
                         << display.realHz << " Hz reported as " << display.reportedHz
                         << ", drawing " << drawing.count() << " us");
            FakeVsync vsync(display.realHz, display.reportedHz);
            EXPECT_EQ(vsync.SkippedRefreshes(drawing, 20s), 0);
        }
    }
}

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

TEST(frame_pacer_test, without_vsync_sixty_hertz_stays_near_sixty_frames_a_second) {
    for (const Microseconds drawing : {1000us, 3000us, 10000us, 15500us, 16000us}) {
        SCOPED_TRACE(drawing.count());
        FakeLoop loop(60);
        for (int frame = 0; frame < 1200; ++frame) {
            loop.now += drawing;
            loop.now +=
                std::chrono::ceil<std::chrono::milliseconds>(loop.pacer.WaitAfterFrame(loop.now));
            ++loop.frames;
        }
        const double rate = loop.FramesPerSecond(PaceClock::time_point{10s}, 0);
        EXPECT_GE(rate, 55);
        EXPECT_LE(rate, 65);
    }
}

TEST(frame_pacer_test, paces_itself_only_while_it_asks_for_waits) {
    FakeLoop loop(60);
    EXPECT_FALSE(loop.pacer.Pacing());
    loop.Frame(2ms);
    loop.Frame(2ms);
    EXPECT_TRUE(loop.pacer.Pacing()) << "no vsync: the pacer waits";
    for (int frame = 0; frame < 59; ++frame) {
        loop.Frame(loop.pacer.Period());
    }
    EXPECT_TRUE(loop.pacer.Pacing()) << "a second's grace before letting go";
    loop.Frame(loop.pacer.Period());
    EXPECT_FALSE(loop.pacer.Pacing()) << "vsync holds the pace";
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
