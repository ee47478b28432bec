// The handler tables: routing by message, command id and notification code,
// chaining to a base table, reflection to controls and subclassing.
#include "fw/message_map.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw_test_ids.h"

namespace gd::test {
namespace {

constexpr UINT kAskBase = WM_APP + 1;  // answered by the base class only
constexpr UINT kAskBoth = WM_APP + 2;  // answered by both; the derived class wins
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
            OnMessage<kAskBoth, &CRoutingDlg::AnswerDerived>(),
            OnMessage<kNested, &CRoutingDlg::OnNested>(),
            OnMessage<WM_SETTEXT, &CRoutingDlg::OnSetText>(),
        };
        static const MessageMap kMap{kRoutes, &CBaseRoutingDlg::GetMessageMap()};
        return kMap;
    }

  private:
    void OnAction() { log.push_back("action"); }
    void OnTextChanged() { log.push_back("text changed"); }
    void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    LRESULT AnswerDerived(WPARAM, LPARAM) { return 200; }
    LRESULT OnNested(WPARAM, LPARAM) {
        log.push_back("nested");
        return 0;
    }
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
    const struct {
        const char* name;
        WPARAM wParam;
        bool fromControl;
        Log expected;
    } rows[] = {
        {"button click", MAKEWPARAM(IDC_FW_ACTION, BN_CLICKED), true, {"action"}},
        {"menu item", MAKEWPARAM(IDC_FW_ACTION, 0), false, {"action"}},
        {"accelerator", MAKEWPARAM(IDC_FW_ACTION, 1), false, {"action"}},
        {"code 1 from a control", MAKEWPARAM(IDC_FW_ACTION, 1), true, {}},
        {"other notification", MAKEWPARAM(IDC_FW_ACTION, BN_SETFOCUS), true, {}},
        {"range end", MAKEWPARAM(ID_FW_SECOND, 0), false, {"range 9172"}},
        {"past the range", MAKEWPARAM(ID_FW_SECOND + 1, 0), false, {}},
        {"edit change", MAKEWPARAM(IDC_FW_TEXT, EN_CHANGE), true, {"text changed"}},
    };
    for (const auto& row : rows) {
        dlg.log.clear();
        const HWND from = row.fromControl ? dlg.GetDlgItem(IDC_FW_ACTION).GetSafeHwnd() : nullptr;
        dlg.SendMessage(WM_COMMAND, row.wParam, reinterpret_cast<LPARAM>(from));
        EXPECT_EQ(dlg.log, row.expected) << row.name;
    }
    // The derived table comes first; the base's still answers the rest.
    EXPECT_EQ(dlg.SendMessage(kAskBoth), 200);
    EXPECT_EQ(dlg.SendMessage(kAskBase), 100);
}

TEST_F(MessageMapTest, AHandlerCanLeaveTheMessageToTheDefaultAcrossANestedOne) {
    dlg.SetWindowText("New title");
    EXPECT_EQ(dlg.log, (Log{"title New title", "nested"}));
    EXPECT_EQ(dlg.GetWindowText(), "New title");
}

// A button that answers its own clicks: the parent's route is not used.
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

TEST_F(MessageMapTest, AControlWithAnObjectAnswersItsOwnNotificationsUntilLetGo) {
    CSelfClickingButton button;
    ASSERT_TRUE(button.SubclassDlgItem(IDC_FW_ACTION, dlg));
    EXPECT_FALSE(button.SubclassDlgItem(IDC_FW_TEXT, dlg));  // one window per object
    CSelfClickingButton second;
    EXPECT_FALSE(second.SubclassDlgItem(IDC_FW_ACTION, dlg));  // one object per window
    EXPECT_EQ(CMsgHandler::FromHandle(button), &button);
    button.Click();
    EXPECT_EQ(button.clicks, 1);
    EXPECT_TRUE(dlg.log.empty());

    HWND window = button.UnsubclassWindow();
    EXPECT_EQ(button.GetSafeHwnd(), nullptr);
    EXPECT_EQ(CMsgHandler::FromHandle(window), nullptr);
    CButton(window).Click();
    EXPECT_EQ(button.clicks, 1);
    EXPECT_EQ(dlg.log, Log{"action"});
    EXPECT_TRUE(second.SubclassWindow(window));
}

}  // namespace
}  // namespace gd::test
