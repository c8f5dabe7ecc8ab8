#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace nuvrel {

// A file's content read whole: read(buffer, count) stores up to count bytes and returns how
// many, 0 at the end of the file, or none when the read fails. A failed read, or an end before
// size bytes, is no content: never the file's end.
template <typename Read>
std::optional<std::string> ReadWhole(std::size_t size, Read read) {
    std::string content(size, '\0');
    std::size_t total = 0;
    while (total < size) {
        const std::optional<std::size_t> got = read(content.data() + total, size - total);
        if (!got || *got == 0 || *got > size - total) {
            return std::nullopt;
        }
        total += *got;
    }
    return content;
}

}  // namespace nuvrel
