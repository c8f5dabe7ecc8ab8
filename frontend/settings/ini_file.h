#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nuvrel {

// A Windows INI ("private profile") file as bytes, read and changed as the system's profile
// functions do.
//
// The file's encoding comes from its first bytes: a UTF-16 LE byte-order mark makes it UTF-16,
// a UTF-8 one UTF-8, and anything else code page 932, where a lead byte always takes the byte
// after it, so that no part of a double-byte character is ever read as ASCII. Lines end in CR
// LF, CR or LF. Blanks (space, tab, vertical tab, form feed and the DOS end-of-file mark 0x1A)
// around names and values do not count. A header is a line that starts with "[" and holds a
// "]": its name is what lies between the "[" and the last "]", blanks removed. Section and
// key names match without regard to the case of ASCII letters; the first of two equal keys is
// the one that counts.
enum class IniEncoding { Cp932, Utf16Le, Utf8 };

IniEncoding DetectIniEncoding(std::string_view file);

// The byte-order mark that starts a file of the encoding; empty for code page 932.
std::string_view ByteOrderMark(IniEncoding encoding);

// In the two calls below, section and key names and values are text in the file's encoding,
// without a byte-order mark.

// The value of the key in the section, blanks and one pair of enclosing quotes removed; none
// when the section or the key is missing, or the key's line has no "=".
std::optional<std::string> IniLookup(std::string_view file, std::string_view section,
                                     std::string_view key);

// The file with the key in the section set to the value: the key's line replaced where it
// exists (the name kept as the file spells it), added after the last line of its section that is not blank where it does not, and
// the section appended to the file where it is missing. Every other byte stays as it was.
std::string IniAssign(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value);

// Text of the two Unicode encodings. UTF-8 text holding a lone surrogate has no encoding.
std::string EncodeUtf16Le(std::u16string_view text);
std::u16string DecodeUtf16Le(std::string_view bytes);
std::optional<std::string> EncodeUtf8(std::u16string_view text);
std::u16string DecodeUtf8(std::string_view bytes);

}  // namespace nuvrel
