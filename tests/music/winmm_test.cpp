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

// Wine has no CD driver, so there watching ends at the first tick; on a machine with a drive
// and an audio disc it goes on.
TEST_F(winmm_test, cd_watching_goes_on_only_while_the_drive_answers) {
    music.CdOpen();
    std::u16string answer;
    const bool driveAnswers =
        system.SendString(u"status cdaudio current track", &answer, 512) == 0 &&
        system.SendString(u"status cdaudio number of tracks", &answer, 512) == 0;
    EXPECT_EQ(music.CdWatch(), driveAnswers);
    EXPECT_EQ(music.CdKeepWatching, driveAnswers);
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

// Run both without a sound device and with the null one (see tests/CMakeLists.txt).
TEST_F(winmm_test, wav_plays_only_with_a_wave_device) {
    settings.BgmFile = u"C:\\no such folder\\missing.wav";
    settings.ApiResult = 12345;
    music.WavPlay();
    if (system.WaveOutDeviceCount() == 0) {
        EXPECT_EQ(settings.ApiResult, 12345) << "PlaySound was called without a device";
    } else {
        EXPECT_TRUE(settings.ApiResult == 0 || settings.ApiResult == 1)
            << "PlaySound's result was not stored: " << settings.ApiResult;
    }
    settings.ApiResult = 12345;
    music.WavStop();
    EXPECT_EQ(settings.ApiResult, 1) << "stopping every sound always succeeds";
}

}  // namespace
}  // namespace nuvrel
