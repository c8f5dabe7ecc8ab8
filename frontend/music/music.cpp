#include "frontend/music/music.h"

#include <optional>
#include <string>

namespace nuvrel {

namespace {

constexpr int ReplyLength = 512;
constexpr int ErrorTextLength = 256;
constexpr int Mp3ModeLength = 30;
constexpr int CdModeLength = 255;

const std::u16string Mp3Alias = u"MP3Play";
const std::u16string CdDevice = u"cdaudio";

std::u16string Decimal(std::int64_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

// The first seven characters of a mode answer against a seven-letter mode word.
bool ModeIs(const std::u16string& mode, const char16_t (&word)[8]) {
    return mode.compare(0, 7, word) == 0;
}

bool ContainsErr(const std::u16string& answer) {
    std::u16string upper = answer;
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return upper.find(u"ERR") != std::u16string::npos;
}

// A whole number in decimal digits, as a track number is answered; none otherwise.
std::optional<std::int64_t> TrackNumber(const std::u16string& answer) {
    if (answer.empty() || answer.size() > 9) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char16_t c : answer) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

}  // namespace

MusicFileType MusicFileTypeOf(const std::u16string& path) {
    if (path.size() < 3) {
        return MusicFileType::Other;
    }
    std::u16string ending = path.substr(path.size() - 3);
    for (char16_t& c : ending) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    if (ending == u"WAV") {
        return MusicFileType::Wav;
    }
    return ending == u"MP3" ? MusicFileType::Mp3 : MusicFileType::Other;
}

std::int32_t Music::MciSend(const std::u16string& command, std::u16string& reply) {
    if (command.empty()) {
        reply = u"コマンド文字列が指定されていません";
        return -1;
    }
    std::u16string buffer;
    const std::int32_t code = system_.SendString(command, &buffer, ReplyLength);
    settings_.ApiResult = code;
    if (code == 0) {
        reply = buffer;
        return 0;
    }
    std::u16string text;
    if (system_.ErrorString(code, text)) {
        if (text.size() >= ErrorTextLength) {
            text.resize(ErrorTextLength - 1);
        }
        reply = text;
    } else {
        reply = u"Error (文字列が取れません)";
    }
    return code;
}

std::u16string Music::MciCommand(const std::u16string& command) {
    const std::int32_t code = MciSend(command, lastReply_);
    settings_.ApiResult = code;
    return code != 0 ? u"Error:" + Decimal(code) : lastReply_;
}

std::int32_t Music::MciPlay(const std::u16string& device, const std::u16string& from,
                            const std::u16string& to) {
    std::u16string command = u"play " + device;
    if (!from.empty()) {
        command += u" from " + from;
    }
    if (!to.empty()) {
        command += u" to " + to;
    }
    return MciSend(command, lastReply_);
}

std::int32_t Music::Send(const std::u16string& command) {
    return system_.SendString(command, nullptr, 0);
}

void Music::Mp3Play() {
    if (Send(u"open \"" + settings_.BgmFile + u"\" type MPEGVideo Alias " + Mp3Alias) == 0) {
        Send(u"play " + Mp3Alias);
    }
}

bool Music::Mp3IsPlaying() {
    system_.SendString(u"status " + Mp3Alias + u" mode", &mp3Mode_, Mp3ModeLength);
    return ModeIs(mp3Mode_, u"playing");
}

void Music::Mp3Rewind() {
    if (Mp3IsPlaying()) {
        return;
    }
    Send(u"stop " + Mp3Alias);
    Send(u"play " + Mp3Alias + u" from 0");
}

void Music::Mp3Stop() {
    Send(u"stop " + Mp3Alias);
    Send(u"close " + Mp3Alias);
}

void Music::WavPlay() {
    if (system_.WaveOutDeviceCount() <= 0) {
        return;
    }
    settings_.ApiResult =
        system_.PlaySoundName(&settings_.BgmFile, play_sound_flags::Async | play_sound_flags::Loop);
}

void Music::WavStop() {
    settings_.ApiResult = system_.PlaySoundName(nullptr, 0);
}

void Music::CdOpen() {
    settings_.ApiResult = Send(u"open " + CdDevice);
    settings_.ApiResult = Send(u"set " + CdDevice + u" time format tmsf");
}

// Gives up for good at the first sign of a missing drive or disc; otherwise starts the disc,
// or jumps back to the start of the repeated track once another track plays.
bool Music::CdWatch() {
    CdKeepWatching = true;
    const std::u16string currentTrack = MciCommand(u"status " + CdDevice + u" current track");
    if (ContainsErr(currentTrack)) {
        return CdKeepWatching = false;
    }
    if (ContainsErr(MciCommand(u"status " + CdDevice + u" number of tracks"))) {
        return CdKeepWatching = false;
    }
    settings_.ApiResult =
        system_.SendString(u"status " + CdDevice + u" mode", &cdMode_, CdModeLength);
    const bool stopped = ModeIs(cdMode_, u"stopped");

    if (settings_.BgmRepeat == 0) {
        if (stopped) {
            PlayWholeDisc();
        }
        return CdKeepWatching;
    }
    const auto track = TrackNumber(currentTrack);
    if (!track) {
        return CdKeepWatching = false;
    }
    if (stopped || *track != settings_.BgmRepeat) {
        const std::u16string start =
            MciCommand(u"status " + CdDevice + u" position track " + Decimal(settings_.BgmRepeat));
        MciPlay(CdDevice, start, u"");
    }
    return CdKeepWatching;
}

// The first play runs on from wherever the drive stands. A disc found stopped after that has
// played to its end, where a play from the current position would play nothing: it starts
// again from the beginning.
void Music::PlayWholeDisc() {
    if (cdDiscStarted_) {
        Send(u"seek " + CdDevice + u" to start");
    }
    MciPlay(CdDevice, u"", u"");
    cdDiscStarted_ = true;
}

void Music::CdStop() {
    settings_.ApiResult = Send(u"stop " + CdDevice);
    settings_.ApiResult = Send(u"close " + CdDevice);
}

}  // namespace nuvrel
