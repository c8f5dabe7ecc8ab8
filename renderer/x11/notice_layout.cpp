#include "renderer/x11/notice_layout.h"

#include <algorithm>

namespace nuvrel::x11 {

namespace {

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(' ', at);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

std::vector<std::string> BreakIntoLines(std::string_view text, int width, const NoticeFont& font) {
    std::vector<std::string> lines;
    for (const std::string_view word : Words(text)) {
        if (!lines.empty()) {
            const std::string joined = lines.back() + ' ' + std::string(word);
            if (font.width(joined) <= width) {
                lines.back() = joined;
                continue;
            }
        }
        lines.emplace_back(word);
    }
    return lines;
}

}  // namespace

std::vector<NoticeLine> LayOutNotice(std::string_view text, int width, int height,
                                     const NoticeFont& font) {
    const std::vector<std::string> lines = BreakIntoLines(text, width, font);
    const int lineHeight = font.ascent + font.descent;
    const int blockHeight = lineHeight * static_cast<int>(lines.size());
    const int top = std::max(0, (height - blockHeight) / 2);
    std::vector<NoticeLine> placed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        NoticeLine line;
        line.text = lines[i];
        line.x = std::max(0, (width - font.width(line.text)) / 2);
        line.baseline = top + lineHeight * static_cast<int>(i) + font.ascent;
        placed.push_back(std::move(line));
    }
    return placed;
}

}  // namespace nuvrel::x11
