#pragma once

#include <cstdint>
#include <optional>

namespace nuvrel {

// Command-line numbers: decimal digits only, no sign and no blanks, at most max.

// The digits at the start of the text; end receives where they stop.
std::optional<std::uint64_t> ParseLeadingDecimal(const char* text, std::uint64_t max,
                                                 const char** end);

// The whole text as one number.
std::optional<std::uint64_t> ParseDecimalArgument(const char* text, std::uint64_t max);

}  // namespace nuvrel
