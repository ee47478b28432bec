#include "picture/text_fit.h"

#include <cmath>

#include "picture/picture_font.h"

namespace gd {

namespace {

// The longest prefix of `word` (at least one character) that fits `width`.
std::size_t FittingPrefix(std::string_view word, double width, double size) {
    std::size_t length = 1;
    while (length < word.size() && TextWidth(word.substr(0, length + 1), size) <= width) {
        ++length;
    }
    return length;
}

std::vector<std::string> Wrap(std::string_view text, double width, double size) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find(' ', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view word = text.substr(pos, end - pos);
        pos = end + 1;
        if (word.empty()) {
            continue;
        }
        const std::string joined =
            line.empty() ? std::string(word) : line + ' ' + std::string(word);
        if (TextWidth(joined, size) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) {
            lines.push_back(line);
            line.clear();
        }
        while (TextWidth(word, size) > width) {
            const std::size_t cut = FittingPrefix(word, width, size);
            lines.emplace_back(word.substr(0, cut));
            word.remove_prefix(cut);
        }
        line = std::string(word);
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

int LinesThatFit(const FitLimits& limits, double size) {
    // The first line needs its em, each further one a line's spacing.
    if (limits.height < size) {
        return 0;
    }
    return 1 + static_cast<int>(std::floor((limits.height - size) / (size * limits.lineSpacing)));
}

FittedText Elide(std::string_view text, const FitLimits& limits) {
    FittedText fitted;
    fitted.size = limits.smallest;
    fitted.elided = true;
    std::vector<std::string> lines = Wrap(text, limits.width, fitted.size);
    lines.resize(static_cast<std::size_t>(std::max(1, LinesThatFit(limits, fitted.size))));
    std::string& last = lines.back();
    while (!last.empty() &&
           (last.back() == ' ' || TextWidth(last + kEllipsis, fitted.size) > limits.width)) {
        last.pop_back();
    }
    last += kEllipsis;
    fitted.lines = std::move(lines);
    return fitted;
}

}  // namespace

FittedText FitText(std::string_view ansi, const FitLimits& limits) {
    for (double size = limits.largest; size >= limits.smallest - 1e-9; size -= limits.step) {
        std::vector<std::string> lines = Wrap(ansi, limits.width, size);
        if (static_cast<int>(lines.size()) <= LinesThatFit(limits, size)) {
            return FittedText{size, std::move(lines), false};
        }
    }
    return Elide(ansi, limits);
}

}  // namespace gd
