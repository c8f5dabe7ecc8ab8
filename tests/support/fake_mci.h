#pragma once

#include <functional>
#include <string>
#include <vector>

#include "frontend/music/music.h"

namespace nuvrel::testing {

inline std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t c : text) {
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow;
}

// A scripted multimedia system: answers by command, records every call in order.
class FakeSystem final : public MciSystem {
  public:
    struct Answer {
        std::int32_t code = 0;
        std::u16string reply;
        bool writesReply = true;
    };

    std::int32_t SendString(const std::u16string& command, std::u16string* reply,
                            int replyLength) override {
        commands.push_back(Narrow(command));
        Journal("mci " + Narrow(command));
        Answer answer = respond ? respond(Narrow(command)) : Answer{};
        if (reply != nullptr && answer.writesReply) {
            *reply = answer.reply.substr(0, static_cast<std::size_t>(replyLength - 1));
        }
        return answer.code;
    }
    bool ErrorString(std::int32_t code, std::u16string& text) override {
        if (!errorTexts) {
            return false;
        }
        text = u"error text " + std::u16string(1, static_cast<char16_t>(u'0' + code % 10));
        return true;
    }
    int WaveOutDeviceCount() override { return waveDevices; }
    std::int32_t PlaySoundName(const std::u16string* sound, std::uint32_t flags) override {
        sounds.push_back((sound != nullptr ? Narrow(*sound) : "<none>") + " " +
                         std::to_string(flags));
        Journal("sound " + sounds.back());
        return 1;
    }
    void Journal(const std::string& entry) {
        if (journal != nullptr) {
            journal->push_back(entry);
        }
    }

    std::function<Answer(const std::string&)> respond;
    std::vector<std::string> commands;
    std::vector<std::string> sounds;
    // When set, commands ("mci ...") and sounds ("sound ...") are also written here, in the
    // order they happen among the calls of other fakes that share it.
    std::vector<std::string>* journal = nullptr;
    int waveDevices = 1;
    bool errorTexts = true;
};

}  // namespace nuvrel::testing
