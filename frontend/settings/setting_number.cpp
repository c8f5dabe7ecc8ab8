#include "frontend/settings/setting_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace nuvrel {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The ASCII form of a full-width digit, sign, decimal point or space; any other character
// as it is. The minus sign U+2212 counts as a minus too.
char16_t NarrowForm(char16_t c) {
    if (c >= u'０' && c <= u'９') {
        return static_cast<char16_t>(u'0' + (c - u'０'));
    }
    switch (c) {
        case u'＋':
            return u'+';
        case u'－':
        case u'\u2212':
            return u'-';
        case u'．':
            return u'.';
        case u'\u3000':
            return u' ';
        default:
            return c;
    }
}

// Decimal notation only: blanks, a sign, digits with at most one decimal point, an optional
// exponent, blanks. Returns the text in ASCII, or none.
std::optional<std::string> DecimalText(std::u16string_view typed) {
    std::u16string text(typed);
    for (char16_t& c : text) {
        c = NarrowForm(c);
    }
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
            ++i;
        }
    };
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        return i - start;
    };
    skipBlanks();
    const std::size_t start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        ++i;
    }
    std::size_t mantissaDigits = digits();
    if (i < text.size() && text[i] == u'.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
            ++i;
        }
        if (digits() == 0) {
            return std::nullopt;
        }
    }
    const std::size_t end = i;
    skipBlanks();
    if (i != text.size()) {
        return std::nullopt;
    }
    return std::string(text.begin() + start, text.begin() + end);
}

}  // namespace

std::optional<double> ParseDecimal(std::u16string_view text) {
    const auto decimal = DecimalText(text);
    if (!decimal) {
        return std::nullopt;
    }
    return std::strtod(decimal->c_str(), nullptr);
}

std::optional<std::int16_t> ParseSettingNumber(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto number = ParseDecimal(text);
    if (!number) {
        return std::nullopt;
    }
    const double value = std::floor(*number);
    if (!(value >= -32768.0 && value <= 32767.0)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace nuvrel
