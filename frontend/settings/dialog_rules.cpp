#include "frontend/settings/dialog_rules.h"

#include <cmath>
#include <string>

#include "frontend/settings/settings.h"

namespace nuvrel {

std::u16string FormatTrack(std::int16_t track) {
    if (track == 0) {
        return {};
    }
    const std::string text = std::to_string(track);
    return std::u16string(text.begin(), text.end());
}

std::array<std::u16string, TrackEntryCount> TrackEntries() {
    std::array<std::u16string, TrackEntryCount> entries;
    for (int track = 0; track < TrackEntryCount; ++track) {
        entries[track] = FormatTrack(static_cast<std::int16_t>(track));
    }
    return entries;
}

std::int16_t TrackFromText(std::u16string_view text) {
    const auto number = ParseDecimal(text);
    if (!number) {
        return 0;
    }
    const double rounded = std::nearbyint(*number);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) {
        return 0;
    }
    return static_cast<std::int16_t>(rounded);
}

KindControls ControlsForKind(std::int16_t kind) {
    KindControls controls;
    if (kind >= 0 && kind <= 2) {
        controls.radioOn[kind] = true;
    }
    controls.repeatEnabled = kind == bgm_kind::Cd;
    controls.fileEnabled = kind == bgm_kind::File;
    return controls;
}

ShadeColour ShadeAt(double y, double clientHeight) {
    const double d = clientHeight / 3.142;
    const int b = static_cast<int>(std::lround(std::fabs(std::sin(y / d) * 220.0)));
    return {b, b, b + 30};
}

}  // namespace nuvrel
