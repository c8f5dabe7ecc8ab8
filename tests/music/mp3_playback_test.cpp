// The music file road through the real multimedia system (under Wine, with a null sound
// device and the system's MPEG decoder), on a short MP3 made for the test.

#include <gtest/gtest.h>

#include <windows.h>

#include "frontend/music/winmm_system.h"

namespace nuvrel {
namespace {

std::u16string WindowsPath(const char* unixPath) {
    std::u16string path = u"Z:";
    for (const char* c = unixPath; *c != '\0'; ++c) {
        path += *c == '/' ? u'\\' : static_cast<char16_t>(*c);
    }
    return path;
}

class mp3_playback_test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_GT(system.WaveOutDeviceCount(), 0)
            << "no wave-output device: the null sound device is not set up";
    }

    // Polls the mode, as the once-a-second timer would, until it is as wanted.
    bool WaitForPlaying(bool playing, DWORD milliseconds) {
        const DWORD deadline = GetTickCount() + milliseconds;
        while (music.Mp3IsPlaying() != playing) {
            if (static_cast<LONG>(deadline - GetTickCount()) <= 0) {
                return false;
            }
            Sleep(100);
        }
        return true;
    }

    Settings settings;
    WinmmSystem system;
    Music music{settings, system};
};

TEST_F(mp3_playback_test, plays_and_restarts_after_the_end) {
    settings.BgmFile = WindowsPath(NUVREL_TEST_MP3);
    music.Mp3Play();
    EXPECT_TRUE(WaitForPlaying(true, 3000));
    std::u16string mode;
    system.SendString(u"status MP3Play mode", &mode, 30);
    EXPECT_EQ(mode, u"playing");

    // The tone lasts a second and a half.
    ASSERT_TRUE(WaitForPlaying(false, 10000));
    music.Mp3Rewind();
    EXPECT_TRUE(WaitForPlaying(true, 1000)) << "not restarted within one tick";
    music.Mp3Stop();
    EXPECT_FALSE(music.Mp3IsPlaying());
}

TEST_F(mp3_playback_test, wav_loops_through_play_sound) {
    settings.BgmFile = WindowsPath(NUVREL_TEST_WAV);
    music.WavPlay();
    EXPECT_EQ(settings.ApiResult, 1);
    Sleep(500);
    music.WavStop();
    EXPECT_EQ(settings.ApiResult, 1);
}

}  // namespace
}  // namespace nuvrel
