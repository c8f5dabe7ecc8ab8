// The music with the real multimedia system (under Wine, without a CD drive).

#include "frontend/music/winmm_system.h"

#include <gtest/gtest.h>

namespace nuvrel {
namespace {

class winmm_test : public ::testing::Test {
  protected:
    Settings settings;
    WinmmSystem system;
    Music music{settings, system};
};

TEST_F(winmm_test, no_cd_drive_stops_watching_at_the_first_tick) {
    music.CdOpen();
    EXPECT_NE(settings.ApiResult, 0);
    EXPECT_FALSE(music.CdWatch());
    EXPECT_FALSE(music.CdKeepWatching);
    music.CdStop();
}

TEST_F(winmm_test, an_mp3_that_cannot_be_opened_plays_nothing) {
    settings.BgmFile = u"C:\\no such folder\\missing.mp3";
    music.Mp3Play();
    EXPECT_FALSE(music.Mp3IsPlaying());
    music.Mp3Rewind();
    EXPECT_FALSE(music.Mp3IsPlaying());
    music.Mp3Stop();
}

TEST_F(winmm_test, failed_commands_answer_with_the_system_error_text) {
    EXPECT_EQ(music.MciCommand(u"status nosuchdevice mode").rfind(u"Error:", 0), 0u);
    EXPECT_FALSE(music.LastReply().empty());
}

TEST_F(winmm_test, wav_plays_only_with_a_wave_device) {
    settings.BgmFile = u"C:\\no such folder\\missing.wav";
    settings.ApiResult = 12345;
    music.WavPlay();
    if (system.WaveOutDeviceCount() == 0) {
        EXPECT_EQ(settings.ApiResult, 12345);
    }
    music.WavStop();
}

}  // namespace
}  // namespace nuvrel
