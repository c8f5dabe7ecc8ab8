#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace nuvrel {

// A file's content read whole: read(buffer, count) stores up to count bytes and returns how
// many, 0 at the end of the file, or none when the read fails. A failed read, an end before
// size bytes or more bytes after them (a file that grows while it is read) is no content.
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
    char beyond = 0;
    const std::optional<std::size_t> more = read(&beyond, 1);
    if (!more || *more != 0) {
        return std::nullopt;
    }
    return content;
}

}  // namespace nuvrel
