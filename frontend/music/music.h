#pragma once

#include <cstdint>
#include <string>

#include "frontend/settings/settings.h"

namespace nuvrel {

// The system's multimedia calls that the music needs: MCI command strings, their error
// texts, the wave-output device count and PlaySound.
class MciSystem {
  public:
    virtual ~MciSystem() = default;
    // Sends a command. With a reply buffer, the device may overwrite its contents with at most
    // replyLength - 1 characters; it keeps what it held when the device writes nothing.
    virtual std::int32_t SendString(const std::u16string& command, std::u16string* reply,
                                    int replyLength) = 0;
    // The text of an error code; false when it cannot be had.
    virtual bool ErrorString(std::int32_t code, std::u16string& text) = 0;
    virtual int WaveOutDeviceCount() = 0;
    // PlaySound with a sound name (none: stop) and flags; returns the system's result.
    virtual std::int32_t PlaySoundName(const std::u16string* sound, std::uint32_t flags) = 0;
};

namespace play_sound_flags {
constexpr std::uint32_t Async = 0x1;
constexpr std::uint32_t Loop = 0x8;
}  // namespace play_sound_flags

// Which road a music file takes, by the last three letters of its name in any case.
enum class MusicFileType { Wav, Mp3, Other };
MusicFileType MusicFileTypeOf(const std::u16string& path);

// Background music: an MP3 file through MCI, restarted whenever it is found stopped; a WAV
// file looping through PlaySound; an audio CD through MCI, one track repeated or the whole
// disc. Failures are silent: nothing plays, and nothing is ever shown.
class Music {
  public:
    Music(Settings& settings, MciSystem& system) : settings_(settings), system_(system) {}

    // The command layer: MCI error codes, or "Error:" and the code, instead of exceptions.
    std::int32_t MciSend(const std::u16string& command, std::u16string& reply);
    std::u16string MciCommand(const std::u16string& command);
    std::int32_t MciPlay(const std::u16string& device, const std::u16string& from,
                         const std::u16string& to);

    void Mp3Play();
    bool Mp3IsPlaying();
    void Mp3Rewind();  // one tick of the once-a-second MP3 timer
    void Mp3Stop();
    void WavPlay();
    void WavStop();

    void CdOpen();
    bool CdWatch();  // one tick of the CD timer; the result is CdKeepWatching
    void CdStop();

    const std::u16string& LastReply() const { return lastReply_; }
    bool CdKeepWatching = false;

  private:
    std::int32_t Send(const std::u16string& command);
    void PlayWholeDisc();

    Settings& settings_;
    MciSystem& system_;
    std::u16string lastReply_;
    std::u16string mp3Mode_;      // the MP3 status answer; keeps its old text when none comes
    std::u16string cdMode_;       // the CD status answer, likewise
    bool cdDiscStarted_ = false;  // the whole disc has been asked to play once
};

}  // namespace nuvrel
