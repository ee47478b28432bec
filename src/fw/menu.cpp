#include "fw/menu.h"

#include "fw/module.h"

namespace gd {

std::string CMenuRef::GetItemText(UINT item, bool byPosition) const {
    UINT flag = byPosition ? MF_BYPOSITION : MF_BYCOMMAND;
    int length = ::GetMenuStringA(menu_, item, nullptr, 0, flag);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetMenuStringA(menu_, item, text.data(), length + 1, flag);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool CMenuRef::AppendItem(UINT id, std::string_view text) const {
    std::string copy(text);
    return ::AppendMenuA(menu_, MF_STRING, id, copy.c_str()) != FALSE;
}

bool CMenuRef::InsertItem(UINT beforePosition, UINT id, std::string_view text) const {
    std::string copy(text);
    return ::InsertMenuA(menu_, beforePosition, MF_BYPOSITION | MF_STRING, id, copy.c_str()) !=
           FALSE;
}

bool CMenu::LoadMenu(UINT id) {
    owned_.reset(::LoadMenuA(ResourceInstance(), MAKEINTRESOURCEA(id)));
    menu_ = owned_.get();
    return menu_ != nullptr;
}

bool CMenu::CreatePopupMenu() {
    owned_.reset(::CreatePopupMenu());
    menu_ = owned_.get();
    return menu_ != nullptr;
}

}  // namespace gd
