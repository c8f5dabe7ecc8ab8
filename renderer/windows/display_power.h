#pragma once

#include <cstdint>

namespace nuvrel {

// The display's power as the system reports it.
enum class DisplayPower { Off, On, Dimmed, Unknown };

// The value of a display power notification: the console display state (0 off, 1 on,
// 2 dimmed) or, before Windows 8, the monitor's power (0 off, 1 on).
DisplayPower DisplayPowerOf(std::uint32_t reported);

// The renderer draws frames, or rests waiting for messages alone: it rests only while the
// display is off. Dimmed, or a state it does not know, counts as on.
enum class FrameDuty { Draw, Rest };

FrameDuty FrameDutyWhile(DisplayPower power);

// Which power setting tells the display's state: the console display state from Windows 8
// (version 6.2) on, the monitor's power on Vista and 7.
enum class DisplayPowerSetting { ConsoleDisplayState, MonitorPowerOn };

DisplayPowerSetting DisplayPowerSettingFor(unsigned majorVersion, unsigned minorVersion);

}  // namespace nuvrel
