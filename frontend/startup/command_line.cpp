#include "frontend/startup/command_line.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace nuvrel {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? char16_t(c - u'a' + u'A') : c;
}

int DigitValue(char16_t c, int base) {
    int value = 99;
    if (c >= u'0' && c <= u'9') {
        value = c - u'0';
    } else if (Upper(c) >= u'A' && Upper(c) <= u'F') {
        value = Upper(c) - u'A' + 10;
    }
    return value < base ? value : -1;
}

// The text without its blanks, which a numeric prefix does not see.
std::u16string WithoutBlanks(std::u16string_view text) {
    std::u16string result;
    for (char16_t c : text) {
        if (!IsBlank(c)) {
            result += c;
        }
    }
    return result;
}

// Hexadecimal after "&H": up to eight digits, as a 32-bit pattern (so &HFFFFFFFF is -1).
std::int32_t ReadHexadecimal(std::u16string_view digits) {
    std::uint64_t value = 0;
    std::size_t count = 0;
    for (char16_t c : digits) {
        const int digit = DigitValue(c, 16);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned>(digit);
        if (++count > 8) {
            return 0;
        }
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// A decimal number with optional sign, fraction and exponent, as far as it goes.
double ReadDecimal(std::u16string_view text) {
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        number += static_cast<char>(text[i++]);
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (DigitValue(text[i], 10) >= 0) {
            digits = true;
        } else if (text[i] == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        number += static_cast<char>(text[i]);
    }
    if (!digits) {
        return 0.0;
    }
    if (i + 1 < text.size() && Upper(text[i]) == u'E') {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (text[j] == u'+' || text[j] == u'-') {
            exponent += static_cast<char>(text[j++]);
        }
        bool exponentDigits = false;
        for (; j < text.size() && DigitValue(text[j], 10) >= 0; ++j) {
            exponent += static_cast<char>(text[j]);
            exponentDigits = true;
        }
        if (exponentDigits) {
            number += exponent;
        }
    }
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace

std::int32_t ReadNumberPrefix(std::u16string_view text) {
    const std::u16string compact = WithoutBlanks(text);
    if (compact.size() >= 2 && compact[0] == u'&' && Upper(compact[1]) == u'H') {
        return ReadHexadecimal(std::u16string_view(compact).substr(2));
    }
    // Rounded half to even, as a conversion to a 32-bit integer rounds.
    const double value = std::nearbyint(ReadDecimal(compact));
    if (!(value >= -2147483648.0 && value <= 2147483647.0)) {
        return 0;
    }
    return static_cast<std::int32_t>(value);
}

ScreensaverCommand ReadCommandLine(std::u16string_view arguments) {
    if (arguments.empty()) {
        return {Road::RunVisible, 0};
    }
    if (arguments.size() < 2) {
        return {Road::End, 0};
    }
    switch (Upper(arguments[1])) {
        case u'P':
            return {Road::Preview,
                    arguments.size() > 3 ? ReadNumberPrefix(arguments.substr(3)) : 0};
        case u'C':
            return {Road::Settings, 0};
        case u'S':
            return {Road::RunHidden, 0};
        default:
            return {Road::End, 0};
    }
}

std::u16string_view ArgumentsOf(std::u16string_view commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == u'"') {
        const auto close = commandLine.find(u'"', 1);
        i = close == std::u16string_view::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !IsBlank(commandLine[i])) {
            ++i;
        }
    }
    while (i < commandLine.size() && IsBlank(commandLine[i])) {
        ++i;
    }
    return commandLine.substr(i);
}

}  // namespace nuvrel
