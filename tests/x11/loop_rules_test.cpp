#include "renderer/x11/loop_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace nuvrel::x11 {
namespace {

TEST(loop_rules_test, its_own_window_is_drawn_at_the_size_it_has_when_mapped) {
    WindowState state = StartingWindowState(true, 800, 600);
    EXPECT_FALSE(ReadyToDraw(state));
    ApplyEvent(state, {EventKind::Configure, 500, 400});  // the window manager's size
    ApplyEvent(state, {EventKind::Map});
    EXPECT_TRUE(ReadyToDraw(state));
    EXPECT_EQ(state.width, 500);
    EXPECT_EQ(state.height, 400);
    EXPECT_TRUE(ReadyToDraw(StartingWindowState(false, 320, 240)));
}

TEST(loop_rules_test, endings) {
    WindowState unmapped = StartingWindowState(true, 800, 600);
    EXPECT_EQ(EndingNow(unmapped, false), Ending::Running);
    EXPECT_EQ(EndingNow(unmapped, true), Ending::Stopped);
    ApplyEvent(unmapped, {EventKind::Destroy});
    EXPECT_EQ(EndingNow(unmapped, false), Ending::WindowGone);
    EXPECT_EQ(ExitCode(EndingNow(unmapped, false)), 1);
    EXPECT_EQ(ExitCode(EndingNow(unmapped, true)), 0);

    for (const EventKind input : {EventKind::Key, EventKind::CloseRequest}) {
        WindowState own = StartingWindowState(true, 800, 600);
        WindowState given = StartingWindowState(false, 800, 600);
        ApplyEvent(own, {input});
        ApplyEvent(given, {input});
        EXPECT_EQ(EndingNow(own, false), Ending::Closed);
        EXPECT_EQ(EndingNow(given, false), Ending::Running) << "input belongs to its owner";
    }
}

TEST(loop_rules_test, moves_and_screen_changes_choose_the_monitor_again) {
    WindowState state = StartingWindowState(false, 320, 240);
    EXPECT_TRUE(state.placeChanged) << "chosen at the start";
    state.placeChanged = false;
    ApplyEvent(state, {EventKind::Configure, 320, 240});  // a move
    EXPECT_TRUE(state.placeChanged);
    EXPECT_FALSE(state.sizeChanged);
    state.placeChanged = false;
    ApplyEvent(state, {EventKind::ScreenChange});
    EXPECT_TRUE(state.placeChanged);
}

TEST(loop_rules_test, only_wm_delete_window_in_wm_protocols_is_the_close_button) {
    const ProtocolAtoms atoms{300, 301};
    EXPECT_EQ(ClientMessageKind({300, 32, 301}, atoms), EventKind::CloseRequest);
    EXPECT_EQ(ClientMessageKind({555, 32, 301}, atoms), EventKind::Other);
    EXPECT_EQ(ClientMessageKind({300, 32, 302}, atoms), EventKind::Other);  // WM_TAKE_FOCUS
    EXPECT_EQ(ClientMessageKind({300, 8, 301}, atoms), EventKind::Other);
}

TEST(loop_rules_test, only_errors_that_say_the_window_is_no_window_mean_it_went_away) {
    constexpr unsigned long Window = 0x400002;
    constexpr int GlxBase = 160;
    constexpr int BadValue = 2;
    constexpr int BadMatch = 8;
    constexpr int BadAccess = 10;
    EXPECT_TRUE(ErrorMeansWindowGone(BadWindowCode, Window, Window, GlxBase));
    EXPECT_TRUE(ErrorMeansWindowGone(BadDrawableCode, Window, Window, GlxBase));
    EXPECT_TRUE(ErrorMeansWindowGone(GlxBase + GlxBadDrawableOffset, Window, Window, GlxBase));
    EXPECT_FALSE(ErrorMeansWindowGone(BadWindowCode, Window + 1, Window, GlxBase));
    for (const int code : {BadValue, BadMatch, BadAccess}) {
        EXPECT_FALSE(ErrorMeansWindowGone(code, Window, Window, GlxBase)) << code;
    }
    EXPECT_FALSE(ErrorMeansWindowGone(GlxBadDrawableOffset - 1, Window, Window, -1));
}

// Frames drawn in the given time each, after the waits given; the intervals between
// presentations once the first frame has set the schedule.
std::vector<double> FrameIntervalsMs(FrameWaits& waits, double drawMs, int frames) {
    PaceClock::time_point now{};
    PaceClock::time_point last{};
    std::vector<double> intervals;
    for (int frame = 0; frame < frames; ++frame) {
        now += std::chrono::duration_cast<PaceClock::duration>(
            std::chrono::duration<double, std::milli>(drawMs));
        if (frame > 1) {
            intervals.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        }
        last = now;
        now += waits.AfterFrame(now);
    }
    return intervals;
}

TEST(loop_rules_test, the_delay_pauses_after_each_frame_on_top_of_the_pace) {
    struct Case {
        double drawMs;
        long delayUs;
        bool paced;
        double intervalMs;
    };
    for (const Case& c :
         {Case{3.0, 0, true, 16.667}, Case{3.0, 10000, true, 26.667}, Case{3.0, 1000, true, 17.667},
          Case{30.0, 10000, true, 40.0}, Case{3.0, 10000, false, 13.0}}) {
        FrameWaits waits(60, Microseconds{c.delayUs}, c.paced);
        for (const double interval : FrameIntervalsMs(waits, c.drawMs, 50)) {
            ASSERT_NEAR(interval, c.intervalMs, 0.01) << c.drawMs << " ms, " << c.delayUs << " us";
        }
    }
}

}  // namespace
}  // namespace nuvrel::x11
