// The menus as the program's resources hold them, walked item by item:
// texts, command ids, submenus, separators and gray items, in order.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gd {
namespace {

// "prefix" + number, built by appending: GCC 12 warns falsely (-Wrestrict)
// about a literal added to a temporary string.
std::string Numbered(const char* prefix, int n) {
    std::string s(prefix);
    s += std::to_string(n);
    return s;
}

// One line per item: two spaces per submenu level, then "-" for a
// separator, "Text>" for a submenu, or "Text=id"; " (grayed)" when grayed.
void Walk(HMENU menu, int depth, std::vector<std::string>& out) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info)) {
            out.push_back("<unreadable>");
            continue;
        }
        std::string line(2 * depth, ' ');
        if (info.fType & MFT_SEPARATOR) {
            line += "-";
        } else if (info.hSubMenu != nullptr) {
            line += std::string(text) + ">";
        } else {
            line += std::string(text) + "=" + std::to_string(info.wID);
        }
        // Separators come out of the resource grayed; only items say anything.
        if ((info.fState & MFS_GRAYED) && !(info.fType & MFT_SEPARATOR)) {
            line += " (grayed)";
        }
        out.push_back(line);
        if (info.hSubMenu != nullptr) {
            Walk(info.hSubMenu, depth + 1, out);
        }
    }
}

// The whole menu, or only its first popup's items where the program shows
// just that popup (the popup's own title is nowhere seen).
std::vector<std::string> Dump(int id, bool firstPopupOnly) {
    std::vector<std::string> out;
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    if (menu == nullptr) {
        out.push_back("<missing>");
        return out;
    }
    if (firstPopupOnly) {
        HMENU popup = GetSubMenu(menu, 0);
        if (popup == nullptr) {
            out.push_back("<no popup>");
        } else {
            Walk(popup, 0, out);
        }
        if (GetMenuItemCount(menu) != 1) {
            out.push_back("<more than one popup>");
        }
    } else {
        Walk(menu, 0, out);
    }
    DestroyMenu(menu);
    return out;
}

struct MenuCase {
    int id;
    bool firstPopupOnly;
    std::vector<std::string> items;
};

const std::vector<std::string> kEventInsert = {
    "Insert>", "  Keyboard=32741", "  Mouse Button=32751", "  -", "  Plug-Ins=0 (grayed)",
};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<std::string> kLayerItems = {
    "Single>", "  Keyboard=32741", "  Mouse Button=32751", "-", "Macro=32761",
    "Stop>",   "  Stop Key=32822",
};

const MenuCase kMenus[] = {
    {130,
     false,
     {
         "&File>",
         "  &New=57600",
         "  &Open=57601",
         "  &Load System Default=32805",
         "  &Save=57603",
         "  Save &As...=32711",
         "  &Information of the Summary=32806",
         "  &Close=57602",
         "  E&xit=32712",
         "&Options>",
         "  &Launch on System Startup=32721",
         "  Reinstall &Driver=32808",
         "&About>",
         "  &About Gripdeck Version 1.00(&A)=32733",
     }},
    {131,
     false,
     {
         "Task>",
         "  Show/Hide=32901",
         "  &About=32733",
         "  -",
         "  Recent Files=33000",
         "  -",
         "  E&xit=32712",
     }},
    {132,
     true,
     {
         "Single>",
         "  Keyboard=32741",
         "  Mouse Button=32751",
         "-",
         "Macro=32761",
         "Multi Layers>",
         "  Single Switch>",
         "    Keyboard=32816",
         "    Mouse Button=32817",
         "  Twin Switch=32820",
         "  Advanced=32771",
         "-",
         "Stop>",
         "  Stop Macro Loop=32821",
         "  Stop Key=32822",
         "  Super Stop(Reset)=32823",
         "Default=32791",
         "-",
         "Off=32801",
         "-",
         "Edit>",
         "  Copy=57634",
         "  Paste=57637",
     }},
    {133, true, Join(kEventInsert, {"Delete=32799"})},
    {134, true, kLayerItems},
    {136, true, Join(kLayerItems, {"-", "Clear=32801"})},
    {137, true, kEventInsert},
    {138, true, {"Keyboard=32741", "Mouse Button=32751"}},
};

class MenuTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuTest, HoldsExactlyItsItemsInOrder) {
    EXPECT_EQ(Dump(GetParam().id, GetParam().firstPopupOnly), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Res, MenuTest, ::testing::ValuesIn(kMenus),
                         [](const ::testing::TestParamInfo<MenuCase>& info) {
                             return Numbered("Menu", info.param.id);
                         });

}  // namespace
}  // namespace gd
