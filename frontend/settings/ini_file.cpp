#include "frontend/settings/ini_file.h"

#include <vector>

namespace nuvrel {

namespace {

constexpr std::string_view Blanks = " \t";
constexpr std::string_view LineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

bool IsShiftJisLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Letters compare without regard to case; a double-byte character compares exactly, since
// its trail byte may have the value of a capital letter.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsShiftJisLeadByte(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// One line of the file, without its line end, and where it starts and ends in the file.
struct Line {
    std::string_view text;
    std::size_t begin;
    std::size_t end;  // past the line end
};

std::vector<Line> SplitLines(std::string_view file) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < file.size()) {
        std::size_t newline = file.find('\n', begin);
        const std::size_t end = newline == std::string_view::npos ? file.size() : newline + 1;
        std::string_view text = file.substr(begin, end - begin);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.remove_suffix(1);
        }
        lines.push_back({text, begin, end});
        begin = end;
    }
    return lines;
}

// The name of a "[name]" header line, or none.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

// A "key=value" line split at its first "=", or none.
struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> EntryOf(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Where a section's lines are: from its header to the next header.
struct SectionSpan {
    std::size_t header;  // index of the header line
    std::size_t end;     // index past its last line
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (name && SameName(*name, section)) {
            std::size_t end = i + 1;
            while (end < lines.size() && !SectionName(lines[end].text)) {
                ++end;
            }
            return SectionSpan{i, end};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, SectionSpan span,
                                   std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto entry = EntryOf(lines[i].text);
        if (entry && SameName(entry->key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> IniLookup(std::string_view file, std::string_view section,
                                     std::string_view key) {
    const std::vector<Line> lines = SplitLines(file);
    const auto span = FindSection(lines, section);
    if (!span) {
        return std::nullopt;
    }
    const auto index = FindKey(lines, *span, key);
    if (!index) {
        return std::nullopt;
    }
    std::string_view value = EntryOf(lines[*index].text)->value;
    // As the system's own reader does, a value in matching quotes loses them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::string IniAssign(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value) {
    const std::string entry = std::string(key) + "=" + std::string(value) + std::string(LineEnd);
    const std::vector<Line> lines = SplitLines(file);
    const auto span = FindSection(lines, section);
    if (!span) {
        std::string result(file);
        if (!result.empty() && result.back() != '\n') {
            result += LineEnd;
        }
        return result + "[" + std::string(section) + "]" + std::string(LineEnd) + entry;
    }
    std::string result;
    if (const auto index = FindKey(lines, *span, key)) {
        const Line& line = lines[*index];
        result =
            std::string(file.substr(0, line.begin)) + entry + std::string(file.substr(line.end));
        return result;
    }
    // After the section's last line that is not blank.
    std::size_t last = span->header;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (!Trim(lines[i].text).empty()) {
            last = i;
        }
    }
    std::string before(file.substr(0, lines[last].end));
    if (before.back() != '\n') {
        before += LineEnd;
    }
    return before + entry + std::string(file.substr(lines[last].end));
}

}  // namespace nuvrel
