// The number readers: the settings file's decimal text, and the tools' command-line numbers.
//
// Checked for every input:
// - a setting number is the decimal number rounded down, when that lies in the 16-bit range;
// - the full-width form of a text reads as the text;
// - a command-line number is all digits, no larger than its limit, and the value they spell.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "frontend/settings/setting_number.h"
#include "renderer/arguments/decimal_argument.h"

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// The full-width form of ASCII digits, signs, decimal point and space.
std::u16string FullWidth(const std::u16string& text) {
    std::u16string wide;
    for (const char16_t c : text) {
        if (c >= u'0' && c <= u'9') {
            wide += static_cast<char16_t>(u'０' + (c - u'0'));
        } else if (c == u'+') {
            wide += u'＋';
        } else if (c == u'-') {
            wide += u'－';
        } else if (c == u'.') {
            wide += u'．';
        } else if (c == u' ') {
            wide += u'\u3000';
        } else {
            wide += c;
        }
    }
    return wide;
}

void CheckSettingNumber(const std::u16string& text) {
    const auto decimal = nuvrel::ParseDecimal(text);
    const auto number = nuvrel::ParseSettingNumber(text);
    if (text.empty()) {
        Require(number == 0, "empty text is 0");
        return;
    }
    if (!decimal) {
        Require(!number, "no number without a decimal");
        return;
    }
    Require(!std::isnan(*decimal), "a decimal is a number");
    const double floor = std::floor(*decimal);
    if (floor >= -32768.0 && floor <= 32767.0) {
        Require(number && *number == floor, "a setting is the decimal rounded down");
    } else {
        Require(!number, "no setting outside the 16-bit range");
    }
    Require(nuvrel::ParseDecimal(FullWidth(text)) == decimal, "full-width reads the same");
}

void CheckArgument(const std::string& text, std::uint64_t max) {
    const auto value = nuvrel::ParseDecimalArgument(text.c_str(), max);
    if (!value) {
        return;
    }
    Require(*value <= max, "no argument above its limit");
    std::uint64_t spelled = 0;
    for (const char c : text) {
        Require(c >= '0' && c <= '9', "an argument is digits");
        const auto digit = static_cast<std::uint64_t>(c - '0');
        Require(spelled <= (UINT64_MAX - digit) / 10, "an argument's digits fit");
        spelled = spelled * 10 + digit;
    }
    Require(spelled == *value, "an argument is the number its digits spell");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The bytes as ASCII-or-Latin-1 text, and pairs of them as UTF-16.
    const std::u16string narrow(data, data + size);
    CheckSettingNumber(narrow);
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        wide += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    }
    CheckSettingNumber(wide);

    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string argument = text.substr(0, text.find('\0'));
    for (const std::uint64_t max : {std::uint64_t{0}, std::uint64_t{4294967295u}, UINT64_MAX}) {
        CheckArgument(argument, max);
    }
    return 0;
}
