#include "renderer/windows/display_power.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace nuvrel {
namespace {

// The duty after each of a run of reports, as the system sends them.
std::vector<FrameDuty> DutiesAfter(const std::vector<std::uint32_t>& reports) {
    std::vector<FrameDuty> duties;
    for (const std::uint32_t reported : reports) {
        duties.push_back(FrameDutyWhile(DisplayPowerOf(reported)));
    }
    return duties;
}

constexpr FrameDuty Draw = FrameDuty::Draw;
constexpr FrameDuty Rest = FrameDuty::Rest;

TEST(display_power_test, rests_only_while_the_display_is_off) {
    EXPECT_EQ(DutiesAfter({0, 1}), (std::vector<FrameDuty>{Rest, Draw})) << "off, then on";
    EXPECT_EQ(DutiesAfter({0, 0, 1}), (std::vector<FrameDuty>{Rest, Rest, Draw})) << "off again";
    EXPECT_EQ(DutiesAfter({0, 2}), (std::vector<FrameDuty>{Rest, Draw})) << "dimmed is on";
    EXPECT_EQ(DutiesAfter({0, 3, 0xFFFFFFFF}), (std::vector<FrameDuty>{Rest, Draw, Draw}))
        << "a state not known is on";
}

TEST(display_power_test, windows_8_and_later_tell_the_console_display_state) {
    const std::vector<std::pair<std::pair<unsigned, unsigned>, DisplayPowerSetting>> table = {
        {{6, 0}, DisplayPowerSetting::MonitorPowerOn},  // Vista
        {{6, 1}, DisplayPowerSetting::MonitorPowerOn},  // 7
        {{6, 2}, DisplayPowerSetting::ConsoleDisplayState},
        {{6, 3}, DisplayPowerSetting::ConsoleDisplayState},
        {{10, 0}, DisplayPowerSetting::ConsoleDisplayState},
    };
    for (const auto& [version, setting] : table) {
        EXPECT_EQ(DisplayPowerSettingFor(version.first, version.second), setting)
            << version.first << "." << version.second;
    }
}

}  // namespace
}  // namespace nuvrel
