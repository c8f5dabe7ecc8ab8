#include "renderer/x11/command_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "renderer/arguments/decimal_argument.h"

namespace nuvrel::x11 {

const char Usage[] =
    "usage: nuvrel [-root | -window | -window-id ID] [-delay MICROSECONDS] [-fps] [--seed N]\n"
    "  Ten vortex funnels of coloured particles, an XScreenSaver display mode.\n"
    "  Every option may be written with one dash or two (-root or --root).\n"
    "  -root             draw on the screen saver's window, or else the root window\n"
    "  -window           draw in a window of its own (the default when run by hand),\n"
    "                    ended by a key, a click or its close button\n"
    "  -window-id ID     draw into the window ID (decimal or 0x hexadecimal);\n"
    "                    it wins over -root. Without these, $XSCREENSAVER_WINDOW\n"
    "                    names the window if set.\n"
    "  -delay MICROSECONDS  a pause after each frame, on top of the pace of a 60 Hz\n"
    "                    display (default 0)\n"
    "  -fps              show the frame rate in a corner\n"
    "  --seed N          a fixed random seed (0..4294967295) instead of the clock\n"
    "  -h, --help        this text\n"
    "  --version         the version\n"
    "  For tests and benchmarks: --frames N (end after N frames and print the frame rate),\n"
    "  --snapshot FILE.ppm (with --frames: save the last frame), --size WxH (own window),\n"
    "  --uncapped (frames back to back, without vsync or pace).\n"
    "  SIGTERM and SIGINT end it with exit code 0; a window that goes away ends it with 1.\n"
    "  On a root or given window without OpenGL it shows why and waits for SIGTERM.\n";

namespace {

std::optional<std::pair<int, int>> ParseSize(const char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    const char* cross = std::strchr(text, 'x');
    if (cross == nullptr || cross - text > 5) {
        return std::nullopt;
    }
    const std::string widthText(text, cross);
    constexpr std::uint64_t Largest = 16384;
    const auto width = ParseDecimalArgument(widthText.c_str(), Largest);
    const auto height = ParseDecimalArgument(cross + 1, Largest);
    if (!width || !height || *width == 0 || *height == 0) {
        return std::nullopt;
    }
    return std::pair<int, int>(static_cast<int>(*width), static_cast<int>(*height));
}

// "-name" and "--name" are the same option.
bool Is(const char* argument, const char* name) {
    if (argument[0] == '-' && argument[1] == '-') {
        ++argument;
    }
    return std::strcmp(argument, name) == 0;
}

CommandLine Bad(std::string error) {
    CommandLine result;
    result.outcome = Outcome::Bad;
    result.error = std::move(error);
    return result;
}

}  // namespace

std::optional<unsigned long> ParseWindowId(const char* text) {
    if (text == nullptr || *text < '0' || *text > '9') {
        return std::nullopt;
    }
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    if (*digits == '\0' || *digits == '-' || *digits == '+' || *digits == ' ') {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(digits, &end, hex ? 16 : 10);
    // X resource ids travel as 32 bits; whether one names a window is the server's to say.
    if (errno != 0 || *end != '\0' || value == 0 || value > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<unsigned long>(value);
}

CommandLine ParseCommandLine(int argc, const char* const argv[], const char* xscreensaverWindow) {
    CommandLine result;
    Options& options = result.options;
    bool targetChosen = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        // A window id wins over -root, as XScreenSaver's settings tool, which starts a
        // preview with both, expects; any other pair is a contradiction.
        const auto chooseTarget = [&](Target target) {
            if (targetChosen && options.target != target) {
                const bool idOverRoot =
                    (target == Target::GivenWindow && options.target == Target::VirtualRoot) ||
                    (target == Target::VirtualRoot && options.target == Target::GivenWindow);
                if (!idOverRoot) {
                    return false;
                }
                target = Target::GivenWindow;
            }
            options.target = target;
            targetChosen = true;
            return true;
        };
        if (Is(argument, "-h") || Is(argument, "-help")) {
            result.outcome = Outcome::Help;
            return result;
        } else if (Is(argument, "-version")) {
            result.outcome = Outcome::Version;
            return result;
        } else if (Is(argument, "-root")) {
            if (!chooseTarget(Target::VirtualRoot)) {
                return Bad("choose one of -root, -window and -window-id");
            }
        } else if (Is(argument, "-window")) {
            if (!chooseTarget(Target::OwnWindow)) {
                return Bad("choose one of -root, -window and -window-id");
            }
        } else if (Is(argument, "-window-id")) {
            const auto id = ParseWindowId(value);
            if (!id) {
                return Bad("-window-id needs a window id, decimal or 0x hexadecimal");
            }
            if (!chooseTarget(Target::GivenWindow)) {
                return Bad("choose one of -root, -window and -window-id");
            }
            options.windowId = *id;
            ++i;
        } else if (Is(argument, "-delay")) {
            const auto delay =
                ParseDecimalArgument(value, std::numeric_limits<std::int32_t>::max());
            if (!delay) {
                return Bad("-delay needs a number of microseconds");
            }
            options.delayMicroseconds = static_cast<long>(*delay);
            ++i;
        } else if (Is(argument, "-fps")) {
            options.showFrameRate = true;
        } else if (Is(argument, "-seed")) {
            const auto seed =
                ParseDecimalArgument(value, std::numeric_limits<std::uint32_t>::max());
            if (!seed) {
                return Bad("--seed needs a number from 0 to 4294967295");
            }
            options.seed = static_cast<std::uint32_t>(*seed);
            ++i;
        } else if (Is(argument, "-frames")) {
            const auto frames =
                ParseDecimalArgument(value, std::numeric_limits<std::int32_t>::max());
            if (!frames || *frames == 0) {
                return Bad("--frames needs a positive number");
            }
            options.frames = static_cast<long>(*frames);
            ++i;
        } else if (Is(argument, "-uncapped")) {
            options.uncapped = true;
        } else if (Is(argument, "-snapshot")) {
            if (value == nullptr || *value == '\0') {
                return Bad("--snapshot needs a file name");
            }
            options.snapshotPath = value;
            ++i;
        } else if (Is(argument, "-size")) {
            const auto size = ParseSize(value);
            if (!size) {
                return Bad("--size needs WIDTHxHEIGHT");
            }
            options.width = size->first;
            options.height = size->second;
            ++i;
        } else {
            return Bad(std::string("unknown option: ") + argument);
        }
    }
    if (!options.snapshotPath.empty() && options.frames == 0) {
        return Bad("--snapshot needs --frames");
    }
    // The screen saver names its window here; -root means that window when it is set.
    const bool saverWindowSet = xscreensaverWindow != nullptr && *xscreensaverWindow != '\0';
    if (saverWindowSet && (!targetChosen || options.target == Target::VirtualRoot)) {
        const auto id = ParseWindowId(xscreensaverWindow);
        if (!id) {
            return Bad("XSCREENSAVER_WINDOW is not a window id");
        }
        if (!targetChosen) {
            options.target = Target::GivenWindow;
        }
        options.windowId = *id;
    }
    result.outcome = Outcome::Run;
    return result;
}

}  // namespace nuvrel::x11
