#pragma once

#include <cstdint>
#include <string_view>

namespace nuvrel {

// What the screensaver command line asks for. Only its second character counts, upper-cased,
// whatever the first: /s, -S and xs alike.
enum class Road {
    Preview,     // "P": a still picture in the display control panel's preview box
    Settings,    // "C": the settings dialog
    RunHidden,   // "S": the screensaver, with the cursor hidden
    RunVisible,  // empty command line: the screensaver, with the cursor left visible
    End,         // anything else: end without a word
};

struct ScreensaverCommand {
    Road road = Road::End;
    std::int32_t previewParent = 0;  // the preview box's window handle, for Road::Preview
};

// The arguments as the system passed them, without the program's own name.
ScreensaverCommand ReadCommandLine(std::u16string_view arguments);

// The number at the start of a text, read as a numeric prefix: blanks anywhere are skipped,
// a leading "&H" makes it hexadecimal, reading stops at the first character that cannot
// continue the number, and text without a number reads as 0. Rounded to 32 bits; a number
// that does not fit reads as 0.
std::int32_t ReadNumberPrefix(std::u16string_view text);

// The arguments part of a whole Windows command line: after the program's name (quoted or
// not) and the blanks that follow it.
std::u16string_view ArgumentsOf(std::u16string_view commandLine);

}  // namespace nuvrel
