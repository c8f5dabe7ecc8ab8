#include "renderer/windows/display_power_notice.h"

#include <cstring>

namespace nuvrel {
namespace {

constexpr GUID ConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID MonitorPowerOn = {
    0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

// Vista's: the renderer's import list keeps to what every supported system has.
using RegisterFunction = HANDLE(WINAPI*)(HANDLE, const GUID*, DWORD);
using UnregisterFunction = BOOL(WINAPI*)(HANDLE);

FARPROC User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
}

const GUID& SettingOfThisSystem() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return DisplayPowerSettingFor(version.dwMajorVersion, version.dwMinorVersion) ==
                   DisplayPowerSetting::ConsoleDisplayState
               ? ConsoleDisplayState
               : MonitorPowerOn;
}

bool SameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

void DisplayPowerNotice::Register(HWND window) {
    Unregister();
    const auto registerNotification = reinterpret_cast<RegisterFunction>(
        reinterpret_cast<void*>(User32Function("RegisterPowerSettingNotification")));
    if (registerNotification != nullptr) {
        registration_ =
            registerNotification(window, &SettingOfThisSystem(), DEVICE_NOTIFY_WINDOW_HANDLE);
    }
}

void DisplayPowerNotice::Unregister() {
    if (registration_ == nullptr) {
        return;
    }
    const auto unregisterNotification = reinterpret_cast<UnregisterFunction>(
        reinterpret_cast<void*>(User32Function("UnregisterPowerSettingNotification")));
    if (unregisterNotification != nullptr) {
        unregisterNotification(registration_);
    }
    registration_ = nullptr;
}

const GUID& ConsoleDisplayStateSetting() {
    return ConsoleDisplayState;
}

std::optional<DisplayPower> DisplayPowerIn(WPARAM event, LPARAM setting) {
    if (event != PBT_POWERSETTINGCHANGE || setting == 0) {
        return std::nullopt;
    }
    const auto& changed = *reinterpret_cast<const POWERBROADCAST_SETTING*>(setting);
    const bool display = SameGuid(changed.PowerSetting, ConsoleDisplayState) ||
                         SameGuid(changed.PowerSetting, MonitorPowerOn);
    DWORD value = 0;
    if (!display || changed.DataLength < sizeof value) {
        return std::nullopt;
    }
    std::memcpy(&value, changed.Data, sizeof value);
    return DisplayPowerOf(value);
}

}  // namespace nuvrel
