#include "fw/file_dialog.h"

#include "fw/module.h"

namespace gd {
namespace {

constexpr size_t kPathBufferSize = 4096;

// The system appends the default extension after a dot of its own and takes
// at most three characters of it: "*.gpx" would make "name.*.g".
std::string PlainExtension(std::string_view extension) {
    while (!extension.empty() && (extension.front() == '*' || extension.front() == '.')) {
        extension.remove_prefix(1);
    }
    return std::string(extension);
}

}  // namespace

CFileDialog::CFileDialog(bool openFileDialog, std::string_view defaultExtension,
                         std::string_view fileName, DWORD flags, std::string_view filter,
                         HWND parent, UINT childTemplate)
    : CDialog(childTemplate, parent),
      open_(openFileDialog),
      defaultExtension_(PlainExtension(defaultExtension)),
      filter_(filter),
      file_(kPathBufferSize, '\0') {
    for (char& c : filter_) {
        if (c == '|') {
            c = '\0';
        }
    }
    // Two zeros end the list even when the caller's text had no "||".
    filter_.append(2, '\0');
    fileName = fileName.substr(0, kPathBufferSize - 1);
    file_.replace(0, fileName.size(), fileName);

    ofn_.lStructSize = sizeof ofn_;
    ofn_.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
    if (childTemplate != 0) {
        ofn_.Flags |= OFN_ENABLETEMPLATE;
        ofn_.lpTemplateName = MAKEINTRESOURCEA(childTemplate);
    }
}

INT_PTR CFileDialog::DoModal() {
    if (GetSafeHwnd() != nullptr) {
        return -1;
    }
    InitCommonControlsOnce();
    // The strings may have moved since construction: point at them now.
    ofn_.hwndOwner = parent_;
    ofn_.hInstance = ResourceInstance();
    ofn_.lpstrFilter = filter_.c_str();
    ofn_.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
    ofn_.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn_.lpstrFile = file_.data();
    ofn_.nMaxFile = static_cast<DWORD>(file_.size());
    ofn_.lpfnHook = &HookProc;
    ofn_.lCustData = reinterpret_cast<LPARAM>(this);

    BOOL chosen = open_ ? ::GetOpenFileNameA(&ofn_) : ::GetSaveFileNameA(&ofn_);
    if (chosen) {
        return IDOK;
    }
    return ::CommDlgExtendedError() == 0 ? IDCANCEL : -1;
}

std::string CFileDialog::GetFileName() const {
    std::string path = GetPathName();
    auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        auto* self = reinterpret_cast<CFileDialog*>(ofn->lCustData);
        self->Bind(child);
        return self->OnInitDialog();
    }
    auto* self = static_cast<CFileDialog*>(FromWindow(child));
    return self ? self->HandleMessage(child, message, wParam, lParam) : 0;
}

std::optional<std::string> ChooseFileToOpen(HWND owner, std::string_view title,
                                            std::string_view filter,
                                            std::string_view defaultExtension,
                                            std::string_view suggested) {
    CFileDialog dialog(true, defaultExtension, suggested,
                       OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, filter, owner);
    dialog.SetTitle(title);
    if (dialog.DoModal() != IDOK) {
        return std::nullopt;
    }
    return dialog.GetPathName();
}

}  // namespace gd
