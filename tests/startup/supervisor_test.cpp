#include "frontend/startup/supervisor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/fake_mci.h"

namespace nuvrel {
namespace {

using testing::FakeSystem;

// The desktop's calls, written to the same ordered journal as the music's.
class FakeDesktop final : public SupervisorPlatform {
  public:
    explicit FakeDesktop(std::vector<std::string>& journal) : calls(journal) {}
    bool StartRenderer() override { return Log("start renderer"), rendererStarts; }
    bool RendererWindowExists() override { return rendererWindow; }
    bool RendererProcessEnded() override { return rendererEnded; }
    void StartTimer(SupervisorTimer timer) override { Log("start timer " + Name(timer)); }
    void StopTimer(SupervisorTimer timer) override { Log("stop timer " + Name(timer)); }
    void ShowCursorAgain() override { Log("show cursor"); }
    void EndProcess() override { Log("end"); }

    static std::string Name(SupervisorTimer timer) {
        return std::to_string(static_cast<int>(timer));
    }
    void Log(const std::string& call) { calls.push_back(call); }

    bool rendererStarts = true;
    bool rendererWindow = false;
    bool rendererEnded = false;
    std::vector<std::string>& calls;
};

class supervisor_test : public ::testing::Test {
  protected:
    Supervisor& Make(bool cursorHidden) {
        supervisor_.emplace(settings, music, desktop, cursorHidden);
        return *supervisor_;
    }
    void SetUp() override { system.journal = &journal; }
    // Everything that happened, music and desktop, in order since the last call.
    std::vector<std::string> Take() { return std::exchange(journal, {}); }
    void RunUntilRendererCloses(Supervisor& supervisor) {
        desktop.rendererWindow = true;
        supervisor.OnTimer(SupervisorTimer::RendererWatch);
        EXPECT_TRUE(supervisor.RendererSeen);
        desktop.rendererWindow = false;
        supervisor.OnTimer(SupervisorTimer::RendererWatch);
    }

    std::vector<std::string> journal;
    Settings settings;
    FakeSystem system;
    Music music{settings, system};
    FakeDesktop desktop{journal};
    std::optional<Supervisor> supervisor_;
};

TEST_F(supervisor_test, no_music_starts_the_renderer_and_ends_after_its_window_goes) {
    Supervisor& supervisor = Make(true);
    supervisor.Load();
    EXPECT_EQ(Take(), (std::vector<std::string>{"start renderer", "start timer 3"}));
    supervisor.OnTimer(SupervisorTimer::RendererWatch);
    EXPECT_FALSE(supervisor.RendererSeen);
    EXPECT_TRUE(Take().empty());
    RunUntilRendererCloses(supervisor);
    EXPECT_EQ(Take(), (std::vector<std::string>{"stop timer 3", "show cursor", "end"}));
}

TEST_F(supervisor_test, a_visible_cursor_is_left_alone) {
    Supervisor& supervisor = Make(false);
    supervisor.Load();
    Take();
    RunUntilRendererCloses(supervisor);
    EXPECT_EQ(Take(), (std::vector<std::string>{"stop timer 3", "end"}));
}

TEST_F(supervisor_test, wav_loops_from_load_to_close_without_a_timer) {
    settings.BgmKind = 2;
    settings.BgmFile = u"C:\\x\\loop.Wav";
    Supervisor& supervisor = Make(true);
    supervisor.Load();
    EXPECT_EQ(Take(), (std::vector<std::string>{"sound C:\\x\\loop.Wav 9", "start renderer",
                                                "start timer 3"}));
    RunUntilRendererCloses(supervisor);
    EXPECT_EQ(Take(),
              (std::vector<std::string>{"stop timer 3", "sound <none> 0", "show cursor", "end"}));
}

TEST_F(supervisor_test, mp3_plays_first_and_its_timer_stops_before_the_device_closes) {
    settings.BgmKind = 2;
    settings.BgmFile = u"C:\\song.mp3";
    Supervisor& supervisor = Make(false);
    supervisor.Load();
    EXPECT_EQ(Take(), (std::vector<std::string>{
                          "mci open \"C:\\song.mp3\" type MPEGVideo Alias MP3Play",
                          "mci play MP3Play", "start timer 1", "start renderer", "start timer 3"}));
    supervisor.OnTimer(SupervisorTimer::Mp3);
    EXPECT_EQ(Take().front(), "mci status MP3Play mode");
    RunUntilRendererCloses(supervisor);
    EXPECT_EQ(Take(), (std::vector<std::string>{"stop timer 3", "stop timer 1", "mci stop MP3Play",
                                                "mci close MP3Play", "end"}));
}

TEST_F(supervisor_test, other_file_endings_play_nothing) {
    settings.BgmKind = 2;
    settings.BgmFile = u"C:\\song.mp2";
    Supervisor& supervisor = Make(false);
    supervisor.Load();
    EXPECT_EQ(Take(), (std::vector<std::string>{"start renderer", "start timer 3"}));
}

TEST_F(supervisor_test, cd_that_stopped_watching_is_not_stopped_at_the_end) {
    settings.BgmKind = 1;
    system.respond = [](const std::string&) { return FakeSystem::Answer{266, u""}; };
    Supervisor& supervisor = Make(false);
    supervisor.Load();
    EXPECT_EQ(Take(),
              (std::vector<std::string>{"mci open cdaudio", "mci set cdaudio time format tmsf",
                                        "start timer 2", "start renderer", "start timer 3"}));
    supervisor.OnTimer(SupervisorTimer::Cd);
    EXPECT_EQ(Take(),
              (std::vector<std::string>{"mci status cdaudio current track", "stop timer 2"}));
    RunUntilRendererCloses(supervisor);
    EXPECT_EQ(Take(), (std::vector<std::string>{"stop timer 3", "end"}));
}

TEST_F(supervisor_test, cd_still_watched_is_stopped_at_the_end) {
    settings.BgmKind = 1;
    Supervisor& supervisor = Make(false);
    supervisor.Load();
    Take();
    RunUntilRendererCloses(supervisor);
    EXPECT_EQ(Take(), (std::vector<std::string>{"stop timer 3", "stop timer 2", "mci stop cdaudio",
                                                "mci close cdaudio", "end"}));
}

TEST_F(supervisor_test, renderer_that_cannot_start_ends_run_mode_and_its_music) {
    settings.BgmKind = 2;
    settings.BgmFile = u"C:\\loop.wav";
    desktop.rendererStarts = false;
    Supervisor& supervisor = Make(true);
    supervisor.Load();
    EXPECT_EQ(Take(), (std::vector<std::string>{"sound C:\\loop.wav 9", "start renderer",
                                                "sound <none> 0", "show cursor", "end"}));
}

TEST_F(supervisor_test, renderer_that_ends_before_its_window_was_seen_ends_run_mode) {
    Supervisor& supervisor = Make(true);
    supervisor.Load();
    Take();
    supervisor.OnTimer(SupervisorTimer::RendererWatch);
    EXPECT_TRUE(Take().empty());
    desktop.rendererEnded = true;
    supervisor.OnTimer(SupervisorTimer::RendererWatch);
    EXPECT_EQ(Take(), (std::vector<std::string>{"stop timer 3", "show cursor", "end"}));
}

TEST_F(supervisor_test, intervals_of_the_three_timers) {
    EXPECT_EQ(IntervalOf(SupervisorTimer::Mp3), 1000u);
    EXPECT_EQ(IntervalOf(SupervisorTimer::Cd), 200u);
    EXPECT_EQ(IntervalOf(SupervisorTimer::RendererWatch), 500u);
}

}  // namespace
}  // namespace nuvrel
