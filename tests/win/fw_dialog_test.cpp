#include "fw/dialog.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fw/controls.h"
#include "fw/text.h"
#include "fw_test_ids.h"
#include "fw_test_support.h"

namespace gd::test {
namespace {

constexpr UINT kNextStep = WM_APP + 10;

// A dialog with one field of each exchanged kind. Steps run one after the
// other from its own message loop once it is open.
class CExchangeDlg : public CDialog {
  public:
    explicit CExchangeDlg(HWND parent = nullptr) : CDialog(IDD_FW_TEST, parent) {}
    ~CExchangeDlg() override { DestroyWindow(); }

    std::string text = "initial";
    int number = 30;
    std::uint32_t unsignedNumber = 5;
    int checked = 1;
    CComboBox combo;
    std::vector<std::function<void(CExchangeDlg&)>> steps;
    int initCalls = 0;

    void Command(UINT id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.Control(IDC_FW_COMBO, combo);
        dx.Text(IDC_FW_TEXT, text);
        dx.Int(IDC_FW_INT, number, 30, 60000);
        dx.UInt(IDC_FW_UINT, unsignedNumber, 0, 4000000000u);
        dx.Check(IDC_FW_CHECK, checked);
    }

    BOOL OnInitDialog() override {
        ++initCalls;
        CDialog::OnInitDialog();
        PostMessage(kNextStep);
        return TRUE;
    }

    const MessageMap& GetMessageMap() const override {
        static constexpr Route kRoutes[] = {
            OnMessage<kNextStep, &CExchangeDlg::OnNextStep>(),
        };
        static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
        return kMap;
    }

  private:
    LRESULT OnNextStep(WPARAM, LPARAM) {
        if (next_ < steps.size()) {
            steps[next_++](*this);
            PostMessage(kNextStep);
        }
        return 0;
    }

    size_t next_ = 0;
};

TEST(DialogModal, OKSavesTheFieldsAndEndsTheRun) {
    CExchangeDlg dlg;
    dlg.text = "hello";
    dlg.number = 500;
    dlg.checked = 0;
    std::vector<std::string> shown;
    dlg.steps = {
        [&](CExchangeDlg& d) {
            shown = {d.GetDlgItemText(IDC_FW_TEXT), d.GetDlgItemText(IDC_FW_INT),
                     d.GetDlgItemText(IDC_FW_UINT), d.IsDlgButtonChecked(IDC_FW_CHECK) ? "1" : "0"};
            EXPECT_TRUE(d.IsModal());
            EXPECT_NE(d.combo.GetSafeHwnd(), nullptr);
            d.SetDlgItemText(IDC_FW_TEXT, "changed");
            d.SetDlgItemText(IDC_FW_INT, "60000");
            d.SetDlgItemText(IDC_FW_UINT, "4000000000");
            d.CheckDlgButton(IDC_FW_CHECK, true);
            d.Command(IDOK);
        },
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_EQ(shown, (std::vector<std::string>{"hello", "500", "5", "0"}));
    EXPECT_EQ(dlg.text, "changed");
    EXPECT_EQ(dlg.number, 60000);
    EXPECT_EQ(dlg.unsignedNumber, 4000000000u);
    EXPECT_EQ(dlg.checked, 1);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(dlg.IsModal());
}

TEST(DialogModal, CancelLeavesTheMembersAlone) {
    CExchangeDlg dlg;
    dlg.steps = {[](CExchangeDlg& d) {
        d.SetDlgItemText(IDC_FW_TEXT, "changed");
        d.Command(IDCANCEL);
    }};
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.text, "initial");
}

TEST(DialogModal, ANumberOutOfRangeIsReportedAndTheDialogStaysOpen) {
    MessageBoxWatcher boxes;
    CExchangeDlg dlg;
    bool openAfterFailure = false;
    bool focusOnField = false;
    DWORD selection = 0;
    dlg.steps = {
        [](CExchangeDlg& d) {
            d.SetDlgItemText(IDC_FW_INT, "29");
            d.Command(IDOK);
        },
        [&](CExchangeDlg& d) {
            openAfterFailure = d.IsWindow();
            focusOnField = ::GetFocus() == d.GetDlgItem(IDC_FW_INT).GetSafeHwnd();
            selection = static_cast<DWORD>(d.GetDlgItem(IDC_FW_INT).SendMessage(EM_GETSEL));
            d.SetDlgItemText(IDC_FW_INT, "30");
            d.Command(IDOK);
        },
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_EQ(boxes.seen()[0].text, "Please enter an integer between 30 and 60000.");
    EXPECT_EQ(boxes.seen()[0].caption, AppTitle());
    EXPECT_TRUE(boxes.seen()[0].exclamation);
    EXPECT_TRUE(openAfterFailure);
    EXPECT_TRUE(focusOnField);
    EXPECT_EQ(LOWORD(selection), 0);
    EXPECT_EQ(HIWORD(selection), 2);  // the whole "29"
    EXPECT_EQ(dlg.number, 30);
}

TEST(DialogExchange, OnlyWholeNumbersInRangeAreTaken) {
    struct Row {
        int field;
        const char* text;
        bool accepted;
        long long value;
    } rows[] = {
        {IDC_FW_INT, "30", true, 30},
        {IDC_FW_INT, "60000", true, 60000},
        {IDC_FW_INT, " 45 ", true, 45},
        {IDC_FW_INT, "+31", true, 31},
        {IDC_FW_INT, "29", false, 0},
        {IDC_FW_INT, "60001", false, 0},
        {IDC_FW_INT, "", false, 0},
        {IDC_FW_INT, "abc", false, 0},
        {IDC_FW_INT, "12a", false, 0},
        {IDC_FW_INT, "-30", false, 0},
        {IDC_FW_INT, "4294967326", false, 0},  // 30 once wrapped to 32 bits
        {IDC_FW_INT, "99999999999999999999", false, 0},
        {IDC_FW_UINT, "0", true, 0},
        {IDC_FW_UINT, "4000000000", true, 4000000000},
        {IDC_FW_UINT, "4000000001", false, 0},
        {IDC_FW_UINT, "-1", false, 0},
    };
    CExchangeDlg dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        MessageBoxWatcher boxes;
        dlg.number = 1234;
        dlg.unsignedNumber = 1234;
        dlg.SetDlgItemText(IDC_FW_INT, row.field == IDC_FW_INT ? row.text : "100");
        dlg.SetDlgItemText(IDC_FW_UINT, row.field == IDC_FW_UINT ? row.text : "100");
        EXPECT_EQ(dlg.UpdateData(true), row.accepted);
        if (row.accepted) {
            EXPECT_TRUE(boxes.seen().empty());
            EXPECT_EQ(row.field == IDC_FW_INT ? dlg.number : dlg.unsignedNumber, row.value);
        } else {
            ASSERT_EQ(boxes.seen().size(), 1u);
            EXPECT_EQ(boxes.seen()[0].text,
                      row.field == IDC_FW_INT
                          ? "Please enter an integer between 30 and 60000."
                          : "Please enter an integer between 0 and 4000000000.");
            // The failing field keeps its member; later fields are not read.
            EXPECT_EQ(row.field == IDC_FW_INT ? dlg.number : dlg.unsignedNumber, 1234);
            if (row.field == IDC_FW_INT) {
                EXPECT_EQ(dlg.unsignedNumber, 1234u);
            }
        }
    }
}

TEST(DialogModeless, CreateHideAndDestroy) {
    HWND window = nullptr;
    {
        CExchangeDlg dlg;
        ASSERT_TRUE(dlg.Create(nullptr));
        window = dlg;
        EXPECT_FALSE(dlg.IsModal());
        EXPECT_FALSE(dlg.Create(nullptr));  // one window per object
        dlg.ShowWindow(SW_SHOW);
        dlg.EndDialog(IDOK);  // a modeless dialog only hides
        EXPECT_TRUE(::IsWindow(window));
        EXPECT_FALSE(dlg.IsWindowVisible());
        EXPECT_EQ(CMsgHandler::FromHandle(window), &dlg);
    }
    // The object took its window with it.
    EXPECT_FALSE(::IsWindow(window));

    CExchangeDlg dlg;
    ASSERT_TRUE(dlg.Create(nullptr));
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(dlg.DestroyWindow());
    EXPECT_TRUE(dlg.Create(nullptr));  // and can open again
}

TEST(DialogTemplates, AMissingTemplateFailsCleanly) {
    CDialog missing(12345);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create(nullptr));
    EXPECT_EQ(missing.GetSafeHwnd(), nullptr);
}

TEST(DialogControls, ListColumnsInShownOrderAndTextsOfAnyLength) {
    CExchangeDlg dlg;
    ASSERT_TRUE(dlg.Create(nullptr));

    CListCtrl list(dlg.GetDlgItem(IDC_FW_LIST));
    EXPECT_EQ(list.InsertColumn(0, "Key", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, "Delay(ms)", LVCFMT_RIGHT, 70), 1);
    EXPECT_EQ(list.InsertColumn(2, "No.", LVCFMT_CENTER, 48), 2);
    EXPECT_EQ(list.GetColumnCount(), 3);
    int order[] = {2, 0, 1};
    list.SendMessage(LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(list.GetColumnOrder(), (std::vector<int>{2, 0, 1}));
    int format = 0;
    int width = 0;
    ASSERT_TRUE(list.GetColumnFormat(1, format, width));
    EXPECT_EQ(format & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    EXPECT_EQ(width, 70);
    EXPECT_FALSE(list.GetColumnFormat(3, format, width));

    std::string longText(1000, 'k');
    EXPECT_EQ(list.InsertItem(0, longText), 0);
    EXPECT_EQ(list.InsertItem(1, "B"), 1);
    EXPECT_EQ(list.GetItemText(0, 0), longText);
    EXPECT_EQ(list.GetItemText(1, 1), "");
    EXPECT_TRUE(list.SetItemText(1, 1, "30"));
    EXPECT_EQ(list.GetItemText(1, 1), "30");
    EXPECT_TRUE(list.SetItemData(1, 0x01100030));
    EXPECT_EQ(list.GetItemData(1), 0x01100030);
    EXPECT_EQ(list.GetSelectedItem(), -1);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedItem(), 1);
}

}  // namespace
}  // namespace gd::test
