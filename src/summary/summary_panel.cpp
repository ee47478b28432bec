#include "summary/summary_panel.h"

#include "fw/controls.h"
#include "fw/text.h"
#include "resource.h"
#include "summary/resolution_list.h"

namespace gd {
namespace {

void ExchangeSize(CDataExchange& dx, int id, std::int32_t& value) {
    std::string text;
    if (dx.IsSaving()) {
        dx.Text(id, text);
        value = ParseResolutionField(text);
    } else {
        text = FormatText("%d", static_cast<int>(value));
        dx.Text(id, text);
    }
}

}  // namespace

SummaryFields ScreenSizedFields() {
    SummaryFields fields;
    fields.x = ::GetSystemMetrics(SM_CXSCREEN);
    fields.y = ::GetSystemMetrics(SM_CYSCREEN);
    return fields;
}

const MessageMap& CSummaryPanel::GetMessageMap() const {
    static constexpr Route kRoutes[] = {
        OnCommand<&CSummaryPanel::OnCommentFocus>(IDC_SUMMARY_COMMENT, EN_SETFOCUS),
        OnCommand<&CSummaryPanel::OnResolutionPicked>(IDC_RESOLUTION_LIST, CBN_SELCHANGE),
        OnCommand<&CSummaryPanel::OnSizeEdited>(IDC_RESOLUTION_X, EN_CHANGE),
        OnCommand<&CSummaryPanel::OnSizeEdited>(IDC_RESOLUTION_Y, EN_CHANGE),
        OnMessage<WM_DESTROY, &CSummaryPanel::OnDestroy>(),
    };
    static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
    return kMap;
}

void CSummaryPanel::Exchange(CDataExchange& dx) {
    dx.Text(IDC_SUMMARY_NAME, fields_.name);
    dx.Text(IDC_SUMMARY_GAME, fields_.game);
    ExchangeSize(dx, IDC_RESOLUTION_X, fields_.x);
    ExchangeSize(dx, IDC_RESOLUTION_Y, fields_.y);
    dx.Text(IDC_SUMMARY_AUTHOR, fields_.author);
    dx.Text(IDC_SUMMARY_COMMENT, fields_.comment);
    if (dx.IsSaving()) {
        LimitTexts(fields_);
    }
}

void CSummaryPanel::Prepare() {
    const struct {
        int id;
        std::size_t limit;
    } kLimits[] = {
        {IDC_SUMMARY_NAME, kNameLimit},
        {IDC_SUMMARY_GAME, kGameLimit},
        {IDC_SUMMARY_AUTHOR, kAuthorLimit},
        {IDC_SUMMARY_COMMENT, kCommentLimit},
    };
    for (const auto& field : kLimits) {
        CEdit(dialog_.GetDlgItem(field.id)).LimitText(static_cast<int>(field.limit));
    }

    placeholder_ = LoadText(IDS_COMMENT_PLACEHOLDER);
    if (fields_.comment.empty()) {
        fields_.comment = placeholder_;
        PutMembers();
    }

    CComboBox list(dialog_.GetDlgItem(IDC_RESOLUTION_LIST));
    list.ResetContent();
    for (int i = 0; i < ResolutionListSize(); ++i) {
        const ResolutionEntry entry = ResolutionListEntry(i);
        const int index = list.AddString(entry.text);
        list.SetItemData(index, static_cast<LPARAM>(entry.value));
    }
    list.SetCurSel(MatchResolutionAtStart(fields_.x, fields_.y));
}

void CSummaryPanel::PutMembers() {
    ScopedFlag filling(filling_);
    dialog_.UpdateData(false);
}

void CSummaryPanel::OnCommentFocus() {
    if (filling_) {
        return;
    }
    dialog_.UpdateData(true);
    if (fields_.comment == placeholder_) {
        fields_.comment.clear();
        PutMembers();
    }
}

void CSummaryPanel::OnResolutionPicked() {
    if (filling_) {
        return;
    }
    dialog_.UpdateData(true);
    CComboBox list(dialog_.GetDlgItem(IDC_RESOLUTION_LIST));
    const int index = list.GetCurSel();
    if (index < 0) {
        return;
    }
    const auto value = static_cast<std::uint32_t>(list.GetItemData(index));
    fields_.x = static_cast<std::int32_t>(value) >> 16;
    fields_.y = static_cast<std::int32_t>(value & 0xFFFF);
    PutMembers();
}

void CSummaryPanel::OnSizeEdited(UINT id) {
    if (filling_) {
        return;
    }
    // Pasted text gets past the edit's own digits-only rule.
    CEdit edit(dialog_.GetDlgItem(static_cast<int>(id)));
    const std::string text = edit.GetWindowText();
    const std::string digits = LeadingDigits(text);
    if (digits != text) {
        ScopedFlag filling(filling_);
        edit.SetWindowText(digits);
        edit.SetCaretToEnd();
    }
    dialog_.UpdateData(true);
    CComboBox(dialog_.GetDlgItem(IDC_RESOLUTION_LIST))
        .SetCurSel(MatchResolutionWhileTyping(fields_.x, fields_.y));
}

void CSummaryPanel::OnDestroy() {
    dialog_.UpdateData(true);
    if (fields_.comment == placeholder_) {
        fields_.comment.clear();
    }
}

}  // namespace gd
