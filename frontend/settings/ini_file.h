#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvrel {

// A Windows INI ("private profile") file as bytes, read and changed as the system's profile
// functions do.
//
// The file's encoding comes from its first bytes: a UTF-16 byte-order mark (little- or
// big-endian) makes it UTF-16, a UTF-8 one UTF-8, and anything else code page 932, where a lead
// byte always takes the byte after it, so that no part of a double-byte character is ever read
// as ASCII. A UTF-16 file of odd length ends in a byte that belongs to no character: it is not
// read, and a change drops it, as the system's profile functions do. Lines end
// in CR LF, CR or LF. Blanks (space, tab, vertical tab, form feed and the DOS end-of-file mark
// 0x1A) around names and values do not count. A header is a line that starts with "[" and holds
// a "]": its name is what lies between the "[" and the last "]", blanks removed. Section and
// key names match without regard to the case of ASCII letters; the first of two equal keys is
// the one that counts.
enum class IniEncoding { Cp932, Utf16Le, Utf16Be, Utf8 };

IniEncoding DetectIniEncoding(std::string_view file);

// The byte-order mark that starts a file of the encoding; empty for code page 932.
std::string_view ByteOrderMark(IniEncoding encoding);

// The file parsed once into lines; lookups and changes work on that one parse. It keeps three
// offsets a line beside the bytes. Section and key names and values are text in the file's
// encoding, without a byte-order mark.
class IniFile {
  public:
    explicit IniFile(std::string bytes);

    IniEncoding Encoding() const { return encoding_; }
    const std::string& Bytes() const { return bytes_; }
    // Each line's bytes with its line end, in order.
    std::vector<std::string_view> Lines() const;

    // The value of the key in the section, blanks and one pair of enclosing quotes removed;
    // none when the section or the key is missing, or the key's line has no "=".
    std::optional<std::string> Lookup(std::string_view section, std::string_view key) const;

    // Sets the key in the section to the value: the key's line replaced where it exists (the
    // name kept as the file spells it), added after the last line of its section that is not
    // blank where it does not, and the section appended to the file where it is missing.
    // Every other byte stays as it was but the odd byte of a UTF-16 file. False, and nothing
    // changed, for text that no line of the file can hold: a line break, or half a UTF-16
    // character.
    bool Assign(std::string_view section, std::string_view key, std::string_view value);

  private:
    struct Line {
        std::size_t begin;
        std::size_t contentEnd;  // before its line end
        std::size_t end;         // after it
        bool header;
    };
    struct Section {
        std::size_t header;  // index of the header line
        std::size_t end;     // index past its last line
    };

    std::vector<Line> ParseLines(std::size_t begin, std::size_t end) const;
    std::optional<Section> FindSection(std::string_view name) const;
    std::optional<std::size_t> FindKey(Section section, std::string_view key) const;
    bool Storable(std::string_view text) const;
    // Puts the text, whole lines, in place of lines [first, last).
    void ReplaceLines(std::size_t first, std::size_t last, const std::string& text);
    std::string Syntax(std::string_view ascii) const;

    std::string bytes_;
    IniEncoding encoding_;
    std::size_t bodyEnd_;  // where the text ends: before the odd byte of a UTF-16 file
    std::vector<Line> lines_;
};

// The file's value of the key in the section, as IniFile::Lookup.
std::optional<std::string> IniLookup(std::string_view file, std::string_view section,
                                     std::string_view key);

// The file with the key in the section set to the value, as IniFile::Assign; the file as it
// was where the text cannot be stored.
std::string IniAssign(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value);

// Text of the Unicode encodings. UTF-8 text holding a lone surrogate has no encoding. A last
// odd byte of UTF-16 is no character.
std::string EncodeUtf16Le(std::u16string_view text);
std::u16string DecodeUtf16Le(std::string_view bytes);
std::string EncodeUtf16Be(std::u16string_view text);
std::u16string DecodeUtf16Be(std::string_view bytes);
std::optional<std::string> EncodeUtf8(std::u16string_view text);
std::u16string DecodeUtf8(std::string_view bytes);

}  // namespace nuvrel
