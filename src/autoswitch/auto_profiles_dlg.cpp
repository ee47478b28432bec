#include "autoswitch/auto_profiles_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <set>

#include "autoswitch/auto_switch_win.h"
#include "fw/app.h"
#include "fw/file_dialog.h"
#include "fw/menu.h"
#include "fw/text.h"
#include "profile/image.h"
#include "profile/profile_file.h"
#include "resource.h"

namespace gd {
namespace {

constexpr char kProgramFilter[] = "Programs|*.exe||";
constexpr char kProfileFilter[] = "Gripdeck|*.gpx||";
// The program menu stays on the screen.
constexpr std::size_t kMostPrograms = 30;

struct Column {
    UINT text;
    int width;
};
constexpr Column kRuleColumns[] = {
    {IDS_AUTO_COLUMN_PROGRAM, 150}, {IDS_AUTO_COLUMN_PROFILE, 200}, {IDS_AUTO_COLUMN_GAME, 110}};
constexpr Column kHistoryColumns[] = {{IDS_AUTO_COLUMN_TIME, 60},
                                      {IDS_AUTO_COLUMN_PROGRAM, 90},
                                      {IDS_AUTO_COLUMN_PROFILE, 120},
                                      {IDS_AUTO_COLUMN_WHY, 200}};

// Column `stretching`, the one whose texts run longest, takes whatever
// width the others leave, beside a vertical scroll bar yet to come.
template <std::size_t N>
void AddColumns(const CListCtrl& list, const Column (&columns)[N], int stretching) {
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < N; ++i) {
        list.InsertColumn(static_cast<int>(i), LoadText(columns[i].text), LVCFMT_LEFT,
                          columns[i].width);
    }
    list.FillWithColumn(stretching, ::GetSystemMetrics(SM_CXVSCROLL));
}

std::string GameOf(const std::string& profile) {
    auto image = std::make_unique<ProfileImage>();
    SummaryBlock summary{};
    if (ReadProfileFile(profile, *image, summary) != FileError::None) {
        return {};
    }
    return ReadText(summary.game);
}

struct ProgramSearch {
    DWORD ownProcess;
    std::vector<std::pair<std::string, std::string>> found;  // title, path
};

BOOL CALLBACK CollectProgram(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<ProgramSearch*>(param);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    char title[256] = {};
    if (processId == search.ownProcess || !::IsWindowVisible(window) ||
        ::GetWindow(window, GW_OWNER) != nullptr ||
        ::GetWindowTextA(window, title, sizeof title) <= 0) {
        return TRUE;
    }
    const std::string path = ProcessImagePath(processId);
    const bool listed =
        std::any_of(search.found.begin(), search.found.end(),
                    [&](const auto& entry) { return SameTextIgnoringCase(entry.second, path); });
    if (!path.empty() && !listed && search.found.size() < kMostPrograms) {
        search.found.emplace_back(title, path);
    }
    return TRUE;
}

}  // namespace

CAutoProfilesDlg::CAutoProfilesDlg(HWND parent, CAutoSwitch& owner)
    : CDialog(IDD_AUTO_PROFILES, parent), owner_(owner) {}

const MessageMap& CAutoProfilesDlg::GetMessageMap() const {
    using D = CAutoProfilesDlg;
    static constexpr Route kRoutes[] = {
        OnCommand<&D::OnSwitchClicked>(IDC_AUTO_ON),
        OnCommand<&D::OnAdd>(IDC_AUTO_ADD),
        OnCommand<&D::OnChange>(IDC_AUTO_CHANGE),
        OnCommand<&D::OnRemove>(IDC_AUTO_REMOVE),
        OnCommand<&D::OnTry>(IDC_AUTO_TRY),
        OnCommand<&D::OnFrontOnlyClicked>(IDC_AUTO_FRONT_ONLY),
        OnNotify<&D::OnRuleSelected>(IDC_AUTO_RULES, LVN_ITEMCHANGED),
    };
    static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
    return kMap;
}

BOOL CAutoProfilesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    rules_ = CListCtrl(GetDlgItem(IDC_AUTO_RULES));
    history_ = CListCtrl(GetDlgItem(IDC_AUTO_HISTORY));
    AddColumns(rules_, kRuleColumns, 1);       // the profile's path
    AddColumns(history_, kHistoryColumns, 3);  // why
    CButton(GetDlgItem(IDC_AUTO_ON)).SetCheck(owner_.IsOn());
    FillRules();
    FillHistory();
    return TRUE;
}

void CAutoProfilesDlg::FillRules() {
    owner_.ReloadRules();
    shown_ = owner_.Decisions().Rules();
    rules_.DeleteAllItems();
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const int row = rules_.InsertItem(static_cast<int>(i), shown_[i].name);
        rules_.SetItemText(row, 1, shown_[i].profile);
        rules_.SetItemText(row, 2, GameOf(shown_[i].profile));
    }
    const bool any = !shown_.empty();
    GetDlgItem(IDC_AUTO_CHANGE).EnableWindow(any);
    GetDlgItem(IDC_AUTO_REMOVE).EnableWindow(any);
    GetDlgItem(IDC_AUTO_TRY).EnableWindow(any);
    if (any) {
        rules_.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
}

void CAutoProfilesDlg::FillHistory() {
    history_.DeleteAllItems();
    int row = 0;
    for (const SwitchDecision& decision : owner_.Decisions().History()) {
        history_.InsertItem(row, decision.time);
        history_.SetItemText(row, 1, decision.program);
        history_.SetItemText(row, 2, ProfileFileName(decision.profile));
        history_.SetItemText(row, 3, decision.why);
        ++row;
    }
}

std::optional<Rule> CAutoProfilesDlg::SelectedRule() const {
    const int row = rules_.GetSelectedItem();
    if (row < 0 || static_cast<std::size_t>(row) >= shown_.size()) {
        return std::nullopt;
    }
    return shown_[static_cast<std::size_t>(row)];
}

RuleKind CAutoProfilesDlg::ChosenKind() const {
    return CButton(GetDlgItem(IDC_AUTO_FRONT_ONLY)).GetCheck() ? RuleKind::WhileInFront
                                                               : RuleKind::WhileRunning;
}

void CAutoProfilesDlg::OnSwitchClicked() {
    owner_.SetOn(CButton(GetDlgItem(IDC_AUTO_ON)).GetCheck());
    FillHistory();
}

void CAutoProfilesDlg::OnRuleSelected() {
    if (const std::optional<Rule> rule = SelectedRule()) {
        CButton(GetDlgItem(IDC_AUTO_FRONT_ONLY)).SetCheck(rule->kind == RuleKind::WhileInFront);
    }
}

void CAutoProfilesDlg::OnFrontOnlyClicked() {
    if (const std::optional<Rule> rule = SelectedRule()) {
        StoreRule(rule->name, rule->profile, ChosenKind());
    }
}

void CAutoProfilesDlg::OnAdd() {
    const std::optional<Program> program = ChooseProgram();
    if (!program) {
        return;
    }
    const std::optional<std::string> suggested =
        SuggestProfile(KnownProfiles(), program->title, ProgramName(program->path));
    if (const std::optional<std::string> profile = ChooseProfile(suggested.value_or(""))) {
        StoreRule(ProgramName(program->path), *profile, ChosenKind());
    }
}

void CAutoProfilesDlg::OnChange() {
    if (const std::optional<Rule> rule = SelectedRule()) {
        if (const std::optional<std::string> profile = ChooseProfile(rule->profile)) {
            StoreRule(rule->name, *profile, ChosenKind());
        }
    }
}

void CAutoProfilesDlg::OnRemove() {
    if (const std::optional<Rule> rule = SelectedRule()) {
        RemoveRule(owner_.Storage(), rule->name);
        FillRules();
    }
}

void CAutoProfilesDlg::OnTry() {
    if (const std::optional<Rule> rule = SelectedRule()) {
        owner_.TryRule(*rule);
        FillHistory();
    }
}

void CAutoProfilesDlg::StoreRule(const std::string& name, const std::string& profile,
                                 RuleKind kind) {
    if (const std::optional<RuleRefusal> refusal =
            AddRule(owner_.Storage(), name, profile, kind, CheckProfileFile)) {
        ShowMessage(hwnd_, refusal->subject + ": " + refusal->reason);
        return;
    }
    FillRules();
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        if (SameTextIgnoringCase(shown_[i].name, RuleName(name))) {
            rules_.SetItemState(static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED,
                                LVIS_SELECTED | LVIS_FOCUSED);
            rules_.EnsureVisible(static_cast<int>(i));
        }
    }
}

std::optional<CAutoProfilesDlg::Program> CAutoProfilesDlg::ChooseProgram() {
    ProgramSearch search{::GetCurrentProcessId(), {}};
    ::EnumWindows(CollectProgram, reinterpret_cast<LPARAM>(&search));
    CMenu menu;
    menu.CreatePopupMenu();
    for (std::size_t i = 0; i < search.found.size(); ++i) {
        menu.AppendItem(static_cast<UINT>(i + 1),
                        search.found[i].first + "\t" + ProgramName(search.found[i].second));
    }
    const UINT browse = static_cast<UINT>(search.found.size() + 1);
    if (!search.found.empty()) {
        menu.AppendSeparator();
    }
    menu.AppendItem(browse, LoadText(IDS_AUTO_BROWSE));
    const RECT button = GetDlgItem(IDC_AUTO_ADD).GetWindowRect();
    const UINT chosen =
        menu.TrackPopup(hwnd_, POINT{button.left, button.bottom},
                        TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY);
    if (chosen == 0) {
        return std::nullopt;
    }
    if (chosen != browse) {
        const auto& entry = search.found[chosen - 1];
        return Program{entry.first, entry.second};
    }
    const std::optional<std::string> path =
        ChooseFileToOpen(hwnd_, LoadText(IDS_CHOOSE_PROGRAM), kProgramFilter, "exe");
    if (!path) {
        return std::nullopt;
    }
    return Program{"", *path};
}

std::optional<std::string> CAutoProfilesDlg::ChooseProfile(const std::string& suggested) {
    return ChooseFileToOpen(hwnd_, LoadText(IDS_CHOOSE_PROFILE), kProfileFilter, "gpx", suggested);
}

std::vector<ProfileGame> CAutoProfilesDlg::KnownProfiles() const {
    std::vector<std::string> paths;
    for (const Rule& rule : owner_.Decisions().Rules()) {
        paths.push_back(rule.profile);
    }
    for (std::string& recent : owner_.RecentProfilePaths()) {
        if (!recent.empty()) {
            paths.push_back(std::move(recent));
        }
    }
    std::vector<ProfileGame> profiles;
    std::set<std::string> seen;
    for (const std::string& path : paths) {
        if (seen.insert(LowerAscii(path)).second) {
            profiles.push_back({path, GameOf(path)});
        }
    }
    return profiles;
}

}  // namespace gd
