// The front end's command line: the input's byte pairs are a whole UTF-16 command line, as
// the system gives it.
//
// Checked for every input:
// - the arguments are the end of the command line, with no blank before them;
// - the road is chosen by the second character alone, upper-cased;
// - the preview's window is the number from the fourth character on.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "frontend/startup/command_line.h"

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

nuvrel::Road RoadOf(std::u16string_view arguments) {
    using nuvrel::Road;
    if (arguments.empty()) {
        return Road::RunVisible;
    }
    if (arguments.size() < 2) {
        return Road::End;
    }
    switch (arguments[1]) {
        case u'p':
        case u'P':
            return Road::Preview;
        case u'c':
        case u'C':
            return Road::Settings;
        case u's':
        case u'S':
            return Road::RunHidden;
        default:
            return Road::End;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string commandLine;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        commandLine += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    }
    const std::u16string_view arguments = nuvrel::ArgumentsOf(commandLine);
    Require(arguments.size() <= commandLine.size() &&
                std::u16string_view(commandLine).substr(commandLine.size() - arguments.size()) ==
                    arguments,
            "the arguments end the command line");
    Require(arguments.empty() || (arguments[0] != u' ' && arguments[0] != u'\t'),
            "no blank starts the arguments");

    for (const std::u16string_view text : {arguments, std::u16string_view(commandLine)}) {
        const nuvrel::ScreensaverCommand command = nuvrel::ReadCommandLine(text);
        Require(command.road == RoadOf(text), "the second character chooses the road");
        const std::int32_t parent = text.size() > 3 ? nuvrel::ReadNumberPrefix(text.substr(3)) : 0;
        Require(command.previewParent == (command.road == nuvrel::Road::Preview ? parent : 0),
                "the preview's window is the number from the fourth character on");
    }
    return 0;
}
