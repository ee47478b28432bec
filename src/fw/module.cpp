#include "fw/module.h"

#include <commctrl.h>

namespace gd {
namespace {

HINSTANCE resourceInstance = nullptr;

}  // namespace

HINSTANCE ResourceInstance() {
    return resourceInstance ? resourceInstance : ::GetModuleHandleA(nullptr);
}

void SetResourceInstance(HINSTANCE instance) {
    resourceInstance = instance;
}

void InitCommonControlsOnce() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS |
                                                   ICC_TAB_CLASSES | ICC_STANDARD_CLASSES |
                                                   ICC_WIN95_CLASSES};
        return ::InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

}  // namespace gd
