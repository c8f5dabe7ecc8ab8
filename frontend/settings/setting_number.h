#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace nuvrel {

// A stored number: empty text is 0, a number is rounded down to an integer; none for text
// that is no number or a number outside the 16-bit range.
std::optional<std::int16_t> ParseSettingNumber(std::u16string_view text);

// A number in decimal notation (blanks around it, a sign, a fraction, an exponent); none
// for any other text, an empty one included. Full-width digits, signs, decimal point and
// space, as an input method types them, read as their ASCII forms.
std::optional<double> ParseDecimal(std::u16string_view text);

}  // namespace nuvrel
