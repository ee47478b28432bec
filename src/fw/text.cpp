#include "fw/text.h"

#include <cstdarg>
#include <cstdio>

#include "fw/app.h"
#include "fw/module.h"

namespace gd {

std::string LoadText(UINT id) {
    // LoadStringA only says how much it copied; a string that fills the
    // buffer may be longer.
    std::string text(256, '\0');
    for (;;) {
        int copied =
            ::LoadStringA(ResourceInstance(), id, text.data(), static_cast<int>(text.size()));
        if (copied <= 0) {
            return {};
        }
        if (static_cast<size_t>(copied) + 1 < text.size() || text.size() > 65536) {
            text.resize(static_cast<size_t>(copied));
            return text;
        }
        text.assign(text.size() * 2, '\0');
    }
}

bool HasText(UINT id) {
    char probe[2];
    return ::LoadStringA(ResourceInstance(), id, probe, sizeof probe) > 0;
}

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<size_t>(length));
    }
    va_end(args);
    return text;
}

std::string AppTitle() {
    if (const CWinApp* app = GetApp()) {
        return app->AppName();
    }
    return ModuleBaseName();
}

int ShowMessage(HWND owner, std::string_view text, UINT type) {
    std::string body(text);
    std::string caption = AppTitle();
    return ::MessageBoxA(owner, body.c_str(), caption.c_str(), type);
}

int ShowMessage(HWND owner, UINT textId, UINT type) {
    return ShowMessage(owner, LoadText(textId), type);
}

bool ParseInteger(std::string_view text, long long& value) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    size_t i = 0;
    size_t end = text.size();
    while (i < end && blank(text[i])) {
        ++i;
    }
    while (end > i && blank(text[end - 1])) {
        --end;
    }
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == end || end - i > 18) {
        return false;
    }
    long long result = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        result = result * 10 + (text[i] - '0');
    }
    value = negative ? -result : result;
    return true;
}

}  // namespace gd
