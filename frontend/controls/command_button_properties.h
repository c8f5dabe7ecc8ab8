#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "frontend/controls/command_button_state.h"

namespace nuvrel {

// A stored value as the store keeps it: Boolean, 8-, 16- or 32-bit integer, string or font.
using PropertyValue =
    std::variant<bool, std::uint8_t, std::int16_t, std::int32_t, std::u16string, Font>;

// The named values of one button's stored description, in the order they were written.
class PropertyBag {
  public:
    using Entry = std::pair<std::string, PropertyValue>;

    std::optional<PropertyValue> Find(std::string_view key) const;
    // Replaces the key's value, or adds the key at the end.
    void Write(std::string_view key, PropertyValue value);
    // A value saved as its default is stored by leaving its key out.
    void Erase(std::string_view key);
    const std::vector<Entry>& Entries() const { return entries_; }

  private:
    std::vector<Entry> entries_;
};

// The button's public properties. Reads have side effects too: reading Enabled first
// initialises a button created without a store, and several reads repaint the face.
bool GetEnabled(CommandButton& button, CommandButtonHost& host);
void SetEnabled(CommandButton& button, bool enabled, CommandButtonHost& host);
const std::u16string& GetCaption(const CommandButton& button);
void SetCaption(CommandButton& button, std::u16string caption, CommandButtonHost& host);
std::shared_ptr<Font> GetFont(const CommandButton& button);
void SetFont(CommandButton& button, std::shared_ptr<Font> font, CommandButtonHost& host);
std::uint32_t GetFontColour(CommandButton& button, CommandButtonHost& host);
void SetFontColour(CommandButton& button, std::uint32_t colour, CommandButtonHost& host);
bool GetVisible(CommandButton& button, CommandButtonHost& host);
void SetVisible(CommandButton& button, bool visible, CommandButtonHost& host);

// Restores the button from its stored description; absent keys take their defaults, the
// font that of the dialog. A value of the wrong type leaves its property as it was.
void ReadProperties(CommandButton& button, const PropertyBag& store, const Font& dialogFont,
                    CommandButtonHost& host);
// Saves the button's description; a value equal to its default is left out.
void WriteProperties(CommandButton& button, PropertyBag& store, const Font& dialogFont,
                     CommandButtonHost& host);

}  // namespace nuvrel
