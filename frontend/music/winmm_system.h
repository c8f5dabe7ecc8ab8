#pragma once

#include "frontend/music/music.h"

namespace nuvrel {

// The real multimedia calls, through their wide entries so that a music path in any script
// reaches the device intact.
class WinmmSystem final : public MciSystem {
  public:
    std::int32_t SendString(const std::u16string& command, std::u16string* reply,
                            int replyLength) override;
    bool ErrorString(std::int32_t code, std::u16string& text) override;
    int WaveOutDeviceCount() override;
    std::int32_t PlaySoundName(const std::u16string* sound, std::uint32_t flags) override;
};

}  // namespace nuvrel
