#include "frontend/settings/dialog_rules.h"

#include <algorithm>
#include <cmath>
#include <numeric>
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

std::int16_t KindAfterArrow(std::int16_t focused, Arrow arrow) {
    const auto place = std::find(KindsInLayoutOrder.begin(), KindsInLayoutOrder.end(), focused);
    if (place == KindsInLayoutOrder.end()) {
        return KindsInLayoutOrder.front();
    }
    const std::size_t count = KindsInLayoutOrder.size();
    const std::size_t index = static_cast<std::size_t>(place - KindsInLayoutOrder.begin());
    const bool forward = arrow == Arrow::Down || arrow == Arrow::Right;
    return KindsInLayoutOrder[(index + (forward ? 1 : count - 1)) % count];
}

std::int16_t TabStopKind(std::int16_t chosen) {
    const bool shown = std::find(KindsInLayoutOrder.begin(), KindsInLayoutOrder.end(), chosen) !=
                       KindsInLayoutOrder.end();
    return shown ? chosen : KindsInLayoutOrder.front();
}

std::vector<std::size_t> ReadingOrder(const std::vector<Box>& boxes) {
    std::vector<std::size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return boxes[a].top < boxes[b].top; });
    auto rowStart = order.begin();
    while (rowStart != order.end()) {
        const Box& first = boxes[*rowStart];
        const auto rowEnd = std::find_if(rowStart, order.end(), [&](std::size_t i) {
            return boxes[i].top >= first.top + first.height;
        });
        std::stable_sort(rowStart, rowEnd, [&](std::size_t a, std::size_t b) {
            return boxes[a].left < boxes[b].left;
        });
        rowStart = rowEnd;
    }
    return order;
}

ShadeColour ShadeAt(double y, double clientHeight) {
    const double d = clientHeight / 3.142;
    const int b = static_cast<int>(std::lround(std::fabs(std::sin(y / d) * 220.0)));
    return {b, b, b + 30};
}

}  // namespace nuvrel
