#include "app/app_messages.h"

#include "app/main_window_rules.h"
#include "fw/text.h"
#include "resource.h"

namespace gd {
namespace {

struct MessageSpec {
    AppMessage message;
    UINT textId;
    UINT type;
    UINT captionId;  // 0: the program's own title
};

constexpr MessageSpec kMessages[] = {
    {AppMessage::CantOpenFile, IDS_CANT_OPEN_FILE, MB_OK | MB_ICONEXCLAMATION, 0},
    {AppMessage::SaveQuestion, IDS_SAVE_QUESTION, MB_YESNO | MB_ICONQUESTION, 0},
    {AppMessage::DeviceNotInstalled, IDS_DEVICE_NOT_INSTALLED, MB_OK | MB_ICONSTOP,
     IDS_VERSION_CAPTION},
};

const MessageSpec& SpecOf(AppMessage message) {
    for (const MessageSpec& spec : kMessages) {
        if (spec.message == message) {
            return spec;
        }
    }
    return kMessages[0];
}

}  // namespace

UINT AppMessageStringId(AppMessage message) {
    return SpecOf(message).textId;
}

int ShowAppMessage(HWND owner, AppMessage message, std::string_view argument) {
    const MessageSpec& spec = SpecOf(message);
    // The text is a format only in name: a path full of % signs must come
    // out as it is, so the argument is put in without printf.
    const std::string text = InsertArgument(LoadText(spec.textId), argument);
    if (spec.captionId == 0) {
        return ShowMessage(owner, text, spec.type);
    }
    const std::string caption = LoadText(spec.captionId);
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), spec.type);
}

}  // namespace gd
