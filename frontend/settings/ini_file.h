#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nuvrel {

// A Windows INI ("private profile") file as bytes, in whatever code page its writer used.
// Section and key names match without regard to ASCII case and surrounding blanks; lines
// end in CR LF.

// The value of the key in the section, blanks and a pair of enclosing quotes removed; none
// when the section or the key is missing.
std::optional<std::string> IniLookup(std::string_view file, std::string_view section,
                                     std::string_view key);

// The file with the key in the section set to the value: the key's line replaced where it
// exists, added at the end of its section where it does not, and the section appended to the
// file where it is missing.
std::string IniAssign(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value);

}  // namespace nuvrel
