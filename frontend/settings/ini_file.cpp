#include "frontend/settings/ini_file.h"

#include <vector>

namespace nuvrel {

namespace {

constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// A double-byte character of code page 932 is coded above every Unicode scalar value, lead
// byte and trail byte together, so that no part of it can equal an ASCII character.
constexpr char32_t DoubleByte = 0x110000;
constexpr char32_t Replacement = 0xFFFD;

constexpr char32_t DoubleByteOf(unsigned lead, unsigned trail) {
    return DoubleByte | lead << 8 | trail;
}

// One character of the file: its code and the bytes that hold it.
struct Char {
    char32_t code;
    std::size_t begin;
    std::size_t end;
};
using Text = std::vector<Char>;

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void DecodeCp932(std::string_view bytes, std::size_t start, Text& text) {
    for (std::size_t i = start; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (IsShiftJisLeadByte(byte)) {
            const std::size_t end = std::min(i + 2, bytes.size());
            const unsigned trail = end == i + 2 ? static_cast<unsigned char>(bytes[i + 1]) : 0;
            text.push_back({DoubleByteOf(byte, trail), i, end});
            i = end;
        } else {
            text.push_back({byte, i, i + 1});
            ++i;
        }
    }
}

void DecodeUtf16(std::string_view bytes, std::size_t start, Text& text) {
    std::size_t i = start;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit =
            static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
        text.push_back({unit, i, i + 2});
    }
    if (i < bytes.size()) {
        text.push_back({Replacement, i, bytes.size()});
    }
}

// The code point of a well-formed UTF-8 sequence at the position and its length; a byte that
// starts none is a character of its own.
std::pair<char32_t, std::size_t> Utf8CodePoint(std::string_view bytes, std::size_t i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const auto continuation = [&](std::size_t at) {
        return at < bytes.size() && (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80;
    };
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (byte < 0x80) {
        return {byte, 1};
    } else if ((byte & 0xE0) == 0xC0) {
        length = 2, code = byte & 0x1F, least = 0x80;
    } else if ((byte & 0xF0) == 0xE0) {
        length = 3, code = byte & 0x0F, least = 0x800;
    } else if ((byte & 0xF8) == 0xF0) {
        length = 4, code = byte & 0x07, least = 0x10000;
    } else {
        return {Replacement, 1};
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!continuation(i + k)) {
            return {Replacement, 1};
        }
        code = code << 6 | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {Replacement, 1};
    }
    return {code, length};
}

void DecodeUtf8Text(std::string_view bytes, std::size_t start, Text& text) {
    for (std::size_t i = start; i < bytes.size();) {
        const auto [code, length] = Utf8CodePoint(bytes, i);
        text.push_back({code, i, i + length});
        i += length;
    }
}

// The characters of bytes in the encoding, from the given byte on.
Text Decode(std::string_view bytes, IniEncoding encoding, std::size_t start = 0) {
    Text text;
    switch (encoding) {
        case IniEncoding::Cp932:
            DecodeCp932(bytes, start, text);
            break;
        case IniEncoding::Utf16Le:
            DecodeUtf16(bytes, start, text);
            break;
        case IniEncoding::Utf8:
            DecodeUtf8Text(bytes, start, text);
            break;
    }
    return text;
}

bool IsLineEnd(char32_t code) {
    return code == U'\r' || code == U'\n';
}

bool IsBlank(char32_t code) {
    return code == U' ' || (code >= U'\t' && code <= U'\r') || code == 0x1A;
}

char32_t Folded(char32_t code) {
    return code >= U'A' && code <= U'Z' ? code + (U'a' - U'A') : code;
}

// A run of characters of a text: [first, last).
struct Span {
    std::size_t first = 0;
    std::size_t last = 0;
    bool empty() const { return first == last; }
};

Span Trim(const Text& text, Span span) {
    while (span.first < span.last && IsBlank(text[span.first].code)) {
        ++span.first;
    }
    while (span.last > span.first && IsBlank(text[span.last - 1].code)) {
        --span.last;
    }
    return span;
}

bool SameName(const Text& a, Span spanA, const Text& b, Span spanB) {
    if (spanA.last - spanA.first != spanB.last - spanB.first) {
        return false;
    }
    for (std::size_t i = 0; i < spanA.last - spanA.first; ++i) {
        if (Folded(a[spanA.first + i].code) != Folded(b[spanB.first + i].code)) {
            return false;
        }
    }
    return true;
}

// One line of the file: its characters without the line end, and its bytes with it.
struct Line {
    Span chars;
    std::size_t begin;
    std::size_t end;
    bool ended;  // by CR, LF or CR LF
};

std::vector<Line> SplitLines(const Text& text, std::size_t fileSize) {
    const auto byteAt = [&](std::size_t i) { return i < text.size() ? text[i].begin : fileSize; };
    std::vector<Line> lines;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t first = i;
        while (i < text.size() && !IsLineEnd(text[i].code)) {
            ++i;
        }
        const std::size_t last = i;
        if (i < text.size() && text[i].code == U'\r') {
            ++i;
        }
        if (i < text.size() && text[i].code == U'\n') {
            ++i;
        }
        lines.push_back({{first, last}, byteAt(first), byteAt(i), i != last});
    }
    return lines;
}

// The name of a header line, or none.
std::optional<Span> SectionName(const Text& text, Span line) {
    line = Trim(text, line);
    if (line.empty() || text[line.first].code != U'[') {
        return std::nullopt;
    }
    for (std::size_t i = line.last; i > line.first + 1; --i) {
        if (text[i - 1].code == U']') {
            return Trim(text, {line.first + 1, i - 1});
        }
    }
    return std::nullopt;
}

// A line of a section: its key, and its value when it has an "=".
struct Entry {
    Span key;
    std::optional<Span> value;
};

Entry EntryOf(const Text& text, Span line) {
    line = Trim(text, line);
    for (std::size_t i = line.first; i < line.last; ++i) {
        if (text[i].code == U'=') {
            return {Trim(text, {line.first, i}), Trim(text, {i + 1, line.last})};
        }
    }
    return {line, std::nullopt};
}

// The file parsed into lines.
struct Parsed {
    Text text;
    std::vector<Line> lines;
    IniEncoding encoding;
};

Parsed Parse(std::string_view file) {
    const IniEncoding encoding = DetectIniEncoding(file);
    Parsed parsed{Decode(file, encoding, ByteOrderMark(encoding).size()), {}, encoding};
    parsed.lines = SplitLines(parsed.text, file.size());
    return parsed;
}

// A name given by the caller, decoded and trimmed.
struct Name {
    Text text;
    Span span;
};

Name NameOf(std::string_view name, IniEncoding encoding) {
    Name result{Decode(name, encoding), {}};
    result.span = Trim(result.text, {0, result.text.size()});
    return result;
}

// Where a section's lines are: from its header to the next header.
struct SectionSpan {
    std::size_t header;  // index of the header line
    std::size_t end;     // index past its last line
};

bool IsHeader(const Parsed& file, std::size_t line) {
    return SectionName(file.text, file.lines[line].chars).has_value();
}

std::optional<SectionSpan> FindSection(const Parsed& file, const Name& section) {
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const auto name = SectionName(file.text, file.lines[i].chars);
        if (name && SameName(file.text, *name, section.text, section.span)) {
            std::size_t end = i + 1;
            while (end < file.lines.size() && !IsHeader(file, end)) {
                ++end;
            }
            return SectionSpan{i, end};
        }
    }
    return std::nullopt;
}

// The first line of the section whose key is the name, with or without a value.
std::optional<std::size_t> FindKey(const Parsed& file, SectionSpan span, const Name& key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const Span line = file.lines[i].chars;
        if (!Trim(file.text, line).empty() &&
            SameName(file.text, EntryOf(file.text, line).key, key.text, key.span)) {
            return i;
        }
    }
    return std::nullopt;
}

// ASCII text in the encoding.
std::string Syntax(std::string_view ascii, IniEncoding encoding) {
    if (encoding != IniEncoding::Utf16Le) {
        return std::string(ascii);
    }
    std::string bytes;
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

}  // namespace

IniEncoding DetectIniEncoding(std::string_view file) {
    if (file.substr(0, Utf16LeMark.size()) == Utf16LeMark) {
        return IniEncoding::Utf16Le;
    }
    if (file.substr(0, Utf8Mark.size()) == Utf8Mark) {
        return IniEncoding::Utf8;
    }
    return IniEncoding::Cp932;
}

std::string_view ByteOrderMark(IniEncoding encoding) {
    switch (encoding) {
        case IniEncoding::Utf16Le:
            return Utf16LeMark;
        case IniEncoding::Utf8:
            return Utf8Mark;
        case IniEncoding::Cp932:
            break;
    }
    return {};
}

std::optional<std::string> IniLookup(std::string_view file, std::string_view section,
                                     std::string_view key) {
    const Parsed parsed = Parse(file);
    const auto span = FindSection(parsed, NameOf(section, parsed.encoding));
    if (!span) {
        return std::nullopt;
    }
    const auto index = FindKey(parsed, *span, NameOf(key, parsed.encoding));
    if (!index) {
        return std::nullopt;
    }
    const auto value = EntryOf(parsed.text, parsed.lines[*index].chars).value;
    if (!value) {
        return std::nullopt;
    }
    Span chars = *value;
    // A value in matching quotes loses them.
    const Text& text = parsed.text;
    if (chars.last - chars.first >= 2 &&
        (text[chars.first].code == U'"' || text[chars.first].code == U'\'') &&
        text[chars.last - 1].code == text[chars.first].code) {
        ++chars.first;
        --chars.last;
    }
    if (chars.empty()) {
        return std::string();
    }
    return std::string(
        file.substr(text[chars.first].begin, text[chars.last - 1].end - text[chars.first].begin));
}

std::string IniAssign(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value) {
    const Parsed parsed = Parse(file);
    const IniEncoding encoding = parsed.encoding;
    const std::string lineEnd = Syntax("\r\n", encoding);
    const std::string entry =
        std::string(key) + Syntax("=", encoding) + std::string(value) + lineEnd;

    const auto span = FindSection(parsed, NameOf(section, encoding));
    if (!span) {
        std::string result(file);
        if (!parsed.lines.empty() && !parsed.lines.back().ended) {
            result += lineEnd;
        }
        return result + Syntax("[", encoding) + std::string(section) + Syntax("]", encoding) +
               lineEnd + entry;
    }
    // A key that is there keeps its name as the file spells it.
    if (const auto index = FindKey(parsed, *span, NameOf(key, encoding))) {
        const Line& line = parsed.lines[*index];
        const Span name = EntryOf(parsed.text, line.chars).key;
        std::string spelled(key);
        if (!name.empty()) {
            const std::size_t begin = parsed.text[name.first].begin;
            spelled = file.substr(begin, parsed.text[name.last - 1].end - begin);
        }
        return std::string(file.substr(0, line.begin)) + spelled + Syntax("=", encoding) +
               std::string(value) + lineEnd + std::string(file.substr(line.end));
    }
    std::size_t last = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (!Trim(parsed.text, parsed.lines[i].chars).empty()) {
            last = i;
        }
    }
    const Line& line = parsed.lines[last];
    std::string before(file.substr(0, line.end));
    if (!line.ended) {
        before += lineEnd;
    }
    return before + entry + std::string(file.substr(line.end));
}

std::string EncodeUtf16Le(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
    std::u16string text;
    for (const Char& c : Decode(bytes, IniEncoding::Utf16Le)) {
        text += static_cast<char16_t>(c.code);
    }
    return text;
}

std::optional<std::string> EncodeUtf8(std::u16string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            return std::nullopt;
        }
        if (code < 0x80) {
            bytes += static_cast<char>(code);
        } else if (code < 0x800) {
            bytes += static_cast<char>(0xC0 | code >> 6);
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            bytes += static_cast<char>(0xE0 | code >> 12);
            bytes += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | code >> 18);
            bytes += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            bytes += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            bytes += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return bytes;
}

std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string text;
    for (const Char& c : Decode(bytes, IniEncoding::Utf8)) {
        if (c.code >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c.code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c.code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c.code);
        }
    }
    return text;
}

}  // namespace nuvrel
