#include "frontend/music/music.h"

#include "tests/support/fake_mci.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace nuvrel {
namespace {

using testing::FakeSystem;

// A CD drive with a disc of some tracks that plays on from track to track.
struct FakeDrive {
    bool present = true;
    int tracks = 8;
    int currentTrack = 1;
    bool playing = false;
    bool atEnd = false;  // stopped after the last track: a play from here plays nothing

    void PlayToTheEnd() {
        currentTrack = tracks;
        playing = false;
        atEnd = true;
    }

    FakeSystem::Answer Respond(const std::string& command) {
        if (!present) {
            return {266, u""};  // no driver for the device
        }
        if (command == "status cdaudio current track") {
            return {0, Text(currentTrack)};
        }
        if (command == "status cdaudio number of tracks") {
            return {0, Text(tracks)};
        }
        if (command == "status cdaudio mode") {
            return {0, playing ? u"playing" : u"stopped"};
        }
        const std::string positionQuery = "status cdaudio position track ";
        if (command.rfind(positionQuery, 0) == 0) {
            const int track = std::stoi(command.substr(positionQuery.size()));
            if (track > tracks) {
                return {277, u""};
            }
            return {0, Text(track) + u":00:00:00"};
        }
        if (command == "play cdaudio") {
            playing = !atEnd;
            return {};
        }
        if (command == "seek cdaudio to start") {
            currentTrack = 1;
            playing = false;
            atEnd = false;
            return {};
        }
        const std::string playFrom = "play cdaudio from ";
        if (command.rfind(playFrom, 0) == 0) {
            if (command.find("Error") != std::string::npos) {
                return {274, u""};
            }
            currentTrack = std::stoi(command.substr(playFrom.size()));
            playing = true;
            atEnd = false;
            return {};
        }
        return {};
    }

    static std::u16string Text(int number) {
        const std::string text = std::to_string(number);
        return std::u16string(text.begin(), text.end());
    }
};

class music_test : public ::testing::Test {
  protected:
    void UseDrive() {
        system.respond = [this](const std::string& command) { return drive.Respond(command); };
    }
    std::vector<std::string> TakeCommands() { return std::exchange(system.commands, {}); }

    Settings settings;
    FakeSystem system;
    FakeDrive drive;
    Music music{settings, system};
};

TEST_F(music_test, command_layer_turns_failures_into_texts) {
    system.respond = [](const std::string& command) {
        return command == "bad" ? FakeSystem::Answer{263, u"ignored"}
                                : FakeSystem::Answer{0, u"reply"};
    };
    EXPECT_EQ(music.MciCommand(u"good"), u"reply");
    EXPECT_EQ(settings.ApiResult, 0);
    EXPECT_EQ(music.MciCommand(u"bad"), u"Error:263");
    EXPECT_EQ(music.LastReply(), u"error text 3");
    EXPECT_EQ(settings.ApiResult, 263);

    system.errorTexts = false;
    std::u16string reply;
    EXPECT_EQ(music.MciSend(u"bad", reply), 263);
    EXPECT_EQ(reply, u"Error (文字列が取れません)");
}

TEST_F(music_test, empty_command_is_not_sent) {
    settings.ApiResult = 42;
    std::u16string reply;
    EXPECT_EQ(music.MciSend(u"", reply), -1);
    EXPECT_EQ(reply, u"コマンド文字列が指定されていません");
    EXPECT_EQ(settings.ApiResult, 42) << "nothing was sent, so no result is stored";

    EXPECT_EQ(music.MciCommand(u""), u"Error:-1");
    EXPECT_EQ(music.LastReply(), u"コマンド文字列が指定されていません");
    EXPECT_EQ(settings.ApiResult, -1) << "the command layer stores the code it returns";
    EXPECT_TRUE(system.commands.empty());
}

TEST_F(music_test, play_command_takes_only_the_positions_given) {
    music.MciPlay(u"cdaudio", u"", u"");
    music.MciPlay(u"cdaudio", u"3", u"");
    music.MciPlay(u"cdaudio", u"3", u"4");
    EXPECT_EQ(system.commands, (std::vector<std::string>{"play cdaudio", "play cdaudio from 3",
                                                         "play cdaudio from 3 to 4"}));
}

TEST_F(music_test, file_type_by_the_last_three_letters_in_any_case) {
    EXPECT_EQ(MusicFileTypeOf(u"C:\\a\\song.Mp3"), MusicFileType::Mp3);
    EXPECT_EQ(MusicFileTypeOf(u"C:\\a\\song.WAV"), MusicFileType::Wav);
    EXPECT_EQ(MusicFileTypeOf(u"C:\\a\\song.mp2"), MusicFileType::Other);
    EXPECT_EQ(MusicFileTypeOf(u"C:\\a\\song.wma"), MusicFileType::Other);
    EXPECT_EQ(MusicFileTypeOf(u"wav"), MusicFileType::Wav);
    EXPECT_EQ(MusicFileTypeOf(u"av"), MusicFileType::Other);
}

TEST_F(music_test, mp3_opens_plays_and_restarts_within_one_tick_of_ending) {
    settings.BgmFile = u"C:\\My Music\\song.mp3";
    bool playing = true;
    system.respond = [&playing](const std::string& command) {
        if (command == "status MP3Play mode") {
            return FakeSystem::Answer{0, playing ? u"playing" : u"stopped"};
        }
        return FakeSystem::Answer{};
    };
    music.Mp3Play();
    EXPECT_EQ(TakeCommands(),
              (std::vector<std::string>{
                  "open \"C:\\My Music\\song.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"}));
    music.Mp3Rewind();
    EXPECT_EQ(TakeCommands(), (std::vector<std::string>{"status MP3Play mode"}));
    playing = false;
    music.Mp3Rewind();
    EXPECT_EQ(TakeCommands(), (std::vector<std::string>{"status MP3Play mode", "stop MP3Play",
                                                        "play MP3Play from 0"}));
    music.Mp3Stop();
    EXPECT_EQ(TakeCommands(), (std::vector<std::string>{"stop MP3Play", "close MP3Play"}));
}

TEST_F(music_test, mp3_that_cannot_be_opened_is_not_played) {
    settings.BgmFile = u"C:\\missing.mp3";
    system.respond = [](const std::string& command) {
        return FakeSystem::Answer{command.rfind("open", 0) == 0 ? 275 : 263, u""};
    };
    music.Mp3Play();
    EXPECT_EQ(TakeCommands().size(), 1u);
    EXPECT_FALSE(music.Mp3IsPlaying());
}

TEST_F(music_test, mp3_mode_keeps_its_last_answer_when_none_comes) {
    int queries = 0;
    system.respond = [&queries](const std::string&) {
        ++queries;
        return queries == 1 ? FakeSystem::Answer{0, u"playing"} : FakeSystem::Answer{0, u"", false};
    };
    EXPECT_TRUE(music.Mp3IsPlaying());
    EXPECT_TRUE(music.Mp3IsPlaying());
}

TEST_F(music_test, wav_loops_through_play_sound_and_stops) {
    settings.BgmFile = u"C:\\loop.wav";
    music.WavPlay();
    music.WavStop();
    EXPECT_EQ(system.sounds, (std::vector<std::string>{"C:\\loop.wav 9", "<none> 0"}));
    EXPECT_EQ(settings.ApiResult, 1);
}

TEST_F(music_test, wav_without_a_wave_device_plays_nothing) {
    system.waveDevices = 0;
    settings.BgmFile = u"C:\\loop.wav";
    settings.ApiResult = 5;
    music.WavPlay();
    EXPECT_TRUE(system.sounds.empty());
    EXPECT_EQ(settings.ApiResult, 5);
}

TEST_F(music_test, cd_open_and_stop_commands) {
    music.CdOpen();
    music.CdStop();
    EXPECT_EQ(system.commands,
              (std::vector<std::string>{"open cdaudio", "set cdaudio time format tmsf",
                                        "stop cdaudio", "close cdaudio"}));
}

TEST_F(music_test, whole_disc_starts_once_and_then_only_asks) {
    UseDrive();
    EXPECT_TRUE(music.CdWatch());
    EXPECT_EQ(TakeCommands(), (std::vector<std::string>{"status cdaudio current track",
                                                        "status cdaudio number of tracks",
                                                        "status cdaudio mode", "play cdaudio"}));
    EXPECT_TRUE(music.CdWatch());
    EXPECT_EQ(TakeCommands().size(), 3u);
    EXPECT_TRUE(drive.playing);
}

TEST_F(music_test, whole_disc_starts_again_from_the_beginning_after_its_end) {
    UseDrive();
    EXPECT_TRUE(music.CdWatch());
    TakeCommands();
    drive.PlayToTheEnd();
    EXPECT_TRUE(music.CdWatch());
    EXPECT_EQ(TakeCommands(), (std::vector<std::string>{
                                  "status cdaudio current track", "status cdaudio number of tracks",
                                  "status cdaudio mode", "seek cdaudio to start", "play cdaudio"}));
    EXPECT_TRUE(drive.playing);
    EXPECT_EQ(drive.currentTrack, 1);
    EXPECT_TRUE(music.CdWatch());
    EXPECT_EQ(TakeCommands().size(), 3u) << "a playing disc hears nothing but queries";
}

// A drive left at the end of the disc by an earlier run: the first play from there plays
// nothing, and the next tick starts the disc from the beginning.
TEST_F(music_test, whole_disc_found_at_its_end_starts_from_the_beginning_at_the_next_tick) {
    UseDrive();
    drive.PlayToTheEnd();
    EXPECT_TRUE(music.CdWatch());
    EXPECT_EQ(TakeCommands().back(), "play cdaudio");
    EXPECT_FALSE(drive.playing);
    EXPECT_TRUE(music.CdWatch());
    EXPECT_TRUE(drive.playing);
    EXPECT_EQ(drive.currentTrack, 1);
}

TEST_F(music_test, repeated_track_is_restarted_when_the_next_one_begins) {
    UseDrive();
    settings.BgmRepeat = 3;
    EXPECT_TRUE(music.CdWatch());
    EXPECT_EQ(TakeCommands(), (std::vector<std::string>{
                                  "status cdaudio current track", "status cdaudio number of tracks",
                                  "status cdaudio mode", "status cdaudio position track 3",
                                  "play cdaudio from 3:00:00:00"}));
    EXPECT_TRUE(music.CdWatch());
    EXPECT_EQ(TakeCommands().size(), 3u);
    drive.currentTrack = 4;  // played on past the end of track 3
    EXPECT_TRUE(music.CdWatch());
    EXPECT_EQ(TakeCommands().back(), "play cdaudio from 3:00:00:00");
    EXPECT_EQ(drive.currentTrack, 3);
}

TEST_F(music_test, track_beyond_the_disc_keeps_trying_without_stopping) {
    UseDrive();
    settings.BgmRepeat = 12;
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_TRUE(music.CdWatch());
        EXPECT_FALSE(drive.playing);
        EXPECT_EQ(TakeCommands().back(), "play cdaudio from Error:277");
    }
}

TEST_F(music_test, no_drive_or_no_disc_stops_watching_at_the_first_tick) {
    UseDrive();
    drive.present = false;
    EXPECT_FALSE(music.CdWatch());
    EXPECT_FALSE(music.CdKeepWatching);
    EXPECT_EQ(TakeCommands(), (std::vector<std::string>{"status cdaudio current track"}));

    drive.present = true;
    system.respond = [this](const std::string& command) {
        if (command == "status cdaudio number of tracks") {
            return FakeSystem::Answer{264, u""};  // no disc in the drive
        }
        return drive.Respond(command);
    };
    EXPECT_FALSE(music.CdWatch());
    EXPECT_EQ(TakeCommands().size(), 2u);
}

TEST_F(music_test, disc_removed_while_playing_stops_watching) {
    UseDrive();
    settings.BgmRepeat = 2;
    EXPECT_TRUE(music.CdWatch());
    drive.present = false;
    EXPECT_FALSE(music.CdWatch());
}

TEST_F(music_test, current_track_that_is_no_number_stops_watching) {
    UseDrive();
    settings.BgmRepeat = 2;
    system.respond = [this](const std::string& command) {
        if (command == "status cdaudio current track") {
            return FakeSystem::Answer{0, u"two"};
        }
        return drive.Respond(command);
    };
    EXPECT_FALSE(music.CdWatch());
}

}  // namespace
}  // namespace nuvrel
