#include "fw/message_map.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw_test_ids.h"
#include "fw_test_support.h"

namespace gd::test {
namespace {

constexpr UINT kAskBase = WM_APP + 1;  // answered by the base class only
constexpr UINT kAskBoth = WM_APP + 2;  // answered by both; the derived class wins
constexpr UINT kRaw = WM_APP + 3;      // raw parameters in, result out
constexpr UINT kNested = WM_APP + 4;   // sent from inside another handler

// The base of the routing dialog: its table is chained behind the derived one.
class CBaseRoutingDlg : public CDialog {
  public:
    CBaseRoutingDlg() : CDialog(IDD_FW_TEST) {}

  protected:
    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnMessage<kAskBase, &CBaseRoutingDlg::AnswerBase>(),
            OnMessage<kAskBoth, &CBaseRoutingDlg::AnswerBase>(),
        };
        static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
        return kMap;
    }

  private:
    LRESULT AnswerBase(WPARAM, LPARAM) { return 100; }
};

class CRoutingDlg : public CBaseRoutingDlg {
  public:
    ~CRoutingDlg() override { DestroyWindow(); }

    std::vector<std::string> log;

  protected:
    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnCommand<&CRoutingDlg::OnAction>(IDC_FW_ACTION),
            OnCommand<&CRoutingDlg::OnTextChanged>(IDC_FW_TEXT, EN_CHANGE),
            OnCommandRange<&CRoutingDlg::OnRange>(ID_FW_FIRST, ID_FW_SECOND),
            OnNotify<&CRoutingDlg::OnListChanged>(IDC_FW_LIST, LVN_ITEMCHANGED),
            OnNotify<&CRoutingDlg::OnListClick>(IDC_FW_LIST, NM_CLICK),
            OnMessage<kAskBoth, &CRoutingDlg::AnswerDerived>(),
            OnMessage<kRaw, &CRoutingDlg::OnRaw>(),
            OnMessage<kNested, &CRoutingDlg::OnNested>(),
            OnMessage<WM_TIMER, &CRoutingDlg::OnTimer>(),
            OnMessage<WM_SETTEXT, &CRoutingDlg::OnSetText>(),
        };
        static const MessageMap kMap{kRoutes, &CBaseRoutingDlg::GetMessageMap()};
        return kMap;
    }

  private:
    void OnAction() { log.push_back("action"); }
    void OnTextChanged() { log.push_back("text changed"); }
    void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    void OnListChanged(const NMLISTVIEW& change) {
        if (change.uNewState & LVIS_SELECTED) {
            log.push_back("selected " + std::to_string(change.iItem));
        }
    }
    LRESULT OnListClick() {
        log.push_back("list click");
        return 0;
    }
    LRESULT AnswerDerived(WPARAM, LPARAM) { return 200; }
    LRESULT OnRaw(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam * lParam); }
    LRESULT OnNested(WPARAM, LPARAM) {
        log.push_back("nested");
        return 0;
    }
    void OnTimer(UINT_PTR id) { log.push_back("timer " + std::to_string(id)); }
    // Notes the text, sends itself another message in between, and lets the
    // dialog manager still set the title.
    LRESULT OnSetText(WPARAM, LPARAM lParam) {
        log.push_back(std::string("title ") + reinterpret_cast<const char*>(lParam));
        SendMessage(kNested);
        SetMsgHandled(false);
        return 0;
    }
};

class MessageMapTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(nullptr)); }
    CRoutingDlg dlg;
};

using Log = std::vector<std::string>;

TEST_F(MessageMapTest, CommandsRouteByIdAndCode) {
    struct Row {
        const char* name;
        WPARAM wParam;
        LPARAM lParam;
        Log expected;
    } rows[] = {
        {"button click", MAKEWPARAM(IDC_FW_ACTION, BN_CLICKED), 1, {"action"}},
        {"menu item", MAKEWPARAM(IDC_FW_ACTION, 0), 0, {"action"}},
        {"accelerator", MAKEWPARAM(IDC_FW_ACTION, 1), 0, {"action"}},
        {"other notification", MAKEWPARAM(IDC_FW_ACTION, BN_SETFOCUS), 1, {}},
        {"code 1 from a control", MAKEWPARAM(IDC_FW_ACTION, 1), 1, {}},
        {"range start", MAKEWPARAM(ID_FW_FIRST, 0), 0, {"range 9171"}},
        {"range end", MAKEWPARAM(ID_FW_SECOND, 0), 0, {"range 9172"}},
        {"past the range", MAKEWPARAM(ID_FW_SECOND + 1, 0), 0, {}},
        {"edit change", MAKEWPARAM(IDC_FW_TEXT, EN_CHANGE), 1, {"text changed"}},
        {"edit focus", MAKEWPARAM(IDC_FW_TEXT, EN_SETFOCUS), 1, {}},
    };
    for (const Row& row : rows) {
        dlg.log.clear();
        // A non-zero lParam stands for a control; no object is behind it.
        LPARAM from =
            row.lParam ? reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_FW_ACTION).GetSafeHwnd()) : 0;
        dlg.SendMessage(WM_COMMAND, row.wParam, from);
        EXPECT_EQ(dlg.log, row.expected) << row.name;
    }
}

TEST_F(MessageMapTest, RealControlsNotifyThroughTheTable) {
    dlg.SetDlgItemText(IDC_FW_TEXT, "typed");
    EXPECT_EQ(dlg.log, Log{"text changed"});

    dlg.log.clear();
    CListCtrl list(dlg.GetDlgItem(IDC_FW_LIST));
    list.InsertColumn(0, "Key", LVCFMT_LEFT, 80);
    list.InsertItem(0, "A");
    list.InsertItem(1, "B");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(dlg.log, Log{"selected 1"});
}

TEST_F(MessageMapTest, MessagesAreCrackedAndAnswered) {
    EXPECT_EQ(dlg.SendMessage(kRaw, 6, 7), 42);
    dlg.SendMessage(WM_TIMER, 5, 0);
    EXPECT_EQ(dlg.log, Log{"timer 5"});
    // The derived table comes first; the base's still answers the rest.
    EXPECT_EQ(dlg.SendMessage(kAskBoth), 200);
    EXPECT_EQ(dlg.SendMessage(kAskBase), 100);
}

TEST_F(MessageMapTest, UnhandledMessagesGetTheDefaultProcessing) {
    dlg.SetWindowText("New title");
    EXPECT_EQ(dlg.log, (Log{"title New title", "nested"}));
    // The handler's SetMsgHandled(false) held across the nested message.
    EXPECT_EQ(dlg.GetWindowText(), "New title");
}

// A button that answers its own clicks, and a list that answers its own
// notifications: the parent's routes for them are not used.
class CSelfClickingButton : public CWindowImpl<CButton> {
  public:
    int clicks = 0;

  protected:
    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnReflectCommand<&CSelfClickingButton::OnClicked>(BN_CLICKED),
        };
        static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
        return kMap;
    }

  private:
    void OnClicked() { ++clicks; }
};

class CSelfWatchingList : public CWindowImpl<CListCtrl> {
  public:
    int changes = 0;

  protected:
    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnReflectNotify<&CSelfWatchingList::OnChanged>(LVN_ITEMCHANGED),
        };
        static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
        return kMap;
    }

  private:
    void OnChanged(const NMLISTVIEW&) { ++changes; }
};

TEST_F(MessageMapTest, ControlsWithAnObjectAnswerTheirOwnNotifications) {
    CSelfClickingButton button;
    ASSERT_TRUE(button.SubclassDlgItem(IDC_FW_ACTION, dlg));
    button.Click();
    EXPECT_EQ(button.clicks, 1);
    EXPECT_TRUE(dlg.log.empty());

    CSelfWatchingList list;
    ASSERT_TRUE(list.SubclassDlgItem(IDC_FW_LIST, dlg));
    list.InsertColumn(0, "Key", LVCFMT_LEFT, 80);
    list.InsertItem(0, "A");
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_GT(list.changes, 0);
    EXPECT_TRUE(dlg.log.empty());

    // Once let go, the parent's table answers again.
    button.UnsubclassWindow();
    CButton(dlg.GetDlgItem(IDC_FW_ACTION)).Click();
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(dlg.log, Log{"action"});
}

// An edit that sees each new text after the edit control took it.
class CWatchedEdit : public CWindowImpl<CEdit> {
  public:
    std::vector<std::string> seen;

  protected:
    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnMessage<WM_SETTEXT, &CWatchedEdit::OnSetText>(),
        };
        static const MessageMap kMap{kRoutes, &CMsgHandler::GetMessageMap()};
        return kMap;
    }

  private:
    LRESULT OnSetText(WPARAM, LPARAM) {
        LRESULT result = DefaultProc();
        seen.push_back(GetWindowText());
        return result;
    }
};

TEST_F(MessageMapTest, SubclassingIsOneObjectPerWindow) {
    CWatchedEdit edit;
    CWatchedEdit second;
    ASSERT_TRUE(edit.SubclassDlgItem(IDC_FW_TEXT, dlg));
    EXPECT_FALSE(edit.SubclassDlgItem(IDC_FW_INT, dlg));
    EXPECT_FALSE(second.SubclassDlgItem(IDC_FW_TEXT, dlg));
    EXPECT_FALSE(second.SubclassDlgItem(12345, dlg));
    EXPECT_EQ(CMsgHandler::FromHandle(edit), &edit);
    EXPECT_EQ(CMsgHandler::FromHandle(nullptr), nullptr);

    edit.SetWindowText("abc");
    EXPECT_EQ(edit.seen, std::vector<std::string>{"abc"});

    HWND window = edit.UnsubclassWindow();
    EXPECT_EQ(window, dlg.GetDlgItem(IDC_FW_TEXT).GetSafeHwnd());
    EXPECT_EQ(edit.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CMsgHandler::FromHandle(window), nullptr);
    CWnd(window).SetWindowText("def");
    EXPECT_EQ(edit.seen.size(), 1u);
    EXPECT_TRUE(second.SubclassWindow(window));
}

}  // namespace
}  // namespace gd::test
