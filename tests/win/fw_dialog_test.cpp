// Dialogs of the framework: a refused field keeps the dialog open on it,
// and a modeless dialog's object owns its window.
#include "fw/dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "fw/text.h"
#include "fw_test_ids.h"
#include "support/win_test_support.h"

namespace gd::test {
namespace {

// A dialog with one field of each exchanged kind.
class CExchangeDlg : public CDialog {
  public:
    CExchangeDlg() : CDialog(IDD_FW_TEST) {}
    ~CExchangeDlg() override { DestroyWindow(); }

    std::string text = "initial";
    int number = 30;
    std::uint32_t unsignedNumber = 5;
    int checked = 1;

  protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(IDC_FW_TEXT, text);
        dx.Int(IDC_FW_INT, number, 30, 60000);
        dx.UInt(IDC_FW_UINT, unsignedNumber, 0, 4000000000u);
        dx.Check(IDC_FW_CHECK, checked);
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
    EXPECT_TRUE(boxes.seen()[0].exclamation);
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

}  // namespace
}  // namespace gd::test
