#include "fw/handle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/devinfo_handle.h"
#include "fw_test_support.h"

namespace gd::test {
namespace {

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

// Every kind of handle the program owns, made, dropped, and checked dead.
struct Kind {
    const char* name;
    std::function<bool()> releasesOnScopeExit;
};

template <typename Owner, typename Make, typename IsAlive>
std::function<bool()> Check(Make make, IsAlive isAlive) {
    return [make, isAlive]() {
        typename Owner::Type raw{};
        {
            Owner owner(make());
            raw = owner.get();
            if (!owner || !isAlive(raw)) {
                return false;
            }
        }
        return !isAlive(raw);
    };
}

TEST(HandleKinds, EveryOwnerReleasesItsHandle) {
    char tempDir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tempDir);
    std::string tempFile = std::string(tempDir) + "gd_handle_test.tmp";
    auto gdiAlive = [](auto h) { return ::GetObjectType(h) != 0; };

    const Kind kinds[] = {
        {"bitmap",
         Check<UniqueBitmap>([] { return ::CreateBitmap(4, 4, 1, 32, nullptr); }, gdiAlive)},
        {"region", Check<UniqueRegion>([] { return ::CreateRectRgn(0, 0, 4, 4); }, gdiAlive)},
        {"brush", Check<UniqueBrush>([] { return ::CreateSolidBrush(RGB(1, 2, 3)); }, gdiAlive)},
        {"font", Check<UniqueFont>(
                     [] {
                         return ::CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0,
                                              0, 0, "Arial");
                     },
                     gdiAlive)},
        {"memory DC", Check<UniqueDC>([] { return ::CreateCompatibleDC(nullptr); }, gdiAlive)},
        {"menu", Check<UniqueMenu>([] { return ::CreatePopupMenu(); },
                                   [](HMENU m) { return ::IsMenu(m) != FALSE; })},
        {"icon", Check<UniqueIcon>(
                     [] {
                         BYTE andMask[32 * 4] = {};
                         BYTE xorMask[32 * 4] = {};
                         return ::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
                     },
                     [](HICON icon) {
                         ICONINFO info{};
                         if (!::GetIconInfo(icon, &info)) {
                             return false;
                         }
                         ::DeleteObject(info.hbmMask);
                         ::DeleteObject(info.hbmColor);
                         return true;
                     })},
        {"registry key", Check<UniqueKey>(
                             [] {
                                 HKEY key = nullptr;
                                 ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key);
                                 return key;
                             },
                             [](HKEY key) {
                                 DWORD subKeys = 0;
                                 return ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys,
                                                           nullptr, nullptr, nullptr, nullptr,
                                                           nullptr, nullptr,
                                                           nullptr) == ERROR_SUCCESS;
                             })},
        {"global memory", Check<UniqueGlobal>([] { return ::GlobalAlloc(GMEM_MOVEABLE, 64); },
                                              [](HGLOBAL g) { return ::GlobalSize(g) != 0; })},
        {"file", Check<UniqueFile>(
                     [&tempFile] {
                         return ::CreateFileA(tempFile.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
                     },
                     [](HANDLE f) {
                         DWORD flags = 0;
                         return ::GetHandleInformation(f, &flags) != FALSE;
                     })},
        {"window", Check<UniqueWindow>(
                       [] {
                           return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr,
                                                    nullptr, nullptr, nullptr);
                       },
                       [](HWND w) { return ::IsWindow(w) != FALSE; })},
        {"device information list",
         Check<UniqueDevInfo>([] { return ::SetupDiCreateDeviceInfoList(nullptr, nullptr); },
                              [](HDEVINFO list) {
                                  SP_DEVINFO_LIST_DETAIL_DATA_A detail{};
                                  detail.cbSize = sizeof detail;
                                  return ::SetupDiGetDeviceInfoListDetailA(list, &detail) != FALSE;
                              })},
    };
    for (const Kind& kind : kinds) {
        EXPECT_TRUE(kind.releasesOnScopeExit()) << kind.name;
    }
}

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(HandleKinds, HookIsRemovedWithItsOwner) {
    HHOOK raw = nullptr;
    {
        UniqueHook hook(::SetWindowsHookExA(WH_CBT, &PassOn, nullptr, ::GetCurrentThreadId()));
        ASSERT_TRUE(hook);
        raw = hook.get();
    }
    EXPECT_FALSE(::UnhookWindowsHookEx(raw));
}

TEST(HandleGuards, SelectGuardPutsThePreviousObjectBack) {
    UniqueDC dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
    UniqueBitmap bitmap(::CreateBitmap(2, 2, 1, 1, nullptr));
    {
        SelectGuard selected(dc.get(), bitmap.get());
        EXPECT_TRUE(selected.ok());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    // Nothing to undo when the selection failed.
    SelectGuard failed(dc.get(), nullptr);
    EXPECT_FALSE(failed.ok());
}

TEST(HandleGuards, ClipboardIsClosedAtScopeExit) {
    UniqueWindow owner(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                         nullptr, nullptr));
    {
        ClipboardGuard clipboard(owner.get());
        ASSERT_TRUE(clipboard.ok());
        EXPECT_EQ(::GetOpenClipboardWindow(), owner.get());
    }
    EXPECT_EQ(::GetOpenClipboardWindow(), nullptr);
}

TEST(HandleGuards, GlobalLockIsUndoneAtScopeExit) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 16));
    {
        GlobalLockGuard<char> lock(memory.get());
        ASSERT_NE(lock.data(), nullptr);
        EXPECT_GE(lock.size(), 16u);
        EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 0u);
    GlobalLockGuard<char> none(nullptr);
    EXPECT_EQ(none.data(), nullptr);
    EXPECT_EQ(none.size(), 0u);
}

TEST(HandleGuards, PaintDCValidatesTheWindow) {
    UniqueWindow window(::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20,
                                          nullptr, nullptr, nullptr, nullptr));
    ::InvalidateRect(window.get(), nullptr, TRUE);
    EXPECT_TRUE(::GetUpdateRect(window.get(), nullptr, FALSE));
    {
        PaintDC paint(window.get());
        EXPECT_NE(paint.get(), nullptr);
    }
    EXPECT_FALSE(::GetUpdateRect(window.get(), nullptr, FALSE));
}

TEST(HandleGuards, WindowDCIsReleasedToItsWindow) {
    UniqueWindow window(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                          nullptr, nullptr));
    HDC raw = nullptr;
    {
        WindowDC dc(window.get());
        ASSERT_TRUE(dc);
        raw = dc.get();
        WindowDC moved(std::move(dc));
        EXPECT_FALSE(dc);
        EXPECT_EQ(moved.get(), raw);
    }
    // A released common DC is no longer tied to the window.
    EXPECT_EQ(::WindowFromDC(raw), nullptr);
}

}  // namespace
}  // namespace gd::test
