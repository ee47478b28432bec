// The framework's own parts no dialog or program test reaches: the handle
// owner, menu commands to a dialog that a modal one holds, and the
// application's registry settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recent_files.h"
#include "app/registry_settings.h"
#include "fw/app.h"
#include "fw/dialog.h"
#include "fw/handle.h"
#include "fw/handle_waiter.h"
#include "fw/message_map.h"
#include "skin_test_ids.h"
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

TEST(Handle, EachHandleIsClosedExactlyOnce) {
    const std::vector<int>& closed = CountingTraits::closed;
    {
        Counted a(1);
        Counted b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 1);
        Counted c(2);
        c = std::move(b);  // closes 2, takes 1
        EXPECT_EQ(closed, std::vector<int>{2});
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
    EXPECT_EQ(closed, (std::vector<int>{2, 1, 3}));
}

// Menu commands to a dialog while a modal dialog holds it: the tray's menu
// reaches the main window under an open editor, where its command would
// open a second dialog (whose end enables the window under the first) or
// change what the first was opened for.

constexpr UINT kCountedCommand = 0x7F01;

class CommandCounter final : public CDialog {
  public:
    CommandCounter() : CDialog(IDD_SKIN_TEST) {}
    int count = 0;

  protected:
    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnCommand<&CommandCounter::OnCounted>(kCountedCommand),
        };
        static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
        return kMap;
    }

  private:
    void OnCounted() { ++count; }
};

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A shown dialog owned by `owner` that the framework did not make, as a
// message box or a file dialog is.
UniqueWindow PlainDialog(HWND owner) {
    UniqueWindow dialog(::CreateDialogParamA(
        ::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SKIN_TEST), owner, &PlainDialogProc, 0));
    ::ShowWindow(dialog.get(), SW_SHOW);
    return dialog;
}

// Each modal run is built as it stands on the screen: its dialog shown and
// owned by the window it holds, which it disables.
TEST(DialogCommands, AMenuCommandUnderAModalDialogBringsItToTheFrontInsteadOfActing) {
    CommandCounter owner;
    ASSERT_TRUE(owner.Create(nullptr));
    owner.ShowWindow(SW_SHOW);
    // The command as a menu sends it, each time from the owner in front.
    const auto choose = [&] {
        ::SetForegroundWindow(owner);
        owner.SendMessage(WM_COMMAND, kCountedCommand, 0);
        PumpMessages();
    };

    UniqueWindow first = PlainDialog(owner);
    owner.EnableWindow(false);
    choose();
    EXPECT_EQ(owner.count, 0);
    EXPECT_EQ(::GetForegroundWindow(), first.get());

    // A dialog run over the first: only the innermost one takes input.
    UniqueWindow second = PlainDialog(first.get());
    ::EnableWindow(first.get(), FALSE);
    choose();
    EXPECT_EQ(owner.count, 0);
    EXPECT_EQ(::GetForegroundWindow(), second.get());

    // Both ended: the command acts.
    second.reset();
    ::EnableWindow(first.get(), TRUE);
    first.reset();
    owner.EnableWindow(true);
    choose();
    EXPECT_EQ(owner.count, 1);

    // A modeless dialog beside the owner, even with a dialog run over it,
    // holds nothing of the owner's.
    CDialog beside(IDD_SKIN_TEST);
    ASSERT_TRUE(beside.Create(owner));
    beside.ShowWindow(SW_SHOW);
    UniqueWindow overBeside = PlainDialog(beside);
    beside.EnableWindow(false);
    choose();
    EXPECT_EQ(owner.count, 2);
}

// A control disabled with the keyboard focus on it hands the focus on: the
// system would leave it on nothing, and Tab, Escape and the access keys with
// it, until a click.
TEST(EnableWindow, AFocusedControlHandsTheFocusOnBeforeItIsDisabled) {
    CDialog dialog(IDD_SKIN_TEST);
    ASSERT_TRUE(dialog.Create(nullptr));
    dialog.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(dialog);
    PumpMessages();
    const CWnd first = dialog.GetDlgItem(IDC_SKIN_BUTTON);
    const CWnd second = dialog.GetDlgItem(IDC_SKIN_PICTURE);

    // Another control disabled leaves the focus where it is.
    first.SetFocus();
    ASSERT_EQ(::GetFocus(), first.GetSafeHwnd());
    second.EnableWindow(false);
    EXPECT_EQ(::GetFocus(), first.GetSafeHwnd());
    second.EnableWindow(true);

    // The focused one: on to the next control Tab reaches.
    first.EnableWindow(false);
    EXPECT_FALSE(first.IsWindowEnabled());
    EXPECT_EQ(::GetFocus(), second.GetSafeHwnd());

    // The last one Tab reaches: the dialog keeps the keys, on itself or on
    // what its dialog manager gives them to.
    second.EnableWindow(false);
    EXPECT_FALSE(second.IsWindowEnabled());
    HWND focus = ::GetFocus();
    EXPECT_TRUE(focus == dialog.GetSafeHwnd() || ::IsChild(dialog, focus)) << focus;
    EXPECT_NE(focus, second.GetSafeHwnd());
}

// The application object's registry settings.

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

// A handler that declines hands the message on: to a chained member's
// route, then to a later route of the table, and finally to the default.
class DecliningTable : public CMsgHandler {
  public:
    class Member : public CMsgHandler {
      public:
        std::vector<std::string>* calls = nullptr;

      protected:
        const MessageMap& GetMessageMap() const override {
            static constexpr Route kRoutes[] = {OnMessage<WM_APP + 9, &Member::OnApp>()};
            static const MessageMap kMap{kRoutes, nullptr};
            return kMap;
        }

      private:
        LRESULT OnApp(WPARAM, LPARAM) {
            calls->push_back("the chained member declines");
            SetMsgHandled(false);
            return 0;
        }
    };

    DecliningTable() { member_.calls = &calls; }
    std::vector<std::string> calls;
    bool lastTakes = true;

  protected:
    const MessageMap& GetMessageMap() const override {
        using T = DecliningTable;
        static constexpr Route kRoutes[] = {
            OnMessage<WM_APP + 9, &T::First>(),
            ChainMember<&T::member_>(),
            OnMessage<WM_APP + 9, &T::Last>(),
        };
        static const MessageMap kMap{kRoutes, nullptr};
        return kMap;
    }

  private:
    LRESULT First(WPARAM, LPARAM) {
        calls.push_back("the first route declines");
        SetMsgHandled(false);
        return 0;
    }
    LRESULT Last(WPARAM, LPARAM) {
        calls.push_back("the last route takes it");
        SetMsgHandled(lastTakes);
        return 7;
    }

    Member member_;
};

TEST(MessageMap, ADecliningRouteHandsTheMessageToTheNextOne) {
    DecliningTable table;
    Message m{nullptr, WM_APP + 9, 0, 0};
    EXPECT_TRUE(table.RouteMessage(m));
    EXPECT_EQ(m.result, 7);
    EXPECT_EQ(table.calls,
              (std::vector<std::string>{"the first route declines", "the chained member declines",
                                        "the last route takes it"}));
    // All of them declining leaves it to the default processing.
    table.lastTakes = false;
    Message again{nullptr, WM_APP + 9, 0, 0};
    EXPECT_FALSE(table.RouteMessage(again));
}

// Far more objects than one wait can take, as with a game started a hundred
// times: each one signalled is reported, once, and the others stay watched.
TEST(HandleWaiter, ReportsEveryObjectWhateverTheirNumber) {
    constexpr UINT kSignalledMessage = WM_APP + 7;
    constexpr int kObjects = 3 * MAXIMUM_WAIT_OBJECTS + 5;
    MSG message;
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // this thread's queue
    HWND window = ::CreateWindowA("STATIC", "waiter test window", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    std::vector<UniqueKernel> events;
    {
        HandleWaiter waiter;
        for (int i = 0; i < kObjects; ++i) {
            events.emplace_back(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
            ASSERT_TRUE(waiter.Add(events.back().get(), window, kSignalledMessage,
                                   static_cast<WPARAM>(i), true))
                << i;
        }
        // One taken off again is never reported.
        waiter.Remove(events[3].get());
        for (const UniqueKernel& event : events) {
            ::SetEvent(event.get());
        }
        std::vector<int> reported(kObjects, 0);
        int total = 0;
        const DWORD start = ::GetTickCount();
        while (total < kObjects - 1 && ::GetTickCount() - start < 10000) {
            if (::PeekMessageA(&message, window, kSignalledMessage, kSignalledMessage, PM_REMOVE)) {
                ++reported.at(message.wParam);
                ++total;
            } else {
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
            }
        }
        EXPECT_EQ(total, kObjects - 1);
        for (int i = 0; i < kObjects; ++i) {
            EXPECT_EQ(reported[i], i == 3 ? 0 : 1) << i;
        }
    }
    ::DestroyWindow(window);
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

}  // namespace
}  // namespace gd::test
