#include "renderer/arguments/decimal_argument.h"

#include <cerrno>
#include <cstdlib>

namespace nuvrel {

std::optional<std::uint64_t> ParseLeadingDecimal(const char* text, std::uint64_t max,
                                                 const char** end) {
    if (text == nullptr || *text < '0' || *text > '9') {
        return std::nullopt;
    }
    errno = 0;
    char* stop = nullptr;
    const unsigned long long value = std::strtoull(text, &stop, 10);
    if (errno != 0 || value > max) {
        return std::nullopt;
    }
    *end = stop;
    return value;
}

std::optional<std::uint64_t> ParseDecimalArgument(const char* text, std::uint64_t max) {
    const char* end = nullptr;
    const auto value = ParseLeadingDecimal(text, max, &end);
    if (!value || *end != '\0') {
        return std::nullopt;
    }
    return value;
}

}  // namespace nuvrel
