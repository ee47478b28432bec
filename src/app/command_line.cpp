#include "app/command_line.h"

#include <cstring>

#include "app/recent_files.h"
#include "profile/windows_path.h"

namespace gd {

std::string StripQuotes(std::string_view text) {
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
        if (!text.empty() && text.back() == '"') {
            text.remove_suffix(1);
        }
    }
    return std::string(text);
}

StartRequest ParseCommandLine(std::string_view commandLine) {
    StartRequest request;
    const std::string text = StripQuotes(commandLine);
    if (text == "-1") {
        request.startHidden = true;
    } else if (!text.empty() && text != kInstallArgument) {
        // The title, the recent list and the next start show it as the
        // system writes paths, whatever separator a script used.
        request.path = BackslashPath(text);
        request.name = FileNamePart(request.path);
    }
    return request;
}

bool ShouldForwardCommandLine(std::string_view commandLine) {
    return !commandLine.empty() && commandLine != "-1" && commandLine != kInstallArgument &&
           commandLine.size() < kForwardBufferSize;
}

std::vector<ForwardedChar> EncodeForwardedCommandLine(std::string_view commandLine) {
    std::vector<ForwardedChar> messages;
    if (commandLine.size() >= kForwardBufferSize) {
        return messages;
    }
    const auto length = static_cast<std::intptr_t>(commandLine.size());
    for (std::size_t i = 0; i < commandLine.size(); ++i) {
        // The message carries the character sign-extended, as the running copy reads it.
        // NOLINTNEXTLINE(bugprone-signed-char-misuse)
        const auto character = static_cast<std::intptr_t>(static_cast<signed char>(commandLine[i]));
        messages.push_back({character, (length << 16) | static_cast<std::intptr_t>(i)});
    }
    return messages;
}

std::optional<std::string> ForwardedCommandLine::Receive(std::intptr_t wParam,
                                                         std::intptr_t lParam) {
    const auto index = static_cast<std::size_t>(lParam & 0xFFFF);
    const auto length = static_cast<std::size_t>((lParam >> 16) & 0xFFFF);
    if (index == 0) {
        buffer_.fill(0);
        received_ = 0;
        valid_ = true;
    }
    // Only an unbroken sequence 0, 1, 2, ... of a text that fits with its
    // terminator is ever used.
    if (!valid_ || index != received_ || length >= kForwardBufferSize || index >= length) {
        valid_ = false;
        return std::nullopt;
    }
    buffer_[index] = static_cast<char>(wParam);
    ++received_;
    if (index + 1 != length) {
        return std::nullopt;
    }
    valid_ = false;
    // In the form a path given at the first start takes.
    return BackslashPath(
        StripQuotes(std::string_view(buffer_.data(), ::strnlen(buffer_.data(), length))));
}

}  // namespace gd
