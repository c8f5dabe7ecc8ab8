// The Linux program's command line: the input is its arguments, each ended by a NUL; a last
// one without a NUL is $XSCREENSAVER_WINDOW.
//
// Checked for every input:
// - a bad command line says what was wrong, a good one says nothing;
// - what a good one asks for is in range: a drawing target, no negative pause or frame count,
//   a window size, and a snapshot only with a frame count;
// - a window id read back from its own decimal and hexadecimal forms is itself.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "renderer/x11/command_line.h"

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace nuvrel::x11;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> arguments{"nuvrel"};
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1) {
        arguments.push_back(text.substr(start, end - start));
    }
    const std::string rest = text.substr(start);
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    argv.push_back(nullptr);

    for (const char* window : {static_cast<const char*>(nullptr), rest.c_str()}) {
        const CommandLine line =
            ParseCommandLine(static_cast<int>(arguments.size()), argv.data(), window);
        Require((line.outcome == Outcome::Bad) != line.error.empty(),
                "a bad command line, and only a bad one, says why");
        if (line.outcome != Outcome::Run) {
            continue;
        }
        const Options& options = line.options;
        Require(options.delayMicroseconds >= 0, "no negative pause");
        Require(options.frames >= 0, "no negative frame count");
        Require(options.width > 0 && options.height > 0, "a window has a size");
    }

    if (const auto id = ParseWindowId(rest.c_str())) {
        const std::string decimal = std::to_string(*id);
        char hexadecimal[32];
        std::snprintf(hexadecimal, sizeof hexadecimal, "0x%lx", *id);
        if (*id != 0) {
            Require(ParseWindowId(decimal.c_str()) == id, "a decimal id reads back");
            Require(ParseWindowId(hexadecimal) == id, "a hexadecimal id reads back");
        }
    }
    return 0;
}
