#include "renderer/windows/display_power.h"

namespace nuvrel {

DisplayPower DisplayPowerOf(std::uint32_t reported) {
    switch (reported) {
        case 0:
            return DisplayPower::Off;
        case 1:
            return DisplayPower::On;
        case 2:
            return DisplayPower::Dimmed;
        default:
            return DisplayPower::Unknown;
    }
}

FrameDuty FrameDutyWhile(DisplayPower power) {
    return power == DisplayPower::Off ? FrameDuty::Rest : FrameDuty::Draw;
}

DisplayPowerSetting DisplayPowerSettingFor(unsigned majorVersion, unsigned minorVersion) {
    const bool windows8OrLater = majorVersion > 6 || (majorVersion == 6 && minorVersion >= 2);
    return windows8OrLater ? DisplayPowerSetting::ConsoleDisplayState
                           : DisplayPowerSetting::MonitorPowerOn;
}

}  // namespace nuvrel
