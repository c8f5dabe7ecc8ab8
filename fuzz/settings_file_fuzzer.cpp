// The settings file's reader and writer on any file. The input is a value (read as
// FuzzedDataProvider strings are, up to a backslash and another character), then the file,
// then two bytes at the end that choose the section and the key.
//
// Checked for every input:
// - a value set is read back (blanks around it and one pair of enclosing quotes go, as on
//   every read);
// - at most one line of the old file changes, the rest stays or new lines come in between;
// - every other key reads the same before and after;
// - setting the same value twice changes nothing;
// - the three settings saved into the file load back the same, in each encoding.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "frontend/settings/ini_file.h"
#include "frontend/settings/settings.h"

namespace nuvrel {
namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

// A name in both forms. Names of one group are the same name to the file.
struct Name {
    const char* cp932;
    std::u16string_view text;
    int group;
};

constexpr std::array<Name, 4> Sections = {{
    {"Section", u"Section", 0},
    {"SECTION", u"SECTION", 0},
    {"Other", u"Other", 1},
    {"\x82\x72", u"Ｓ", 2},
}};

constexpr std::array<Name, 6> Keys = {{
    {"BGM\x8B\xE6\x95\xAA", u"BGM区分", 0},
    {"BGM\xD8\xCB\xDF\xB0\xC4", u"BGMﾘﾋﾟｰﾄ", 1},
    {"BGM\xCC\xA7\xB2\xD9", u"BGMﾌｧｲﾙ", 2},
    {"a", u"a", 3},
    {"A", u"A", 3},
    {"\x82\x8B"
     "ey",
     u"ｋey", 4},
}};

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x1A;
}

bool IsLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Text in the file's encoding. Only code page 932 is left to the caller to give as bytes.
std::string Encoded(IniEncoding encoding, const Name& name) {
    switch (encoding) {
        case IniEncoding::Utf16Le:
            return EncodeUtf16Le(name.text);
        case IniEncoding::Utf16Be:
            return EncodeUtf16Be(name.text);
        case IniEncoding::Utf8:
            return *EncodeUtf8(name.text);
        case IniEncoding::Cp932:
            break;
    }
    return name.cp932;
}

// A value that a line holds as it is: no line break, no blanks at its ends, and in code page
// 932 whole double-byte characters. Returns it and what a read gives back.
struct Value {
    std::string stored;
    std::string read;
};

std::optional<Value> MakeValue(IniEncoding encoding, const std::string& raw) {
    std::u16string text;
    std::string bytes;
    if (encoding == IniEncoding::Cp932) {
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const auto byte = static_cast<unsigned char>(raw[i]);
            if (IsLead(byte)) {
                if (i + 1 == raw.size()) {
                    break;
                }
                bytes += raw[i];
                bytes += static_cast<char>(0x40 + static_cast<unsigned char>(raw[++i]) % 0xBD);
            } else if (byte != '\r' && byte != '\n') {
                bytes += raw[i];
            }
        }
        // Blanks are single bytes, never part of a double-byte character.
        const auto blank = [](char c) { return IsBlank(static_cast<unsigned char>(c)); };
        const auto first = std::find_if_not(bytes.begin(), bytes.end(), blank);
        const auto last = std::find_if_not(bytes.rbegin(), bytes.rend(), blank).base();
        bytes = first < last ? std::string(first, last) : std::string();
    } else {
        for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                                    static_cast<unsigned char>(raw[i + 1]) << 8);
            if (unit != u'\r' && unit != u'\n') {
                text += unit;
            }
        }
        while (!text.empty() && IsBlank(text.back())) {
            text.pop_back();
        }
        text.erase(0, std::find_if_not(text.begin(), text.end(), IsBlank) - text.begin());
        if (encoding == IniEncoding::Utf8) {
            // A lone surrogate has no UTF-8 form, and ill-formed bytes read as other text.
            const auto utf8 = EncodeUtf8(text);
            if (!utf8 || DecodeUtf8(*utf8) != text) {
                return std::nullopt;
            }
            bytes = *utf8;
        } else {
            bytes = encoding == IniEncoding::Utf16Le ? EncodeUtf16Le(text) : EncodeUtf16Be(text);
        }
    }
    Value value{bytes, bytes};
    const std::size_t unit =
        encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be ? 2 : 1;
    // Quotes are ASCII, so in every encoding but UTF-16 one byte; in UTF-16 one unit.
    const auto quoteAt = [&](std::size_t at) -> char {
        const char c = bytes[at + (encoding == IniEncoding::Utf16Be ? 1 : 0)];
        const char other = unit == 2 ? bytes[at + (encoding == IniEncoding::Utf16Be ? 0 : 1)] : 0;
        return other == 0 && (c == '"' || c == '\'') ? c : 0;
    };
    if (bytes.size() >= 2 * unit) {
        const char open = quoteAt(0);
        if (open != 0 && quoteAt(bytes.size() - unit) == open) {
            // In code page 932 a trail byte can equal no quote, so the last byte is a character.
            value.read = bytes.substr(unit, bytes.size() - 2 * unit);
        }
    }
    return value;
}

// Whether the file's text ends in half a double-byte character: whatever follows it becomes
// its second byte.
bool EndsInALeadByte(const IniFile& file) {
    if (file.Encoding() != IniEncoding::Cp932) {
        return false;
    }
    const std::string& bytes = file.Bytes();
    bool lead = false;
    for (const char c : bytes) {
        lead = !lead && IsLead(static_cast<unsigned char>(c));
    }
    return lead;
}

void CheckOneLineChanges(const IniFile& before, const IniFile& after) {
    const auto a = before.Lines();
    const auto b = after.Lines();
    std::size_t same = 0;
    while (same < a.size() && same < b.size() && a[same] == b[same]) {
        ++same;
    }
    std::size_t sameAtEnd = 0;
    while (sameAtEnd < a.size() - same && sameAtEnd < b.size() - same &&
           a[a.size() - 1 - sameAtEnd] == b[b.size() - 1 - sameAtEnd]) {
        ++sameAtEnd;
    }
    Require(a.size() - same - sameAtEnd <= 1, "at most one line changes");
    const std::string_view mark = ByteOrderMark(before.Encoding());
    Require(after.Bytes().substr(0, mark.size()) == before.Bytes().substr(0, mark.size()),
            "the byte-order mark stays");
}

// The settings file in memory. Code page 932 here is ASCII.
class MemoryFile final : public SettingsPlatform {
  public:
    explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}
    std::u16string ProgramFolder() override { return u"C:\\Saver"; }
    std::optional<std::string> ReadFileBytes(const std::u16string&) override { return bytes_; }
    std::int32_t ReplaceFileBytes(const std::u16string&, std::string_view bytes) override {
        bytes_ = bytes;
        return 1;
    }
    std::optional<std::string> ToCodePage932(const std::u16string& text) override {
        for (const Name& key : Keys) {
            if (text == key.text) {
                return key.cp932;
            }
        }
        std::string bytes;
        for (const char16_t c : text) {
            if (c >= 0x80) {
                return std::nullopt;
            }
            bytes += static_cast<char>(c);
        }
        return bytes;
    }
    std::u16string FromCodePage932(std::string_view bytes) override {
        return std::u16string(bytes.begin(), bytes.end());
    }
    bool FileExists(const std::u16string&) override { return true; }

  private:
    std::string bytes_;
};

void CheckSettingsRoundTrip(const std::string& file, const std::u16string& path, std::int16_t kind,
                            std::int16_t repeat) {
    MemoryFile platform(file);
    Settings loaded;
    LoadSettings(loaded, platform);
    Settings saved;
    saved.BgmKind = kind;
    saved.BgmRepeat = repeat;
    saved.BgmFile = path;
    if (!SaveSettings(saved, platform)) {
        return;  // a path the file's encoding cannot hold
    }
    Settings again;
    LoadSettings(again, platform);
    Require(again.BgmKind == (path.empty() && kind == bgm_kind::File ? 0 : kind),
            "the kind loads as saved");
    Require(again.BgmRepeat == repeat, "the repeat loads as saved");
    Require(again.BgmFile == path, "the file loads as saved");
}

std::u16string PathOf(const Value& value, IniEncoding encoding) {
    switch (encoding) {
        case IniEncoding::Utf16Le:
            return DecodeUtf16Le(value.read);
        case IniEncoding::Utf16Be:
            return DecodeUtf16Be(value.read);
        case IniEncoding::Utf8:
            return DecodeUtf8(value.read);
        case IniEncoding::Cp932:
            break;
    }
    return std::u16string(value.read.begin(), value.read.end());
}

}  // namespace
}  // namespace nuvrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace nuvrel;
    FuzzedDataProvider input(data, size);
    const Name& section =
        Sections[input.ConsumeIntegralInRange<std::size_t>(0, Sections.size() - 1)];
    const Name& key = Keys[input.ConsumeIntegralInRange<std::size_t>(0, Keys.size() - 1)];
    const std::string raw = input.ConsumeRandomLengthString(600);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const IniFile before(bytes);
    const IniEncoding encoding = before.Encoding();
    const std::string sectionText = Encoded(encoding, section);
    const std::string keyText = Encoded(encoding, key);
    const auto value = MakeValue(encoding, raw);
    if (!value) {
        return 0;
    }

    IniFile after = before;
    Require(after.Assign(sectionText, keyText, value->stored), "a plain value is stored");
    Require(after.Encoding() == encoding, "the encoding stays");
    Require(after.Lookup(sectionText, keyText) == value->read, "the value reads back");
    Require(IniFile(after.Bytes()).Lookup(sectionText, keyText) == value->read,
            "the value reads back from the bytes");
    CheckOneLineChanges(before, after);

    if (!EndsInALeadByte(before)) {
        for (const Name& otherSection : Sections) {
            for (const Name& otherKey : Keys) {
                if (otherSection.group == section.group && otherKey.group == key.group) {
                    continue;
                }
                const std::string s = Encoded(encoding, otherSection);
                const std::string k = Encoded(encoding, otherKey);
                Require(before.Lookup(s, k) == after.Lookup(s, k), "other keys read the same");
            }
        }
    }

    IniFile twice = after;
    Require(twice.Assign(sectionText, keyText, value->stored), "a value is stored again");
    Require(twice.Bytes() == after.Bytes(), "the same value twice changes nothing");

    // A path that reads back as itself: no blanks at its ends, no enclosing quotes.
    std::u16string path = PathOf(*value, encoding);
    const bool quoted =
        path.size() >= 2 && (path[0] == u'"' || path[0] == u'\'') && path.back() == path[0];
    if (path.size() > MaxIniValueLength || quoted || (!path.empty() && IsBlank(path[0])) ||
        (!path.empty() && IsBlank(path.back()))) {
        path.clear();
    }
    CheckSettingsRoundTrip(bytes, path, static_cast<std::int16_t>(raw.size() % 3),
                           static_cast<std::int16_t>(raw.size() * 257 - 30000));
    return 0;
}
