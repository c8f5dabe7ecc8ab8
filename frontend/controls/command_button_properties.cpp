#include "frontend/controls/command_button_properties.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <type_traits>

namespace nuvrel {
namespace {

constexpr char EnabledKey[] = "Enabled";
constexpr char CaptionKey[] = "Caption";
constexpr char FontKey[] = "Font";
constexpr char FirstRunKey[] = "FirstRun";
constexpr char FontColourKey[] = "FontColour";
constexpr char VisibleKey[] = "Visible";

// A new button's caption, left out when saved; a description without one reads back as
// "Command1".
constexpr char16_t CaptionWriteDefault[] = u"Command";
constexpr char16_t CaptionReadDefault[] = u"Command1";

template <typename T>
constexpr bool IsInteger = std::is_same_v<T, std::uint8_t> || std::is_same_v<T, std::int16_t> ||
                           std::is_same_v<T, std::int32_t>;

// Booleans are stored as integers with true = -1.
std::optional<std::int64_t> IntegerOf(const PropertyValue& value) {
    return std::visit(
        [](const auto& v) -> std::optional<std::int64_t> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>) {
                return v ? -1 : 0;
            } else if constexpr (IsInteger<T>) {
                return v;
            } else if constexpr (std::is_same_v<T, std::u16string>) {
                std::string digits;
                for (char16_t c : v) {
                    if (c > 0x7F) {
                        return std::nullopt;
                    }
                    digits += static_cast<char>(c);
                }
                std::int64_t number = 0;
                const char* end = digits.data() + digits.size();
                const auto [stop, error] = std::from_chars(digits.data(), end, number);
                if (digits.empty() || error != std::errc{} || stop != end) {
                    return std::nullopt;
                }
                return number;
            } else {
                return std::nullopt;
            }
        },
        value);
}

// The stored value as the property's type, or nothing when it cannot be one.
template <typename T>
std::optional<T> ValueAs(const PropertyValue& value) {
    if constexpr (std::is_same_v<T, Font>) {
        if (const auto* font = std::get_if<Font>(&value)) {
            return *font;
        }
        return std::nullopt;
    } else if constexpr (std::is_same_v<T, std::u16string>) {
        if (const auto* text = std::get_if<std::u16string>(&value)) {
            return *text;
        }
        if (const auto number = IntegerOf(value)) {
            const std::string digits = std::to_string(*number);
            return std::u16string(digits.begin(), digits.end());
        }
        return std::nullopt;
    } else {
        const auto number = IntegerOf(value);
        if (!number) {
            return std::nullopt;
        }
        if constexpr (std::is_same_v<T, bool>) {
            return *number != 0;
        } else {
            if (*number < std::numeric_limits<T>::min() ||
                *number > std::numeric_limits<T>::max()) {
                return std::nullopt;
            }
            return static_cast<T>(*number);
        }
    }
}

// The stored value, the default when the key is absent, or nothing when the stored value
// cannot be a T.
template <typename T>
std::optional<T> ReadValue(const PropertyBag& store, const char* key, const T& readDefault) {
    const std::optional<PropertyValue> stored = store.Find(key);
    if (!stored) {
        return readDefault;
    }
    return ValueAs<T>(*stored);
}

std::optional<BackgroundStyle> BackgroundStyleOf(std::int16_t style) {
    switch (style) {
        case 0:
            return BackgroundStyle::Transparent;
        case 1:
            return BackgroundStyle::Opaque;
        default:
            return std::nullopt;
    }
}

template <typename T>
void WriteUnlessDefault(PropertyBag& store, const char* key, const T& value,
                        const T& writeDefault) {
    if (value == writeDefault) {
        store.Erase(key);
    } else {
        store.Write(key, PropertyValue{value});
    }
}

}  // namespace

std::optional<PropertyValue> PropertyBag::Find(std::string_view key) const {
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [key](const Entry& e) { return e.first == key; });
    if (entry == entries_.end()) {
        return std::nullopt;
    }
    return entry->second;
}

void PropertyBag::Erase(std::string_view key) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [key](const Entry& e) { return e.first == key; }),
                   entries_.end());
}

void PropertyBag::Write(std::string_view key, PropertyValue value) {
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [key](const Entry& e) { return e.first == key; });
    if (entry == entries_.end()) {
        entries_.emplace_back(std::string(key), std::move(value));
    } else {
        entry->second = std::move(value);
    }
}

bool GetEnabled(CommandButton& button, CommandButtonHost& host) {
    if (button.FirstRun == 0) {
        button.ResetFace(host);
        button.FirstRun = 1;
        button.Enabled = true;
    }
    const bool enabled = button.Enabled;
    button.RefreshEnabledLook(host);
    return enabled;
}

void SetEnabled(CommandButton& button, bool enabled, CommandButtonHost& host) {
    button.Enabled = enabled;
    host.PropertyChanged(EnabledKey);
    button.RefreshEnabledLook(host);
}

const std::u16string& GetCaption(const CommandButton& button) {
    return button.Label.Caption;
}

void SetCaption(CommandButton& button, std::u16string caption, CommandButtonHost& host) {
    button.Label.Caption = std::move(caption);
    host.PropertyChanged(CaptionKey);
}

std::shared_ptr<Font> GetFont(const CommandButton& button) {
    return button.Label.TextFont;
}

void SetFont(CommandButton& button, std::shared_ptr<Font> font, CommandButtonHost& host) {
    if (font) {
        button.Label.TextFont = std::move(font);
    }
    host.PropertyChanged(FontKey);
}

std::uint32_t GetFontColour(CommandButton& button, CommandButtonHost& host) {
    const std::uint32_t colour = button.Label.TextColour;
    button.ResetFace(host);
    return colour;
}

void SetFontColour(CommandButton& button, std::uint32_t colour, CommandButtonHost& host) {
    button.Label.TextColour = colour;
    button.ResetFace(host);
    host.PropertyChanged(FontColourKey);
}

bool GetVisible(CommandButton& button, CommandButtonHost& host) {
    if (button.Background == BackgroundStyle::Transparent) {
        return false;
    }
    button.ResetFace(host);
    return true;
}

void SetVisible(CommandButton& button, bool visible, CommandButtonHost& host) {
    if (visible) {
        button.Background = BackgroundStyle::Opaque;
        button.ResetFace(host);
    } else {
        button.Background = BackgroundStyle::Transparent;
    }
    host.PropertyChanged(VisibleKey);
}

void ReadProperties(CommandButton& button, const PropertyBag& store, const Font& dialogFont,
                    CommandButtonHost& host) {
    CaptionLabel& label = button.Label;
    if (const auto enabled = ReadValue(store, EnabledKey, true)) {
        button.Enabled = *enabled;
    }
    if (auto caption = ReadValue(store, CaptionKey, std::u16string(CaptionReadDefault))) {
        label.Caption = std::move(*caption);
    }
    if (auto font = ReadValue(store, FontKey, dialogFont)) {
        label.TextFont = std::make_shared<Font>(std::move(*font));
    }
    if (const auto firstRun = ReadValue(store, FirstRunKey, std::uint8_t{1})) {
        button.FirstRun = *firstRun;
    }
    if (const auto colour = ReadValue(store, FontColourKey, std::int32_t{0})) {
        label.TextColour = static_cast<std::uint32_t>(*colour);
    }
    if (const auto style = ReadValue(store, VisibleKey, std::int16_t{1})) {
        button.Background = BackgroundStyleOf(*style).value_or(button.Background);
    }
    button.ResetFace(host);
}

void WriteProperties(CommandButton& button, PropertyBag& store, const Font& dialogFont,
                     CommandButtonHost& host) {
    WriteUnlessDefault(store, EnabledKey, button.Enabled, true);
    WriteUnlessDefault(store, CaptionKey, button.Label.Caption,
                       std::u16string(CaptionWriteDefault));
    WriteUnlessDefault(store, FirstRunKey, button.FirstRun, std::uint8_t{1});
    WriteUnlessDefault(store, FontKey, *button.Label.TextFont, dialogFont);
    WriteUnlessDefault(store, FontColourKey, static_cast<std::int32_t>(button.Label.TextColour),
                       std::int32_t{0});
    WriteUnlessDefault(store, VisibleKey, static_cast<std::int16_t>(button.Background),
                       std::int16_t{1});
    button.ResetFace(host);
}

}  // namespace nuvrel
