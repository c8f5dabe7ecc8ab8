#include "frontend/settings/ini_file.h"

#include <algorithm>
#include <utility>

namespace nuvrel {

namespace {

constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// A double-byte character of code page 932 is coded above every Unicode scalar value, lead
// byte and trail byte together, so that no part of it can equal an ASCII character.
constexpr char32_t DoubleByte = 0x110000;
constexpr char32_t Replacement = 0xFFFD;
constexpr std::size_t None = std::string_view::npos;

constexpr char32_t DoubleByteOf(unsigned lead, unsigned trail) {
    return DoubleByte | lead << 8 | trail;
}

unsigned ByteAt(std::string_view bytes, std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
}

bool IsShiftJisLeadByte(unsigned byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsUtf16(IniEncoding encoding) {
    return encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be;
}

// One character: its code and where the next one starts.
struct Char {
    char32_t code;
    std::size_t next;
};

// The code point of a well-formed UTF-8 sequence at the position and its length; a byte that
// starts none is a character of its own.
Char Utf8At(std::string_view bytes, std::size_t i, std::size_t limit) {
    const unsigned byte = ByteAt(bytes, i);
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (byte < 0x80) {
        return {byte, i + 1};
    } else if ((byte & 0xE0) == 0xC0) {
        length = 2, code = byte & 0x1F, least = 0x80;
    } else if ((byte & 0xF0) == 0xE0) {
        length = 3, code = byte & 0x0F, least = 0x800;
    } else if ((byte & 0xF8) == 0xF0) {
        length = 4, code = byte & 0x07, least = 0x10000;
    } else {
        return {Replacement, i + 1};
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k >= limit || (ByteAt(bytes, i + k) & 0xC0) != 0x80) {
            return {Replacement, i + 1};
        }
        code = code << 6 | (ByteAt(bytes, i + k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {Replacement, i + 1};
    }
    return {code, i + length};
}

// The character at i, which lies before limit.
Char CharAt(std::string_view bytes, std::size_t i, std::size_t limit, IniEncoding encoding) {
    switch (encoding) {
        case IniEncoding::Cp932: {
            const unsigned byte = ByteAt(bytes, i);
            if (!IsShiftJisLeadByte(byte)) {
                return {byte, i + 1};
            }
            return i + 1 < limit ? Char{DoubleByteOf(byte, ByteAt(bytes, i + 1)), i + 2}
                                 : Char{DoubleByteOf(byte, 0), limit};
        }
        case IniEncoding::Utf16Le:
        case IniEncoding::Utf16Be:
            if (i + 1 >= limit) {
                return {Replacement, limit};
            }
            return {encoding == IniEncoding::Utf16Le ? ByteAt(bytes, i) | ByteAt(bytes, i + 1) << 8
                                                     : ByteAt(bytes, i) << 8 | ByteAt(bytes, i + 1),
                    i + 2};
        case IniEncoding::Utf8:
            break;
    }
    return Utf8At(bytes, i, limit);
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

// Bytes [first, last) of a text.
struct Range {
    std::size_t first = 0;
    std::size_t last = 0;
    bool empty() const { return first == last; }
};

// What one pass over a line's characters finds in it.
struct LineShape {
    Range trimmed;
    bool header = false;
    Range name;  // of a header
    Range key;
    std::optional<Range> value;  // after the first "=", quotes removed
};

LineShape ShapeOf(std::string_view bytes, Range line, IniEncoding encoding) {
    std::size_t firstBegin = None;
    std::size_t lastBegin = None;
    std::size_t lastEnd = line.first;
    char32_t firstCode = 0;
    char32_t lastCode = 0;
    std::size_t nameBegin = None;  // the first character that is not blank after the "["
    std::optional<Range> bracketName;
    std::optional<Range> key;
    std::size_t equalsEnd = None;
    std::size_t valueBegin = None;
    std::size_t valueFirstEnd = None;
    char32_t valueFirstCode = 0;
    for (std::size_t i = line.first; i < line.last;) {
        const Char c = CharAt(bytes, i, line.last, encoding);
        if (c.code == U']' && firstBegin != None && firstCode == U'[') {
            bracketName =
                nameBegin == None ? Range{i, i} : Range{nameBegin, std::max(lastEnd, nameBegin)};
        }
        if (c.code == U'=' && !key) {
            key = firstBegin == None ? Range{i, i} : Range{firstBegin, lastEnd};
            equalsEnd = c.next;
        } else if (key && valueBegin == None && !IsBlank(c.code)) {
            valueBegin = i, valueFirstEnd = c.next, valueFirstCode = c.code;
        }
        if (!IsBlank(c.code)) {
            if (firstBegin == None) {
                firstBegin = i, firstCode = c.code;
            } else if (nameBegin == None) {
                nameBegin = i;
            }
            lastBegin = i, lastEnd = c.next, lastCode = c.code;
        }
        i = c.next;
    }
    LineShape shape;
    if (firstBegin == None) {
        return shape;
    }
    shape.trimmed = {firstBegin, lastEnd};
    if (bracketName) {
        shape.header = true;
        shape.name = bracketName->last > bracketName->first ? *bracketName : Range{};
    }
    if (!key) {
        shape.key = shape.trimmed;
        return shape;
    }
    shape.key = *key;
    if (valueBegin == None) {
        shape.value = Range{equalsEnd, equalsEnd};
        return shape;
    }
    Range value{valueBegin, lastEnd};
    // A value in matching quotes loses them.
    if (valueBegin != lastBegin && (valueFirstCode == U'"' || valueFirstCode == U'\'') &&
        lastCode == valueFirstCode) {
        value = {valueFirstEnd, lastBegin};
    }
    shape.value = value;
    return shape;
}

Range Trimmed(std::string_view text, IniEncoding encoding) {
    return ShapeOf(text, {0, text.size()}, encoding).trimmed;
}

// Whether two runs of text are the same name.
bool SameName(std::string_view a, Range rangeA, std::string_view b, Range rangeB,
              IniEncoding encoding) {
    std::size_t i = rangeA.first;
    std::size_t k = rangeB.first;
    while (i < rangeA.last && k < rangeB.last) {
        const Char x = CharAt(a, i, rangeA.last, encoding);
        const Char y = CharAt(b, k, rangeB.last, encoding);
        if (Folded(x.code) != Folded(y.code)) {
            return false;
        }
        i = x.next, k = y.next;
    }
    return i == rangeA.last && k == rangeB.last;
}

std::size_t BodyBegin(std::string_view bytes, IniEncoding encoding) {
    return std::min(ByteOrderMark(encoding).size(), bytes.size());
}

}  // namespace

IniEncoding DetectIniEncoding(std::string_view file) {
    if (file.substr(0, Utf16LeMark.size()) == Utf16LeMark) {
        return IniEncoding::Utf16Le;
    }
    if (file.substr(0, Utf16BeMark.size()) == Utf16BeMark) {
        return IniEncoding::Utf16Be;
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
        case IniEncoding::Utf16Be:
            return Utf16BeMark;
        case IniEncoding::Utf8:
            return Utf8Mark;
        case IniEncoding::Cp932:
            break;
    }
    return {};
}

IniFile::IniFile(std::string bytes)
    : bytes_(std::move(bytes)), encoding_(DetectIniEncoding(bytes_)), bodyEnd_(bytes_.size()) {
    const std::size_t begin = BodyBegin(bytes_, encoding_);
    if (IsUtf16(encoding_)) {
        bodyEnd_ = begin + (bytes_.size() - begin) / 2 * 2;
    }
    lines_ = ParseLines(begin, bodyEnd_);
}

std::vector<IniFile::Line> IniFile::ParseLines(std::size_t begin, std::size_t end) const {
    std::vector<Line> lines;
    for (std::size_t i = begin; i < end;) {
        Line line{i, i, i, false};
        Char c{0, i};
        while (i < end && !IsLineEnd((c = CharAt(bytes_, i, end, encoding_)).code)) {
            i = c.next;
        }
        line.contentEnd = i;
        if (i < end && c.code == U'\r') {
            i = c.next;
            if (i < end && (c = CharAt(bytes_, i, end, encoding_)).code == U'\n') {
                i = c.next;
            }
        } else if (i < end) {
            i = c.next;
        }
        line.end = i;
        line.header = ShapeOf(bytes_, {line.begin, line.contentEnd}, encoding_).header;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string_view> IniFile::Lines() const {
    std::vector<std::string_view> lines;
    lines.reserve(lines_.size());
    for (const Line& line : lines_) {
        lines.push_back(std::string_view(bytes_).substr(line.begin, line.end - line.begin));
    }
    return lines;
}

std::optional<IniFile::Section> IniFile::FindSection(std::string_view name) const {
    const Range wanted = Trimmed(name, encoding_);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (!lines_[i].header) {
            continue;
        }
        const LineShape shape = ShapeOf(bytes_, {lines_[i].begin, lines_[i].contentEnd}, encoding_);
        if (SameName(bytes_, shape.name, name, wanted, encoding_)) {
            std::size_t end = i + 1;
            while (end < lines_.size() && !lines_[end].header) {
                ++end;
            }
            return Section{i, end};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(Section section, std::string_view key) const {
    const Range wanted = Trimmed(key, encoding_);
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const LineShape shape = ShapeOf(bytes_, {lines_[i].begin, lines_[i].contentEnd}, encoding_);
        if (!shape.trimmed.empty() && SameName(bytes_, shape.key, key, wanted, encoding_)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Lookup(std::string_view section, std::string_view key) const {
    const auto span = FindSection(section);
    if (!span) {
        return std::nullopt;
    }
    const auto index = FindKey(*span, key);
    if (!index) {
        return std::nullopt;
    }
    const auto value =
        ShapeOf(bytes_, {lines_[*index].begin, lines_[*index].contentEnd}, encoding_).value;
    if (!value) {
        return std::nullopt;
    }
    return bytes_.substr(value->first, value->last - value->first);
}

bool IniFile::Storable(std::string_view text) const {
    if (IsUtf16(encoding_) && text.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < text.size();) {
        const Char c = CharAt(text, i, text.size(), encoding_);
        if (IsLineEnd(c.code)) {
            return false;
        }
        i = c.next;
    }
    return true;
}

std::string IniFile::Syntax(std::string_view ascii) const {
    std::string bytes;
    for (const char c : ascii) {
        if (encoding_ == IniEncoding::Utf16Be) {
            bytes += '\0';
        }
        bytes += c;
        if (encoding_ == IniEncoding::Utf16Le) {
            bytes += '\0';
        }
    }
    return bytes;
}

void IniFile::ReplaceLines(std::size_t first, std::size_t last, const std::string& text) {
    const std::size_t begin = first < lines_.size() ? lines_[first].begin : bodyEnd_;
    const std::size_t end = last > first ? lines_[last - 1].end : begin;
    bytes_.replace(begin, end - begin, text);
    const std::size_t grown = text.size();
    const std::size_t shrunk = end - begin;
    const auto moved = [&](std::size_t offset) { return offset + grown - shrunk; };
    for (std::size_t i = last; i < lines_.size(); ++i) {
        lines_[i].begin = moved(lines_[i].begin);
        lines_[i].contentEnd = moved(lines_[i].contentEnd);
        lines_[i].end = moved(lines_[i].end);
    }
    bodyEnd_ = moved(bodyEnd_);
    const std::vector<Line> added = ParseLines(begin, begin + text.size());
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                 lines_.begin() + static_cast<std::ptrdiff_t>(last));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(first), added.begin(), added.end());
}

bool IniFile::Assign(std::string_view section, std::string_view key, std::string_view value) {
    if (!Storable(section) || !Storable(key) || !Storable(value)) {
        return false;
    }
    // The odd byte of a UTF-16 file goes, as when the system's profile functions write it.
    bytes_.resize(bodyEnd_);
    const std::string lineEnd = Syntax("\r\n");
    const std::string entry = std::string(key) + Syntax("=") + std::string(value) + lineEnd;
    const auto lineText = [&](std::size_t i) {
        return bytes_.substr(lines_[i].begin, lines_[i].end - lines_[i].begin);
    };
    // An unended last line gets its line end before anything goes after it.
    const auto after = [&](std::size_t i, const std::string& text) {
        const bool ended = lines_[i].end > lines_[i].contentEnd;
        ReplaceLines(i, i + 1, lineText(i) + (ended ? "" : lineEnd) + text);
    };

    const auto span = FindSection(section);
    if (!span) {
        const std::string added =
            Syntax("[") + std::string(section) + Syntax("]") + lineEnd + entry;
        if (lines_.empty()) {
            ReplaceLines(0, 0, added);
        } else {
            after(lines_.size() - 1, added);
        }
        return true;
    }
    // A key that is there keeps its name as the file spells it.
    if (const auto index = FindKey(*span, key)) {
        const Line& line = lines_[*index];
        const Range name = ShapeOf(bytes_, {line.begin, line.contentEnd}, encoding_).key;
        const std::string spelled =
            name.empty() ? std::string(key) : bytes_.substr(name.first, name.last - name.first);
        ReplaceLines(*index, *index + 1, spelled + Syntax("=") + std::string(value) + lineEnd);
        return true;
    }
    std::size_t last = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (!ShapeOf(bytes_, {lines_[i].begin, lines_[i].contentEnd}, encoding_).trimmed.empty()) {
            last = i;
        }
    }
    after(last, entry);
    return true;
}

std::optional<std::string> IniLookup(std::string_view file, std::string_view section,
                                     std::string_view key) {
    return IniFile(std::string(file)).Lookup(section, key);
}

std::string IniAssign(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value) {
    IniFile ini{std::string(file)};
    ini.Assign(section, key, value);
    return ini.Bytes();
}

namespace {

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF);
        const char high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::u16string DecodeUtf16(std::string_view bytes, IniEncoding encoding) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(CharAt(bytes, i, bytes.size(), encoding).code);
    }
    return text;
}

}  // namespace

std::string EncodeUtf16Le(std::u16string_view text) {
    return EncodeUtf16(text, false);
}

std::u16string DecodeUtf16Le(std::string_view bytes) {
    return DecodeUtf16(bytes, IniEncoding::Utf16Le);
}

std::string EncodeUtf16Be(std::u16string_view text) {
    return EncodeUtf16(text, true);
}

std::u16string DecodeUtf16Be(std::string_view bytes) {
    return DecodeUtf16(bytes, IniEncoding::Utf16Be);
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
    for (std::size_t i = 0; i < bytes.size();) {
        const Char c = Utf8At(bytes, i, bytes.size());
        if (c.code >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((c.code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c.code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(c.code);
        }
        i = c.next;
    }
    return text;
}

}  // namespace nuvrel
