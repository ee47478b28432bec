#include "app/app_messages.h"

#include "app/main_window_rules.h"
#include "fw/text.h"
#include "resource.h"

namespace gd {
namespace {

struct MessageBoxEntry {
    AppMessage message;
    UINT textId;
    UINT type;
    UINT captionId;  // 0: the program's own title
};

constexpr MessageBoxEntry kMessages[] = {
    {AppMessage::CantOpenFile, IDS_CANT_OPEN_FILE, MB_OK | MB_ICONEXCLAMATION, 0},
    {AppMessage::DeviceNotInstalled, IDS_DEVICE_NOT_INSTALLED, MB_OK | MB_ICONSTOP,
     IDS_VERSION_CAPTION},
    {AppMessage::SaveChanges, IDS_SAVE_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION, 0},
    {AppMessage::GuideMissing, IDS_GUIDE_MISSING, MB_OK | MB_ICONEXCLAMATION, 0},
    {AppMessage::GuideNotOpened, IDS_GUIDE_NOT_OPENED, MB_OK | MB_ICONEXCLAMATION, 0},
    {AppMessage::PictureNotSaved, IDS_PICTURE_NOT_SAVED, MB_OK | MB_ICONEXCLAMATION, 0},
    {AppMessage::PictureReplace, IDS_PICTURE_REPLACE, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, 0},
    {AppMessage::NoPrinter, IDS_PRINT_NO_PRINTER, MB_OK | MB_ICONEXCLAMATION, 0},
    {AppMessage::PrintFailed, IDS_PRINT_FAILED, MB_OK | MB_ICONEXCLAMATION, 0},
    {AppMessage::ImportRefused, IDS_IMPORT_REFUSED, MB_OK | MB_ICONEXCLAMATION, 0},
    {AppMessage::ExportFailed, IDS_EXPORT_FAILED, MB_OK | MB_ICONEXCLAMATION, 0},
};

const MessageBoxEntry& EntryOf(AppMessage message) {
    for (const MessageBoxEntry& entry : kMessages) {
        if (entry.message == message) {
            return entry;
        }
    }
    return kMessages[0];
}

int ShowEntry(HWND owner, const MessageBoxEntry& entry, const std::string& text) {
    if (entry.captionId == 0) {
        return ShowMessage(owner, text, entry.type);
    }
    const std::string caption = LoadText(entry.captionId);
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), entry.type);
}

}  // namespace

UINT AppMessageStringId(AppMessage message) {
    return EntryOf(message).textId;
}

// The text is a format only in name: a path full of % signs must come out as
// it is, so the arguments are put in without printf.
int ShowAppMessage(HWND owner, AppMessage message, std::string_view argument) {
    const MessageBoxEntry& entry = EntryOf(message);
    return ShowEntry(owner, entry, InsertArgument(LoadText(entry.textId), argument));
}

int ShowAppMessage(HWND owner, AppMessage message, std::string_view first,
                   std::string_view second) {
    const MessageBoxEntry& entry = EntryOf(message);
    return ShowEntry(owner, entry, InsertArguments(LoadText(entry.textId), {first, second}));
}

}  // namespace gd
