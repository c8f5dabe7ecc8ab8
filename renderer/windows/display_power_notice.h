#pragma once

#include <windows.h>

#include <optional>

#include "renderer/windows/display_power.h"

namespace nuvrel {

// The window's registration for the display's power notifications, which arrive as
// WM_POWERBROADCAST with PBT_POWERSETTINGCHANGE. The functions are looked up at run time;
// where the system lacks them nothing is registered and the renderer always draws.
class DisplayPowerNotice {
  public:
    DisplayPowerNotice() = default;
    DisplayPowerNotice(const DisplayPowerNotice&) = delete;
    DisplayPowerNotice& operator=(const DisplayPowerNotice&) = delete;
    ~DisplayPowerNotice() { Unregister(); }

    void Register(HWND window);
    void Unregister();

  private:
    HANDLE registration_ = nullptr;
};

// The power setting a test build reports, as the system would.
const GUID& ConsoleDisplayStateSetting();

// The display's power in a WM_POWERBROADCAST message; none for other power events and
// settings.
std::optional<DisplayPower> DisplayPowerIn(WPARAM event, LPARAM setting);

}  // namespace nuvrel
