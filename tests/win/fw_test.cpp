// The dialog framework under real windows: the handle owner, the handler
// tables, dialogs, the application's registry settings and the texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/recent_files.h"
#include "app/registry_settings.h"
#include "fw/app.h"
#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw/handle.h"
#include "fw/message_map.h"
#include "fw/text.h"
#include "fw_test_ids.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

// The one owner template behind every handle kind.

// Handles as plain integers, with a record of every close.
struct CountingTraits {
    using Type = int;
    static Type Invalid() { return 0; }
    static void Close(Type h) { closed.push_back(h); }
    static inline std::vector<int> closed;
};
using Counted = Handle<CountingTraits>;

class HandleTest : public ::testing::Test {
  protected:
    void SetUp() override { CountingTraits::closed.clear(); }
    const std::vector<int>& closed() { return CountingTraits::closed; }
};

TEST_F(HandleTest, EachHandleIsClosedExactlyOnce) {
    {
        Counted a(1);
        Counted b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 1);
        Counted c(2);
        c = std::move(b);  // closes 2, takes 1
        EXPECT_EQ(closed(), std::vector<int>{2});
        c = std::move(c);  // self-move keeps the handle
        EXPECT_EQ(c.get(), 1);
        c.reset(3);    // closes 1
        c.reset(3);    // the same handle again: nothing to close
        *c.put() = 4;  // put closes 3 first
        int given = c.release();
        EXPECT_EQ(given, 4);
        EXPECT_FALSE(c);
        Counted none;
        none.reset();
    }
    EXPECT_EQ(closed(), (std::vector<int>{2, 1, 3}));
}

// The handler tables: routing by message, command id and notification code,
// chaining to a base table, reflection to controls and subclassing.

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

// Dialogs of the framework: a refused field keeps the dialog open on it,
// and a modeless dialog's object owns its window.

// A dialog with a text and a number field.
class CExchangeDlg : public CDialog {
  public:
    CExchangeDlg() : CDialog(IDD_FW_TEST) {}
    ~CExchangeDlg() override { DestroyWindow(); }

    std::string text = "initial";
    int number = 30;

  protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(IDC_FW_TEXT, text);
        dx.Int(IDC_FW_INT, number, 30, 60000);
    }
};

TEST(DialogModal, ANumberOutOfRangeIsReportedAndTheDialogStaysOpenOnTheField) {
    MessageBoxWatcher boxes;
    CExchangeDlg dlg;
    bool openAfterFailure = false;
    bool focusOnField = false;
    DWORD selection = 0;
    const INT_PTR result = RunModal(
        dlg,
        [&](HWND d) {
            ::SetWindowTextA(Item(d, IDC_FW_INT), "29");
            ::SendMessageA(d, WM_COMMAND, IDOK, 0);
            openAfterFailure = ::IsWindowVisible(d) != FALSE;
            focusOnField = ::GetFocus() == Item(d, IDC_FW_INT);
            selection = static_cast<DWORD>(::SendMessageA(Item(d, IDC_FW_INT), EM_GETSEL, 0, 0));
            ::SetWindowTextA(Item(d, IDC_FW_INT), "30");
        },
        IDOK);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, "Please enter an integer between 30 and 60000.");
    EXPECT_EQ(boxes.seen()[0].caption, AppTitle());
    EXPECT_TRUE(openAfterFailure);
    EXPECT_TRUE(focusOnField);
    EXPECT_EQ(selection, static_cast<DWORD>(MAKELONG(0, 2)));  // the whole "29"
    EXPECT_EQ(dlg.number, 30);
}

TEST(DialogModeless, EndDialogOnlyHidesAndTheObjectTakesItsWindowWithIt) {
    HWND window = nullptr;
    {
        CExchangeDlg dlg;
        ASSERT_TRUE(dlg.Create(nullptr));
        window = dlg;
        EXPECT_FALSE(dlg.IsModal());
        EXPECT_FALSE(dlg.Create(nullptr));  // one window per object
        dlg.ShowWindow(SW_SHOW);
        dlg.EndDialog(IDOK);
        EXPECT_TRUE(::IsWindow(window));
        EXPECT_FALSE(dlg.IsWindowVisible());
    }
    EXPECT_FALSE(::IsWindow(window));

    CExchangeDlg dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(dlg.Create(nullptr));  // and can open again
}

// The application object's registry settings and the text helpers.

// A key of this process alone: test runs may overlap.
const std::string kKey = std::string("GripdeckFwTest") + std::to_string(::GetCurrentProcessId());
const std::string kSection = "Software\\" + kKey + "\\FwApp\\default";

// The raw value as stored, read without the application's help.
std::string Stored(const char* name, DWORD& type) {
    char data[256] = {};
    DWORD size = sizeof data;
    if (::RegGetValueA(HKEY_CURRENT_USER, kSection.c_str(), name, RRF_RT_ANY, &type, data, &size) !=
        ERROR_SUCCESS) {
        return "<missing>";
    }
    return std::string(data, size);
}

TEST(WinAppProfile, ValuesLiveUnderKeyAppAndSectionOnceTheKeyIsNamed) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + kKey).c_str());
    CWinApp app("FwApp");
    EXPECT_FALSE(app.WriteProfileInt("default", "Summary", 0));
    EXPECT_EQ(app.GetProfileInt("default", "Summary", 1), 1);
    app.SetRegistryKey(kKey);

    ASSERT_TRUE(app.WriteProfileInt("default", "Summary", 0));
    ASSERT_TRUE(app.WriteProfileString("default", "Recent00", "C:\\race.gpx"));
    EXPECT_EQ(app.GetProfileInt("default", "Summary", 1), 0);
    EXPECT_EQ(app.GetProfileString("default", "Recent00"), "C:\\race.gpx");
    DWORD type = 0;
    EXPECT_EQ(Stored("Summary", type), std::string(4, '\0'));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(Stored("Recent00", type), std::string("C:\\race.gpx") + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // A value of the other kind reads as missing.
    EXPECT_EQ(app.GetProfileInt("default", "Recent00", 5), 5);
    EXPECT_EQ(app.GetProfileString("default", "Summary", "d"), "d");
    // A string stored without its terminating zero is read whole.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kSection.c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, "Recent01", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    ::RegCloseKey(key);
    EXPECT_EQ(app.GetProfileString("default", "Recent01"), "abc");

    // So a recent place of another type hides no later entry.
    ASSERT_TRUE(app.WriteProfileInt("default", "Recent01", 7));
    ASSERT_TRUE(app.WriteProfileString("default", "Recent02", "C:\\c.gpx"));
    RegistrySettings settings(app);
    RecentFiles recent;
    recent.Load(settings);
    EXPECT_EQ(recent[1], "C:\\c.gpx");
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + kKey).c_str());
}

TEST(Text, TextsOfAnyLengthAreLoadedAndFormattedWhole) {
    std::string longText = "Long ";
    for (int i = 0; i < 40; ++i) {
        longText += "abcdefghij";
    }
    EXPECT_EQ(LoadText(IDS_FW_LONG), longText);
    EXPECT_EQ(LoadText(9999), "");
    EXPECT_FALSE(HasText(9999));
    EXPECT_EQ(FormatText(LoadText(IDS_FW_FORMAT).c_str(), 3, "five"), "Value 3 of five");
    const std::string wide(1000, 'w');
    EXPECT_EQ(FormatText("[%s]", wide.c_str()), "[" + wide + "]");
}

TEST(Text, ParseIntegerTakesWholeDecimalNumbersOnly) {
    for (const char* text : {"60000", "-2048", "+7", "  12\t", "999999999999999999"}) {
        long long value = -1;
        EXPECT_TRUE(ParseInteger(text, value)) << '"' << text << '"';
        EXPECT_EQ(std::to_string(value), std::to_string(std::stoll(text))) << text;
    }
    for (const char* text : {"9999999999999999999", "", " ", "-", "1 2", "0x10", "12a", "--1"}) {
        long long value = -1;
        EXPECT_FALSE(ParseInteger(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, -1) << text;
    }
}

}  // namespace
}  // namespace gd::test
