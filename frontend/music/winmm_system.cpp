#include "frontend/music/winmm_system.h"

#include <windows.h>

#include <mmsystem.h>

#include <vector>

namespace nuvrel {

namespace {

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string UpToNul(const std::vector<wchar_t>& buffer) {
    std::u16string text;
    for (wchar_t c : buffer) {
        if (c == L'\0') {
            break;
        }
        text += static_cast<char16_t>(c);
    }
    return text;
}

}  // namespace

std::int32_t WinmmSystem::SendString(const std::u16string& command, std::u16string* reply,
                                     int replyLength) {
    if (reply == nullptr || replyLength <= 0) {
        return static_cast<std::int32_t>(mciSendStringW(Wide(command), nullptr, 0, nullptr));
    }
    // The buffer starts with the old answer, which stays when the device writes nothing.
    std::vector<wchar_t> buffer(static_cast<std::size_t>(replyLength), L'\0');
    for (std::size_t i = 0; i < reply->size() && i + 1 < buffer.size(); ++i) {
        buffer[i] = static_cast<wchar_t>((*reply)[i]);
    }
    const MCIERROR code =
        mciSendStringW(Wide(command), buffer.data(), static_cast<UINT>(replyLength), nullptr);
    *reply = UpToNul(buffer);
    return static_cast<std::int32_t>(code);
}

bool WinmmSystem::ErrorString(std::int32_t code, std::u16string& text) {
    std::vector<wchar_t> buffer(256, L'\0');
    if (!mciGetErrorStringW(static_cast<MCIERROR>(code), buffer.data(),
                            static_cast<UINT>(buffer.size()))) {
        return false;
    }
    text = UpToNul(buffer);
    return true;
}

int WinmmSystem::WaveOutDeviceCount() {
    return static_cast<int>(waveOutGetNumDevs());
}

std::int32_t WinmmSystem::PlaySoundName(const std::u16string* sound, std::uint32_t flags) {
    return PlaySoundW(sound != nullptr ? Wide(*sound) : nullptr, nullptr, flags) ? 1 : 0;
}

}  // namespace nuvrel
