#include "fw/message_map.h"

namespace gd {
namespace {

// The window property that leads from an HWND to its object.
constexpr char kObjectProperty[] = "GripdeckWindowObject";

// The child a parent's message is about, when the message is one a control
// may want to answer for itself.
HWND ReflectionTarget(const Message& m) {
    switch (m.message) {
        case WM_COMMAND:
            return reinterpret_cast<HWND>(m.lParam);
        case WM_NOTIFY:
            return m.lParam ? reinterpret_cast<const NMHDR*>(m.lParam)->hwndFrom : nullptr;
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam);
            return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
        }
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.lParam);
            return mis && mis->CtlType != ODT_MENU ? ::GetDlgItem(m.hwnd, mis->CtlID) : nullptr;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return reinterpret_cast<HWND>(m.lParam);
        default:
            return nullptr;
    }
}

bool Matches(const Route& route, const Message& m, bool reflected) {
    switch (route.kind) {
        case RouteKind::Message:
            return !reflected && route.message == m.message;
        case RouteKind::Reflect:
            return reflected && route.message == m.message;
        case RouteKind::Command:
        case RouteKind::CommandRange: {
            if (reflected || m.message != WM_COMMAND) {
                return false;
            }
            UINT id = LOWORD(m.wParam);
            UINT code = HIWORD(m.wParam);
            if (id < route.firstId || id > route.lastId) {
                return false;
            }
            // Accelerators arrive with code 1 and no control.
            bool clickLike = code == 0 || (code == 1 && m.lParam == 0);
            return route.kind == RouteKind::CommandRange
                       ? clickLike
                       : (code == route.code || (route.code == 0 && clickLike));
        }
        case RouteKind::Notify: {
            if (reflected || m.message != WM_NOTIFY) {
                return false;
            }
            auto* hdr = reinterpret_cast<const NMHDR*>(m.lParam);
            return hdr->idFrom == route.firstId && hdr->code == route.code;
        }
        case RouteKind::ReflectCommand:
            return reflected && m.message == WM_COMMAND && HIWORD(m.wParam) == route.code;
        case RouteKind::ReflectNotify:
            return reflected && m.message == WM_NOTIFY &&
                   reinterpret_cast<const NMHDR*>(m.lParam)->code == route.code;
        case RouteKind::Registered:
            // Registered numbers lie in 0xC000..0xFFFF; registering a name
            // again only looks its number up.
            return !reflected && m.message >= 0xC000 && m.message <= 0xFFFF &&
                   m.message == ::RegisterWindowMessageA(route.registeredName);
        case RouteKind::ChainMember:
            // Deliver hands the message to the member's table instead.
            return false;
    }
    return false;
}

}  // namespace

CMsgHandler::~CMsgHandler() = default;

CMsgHandler* CMsgHandler::FromHandle(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId()) {
        return nullptr;
    }
    return static_cast<CMsgHandler*>(::GetPropA(window, kObjectProperty));
}

const MessageMap& CMsgHandler::GetMessageMap() const {
    static const MessageMap kEmpty{{}, nullptr};
    return kEmpty;
}

void CMsgHandler::SetMsgHandled(bool handled) {
    if (current_ != nullptr) {
        current_->handled = handled;
    }
}

void CMsgHandler::AttachToWindow(HWND window) {
    ::SetPropA(window, kObjectProperty, this);
}

void CMsgHandler::DetachFromWindow(HWND window) {
    if (::GetPropA(window, kObjectProperty) == this) {
        ::RemovePropA(window, kObjectProperty);
    }
}

bool CMsgHandler::RouteMessage(Message& m) {
    if (HWND child = ReflectionTarget(m)) {
        CMsgHandler* target = FromHandle(child);
        if (target != nullptr && target != this && target->Dispatch(m, true)) {
            return true;
        }
    }
    return Dispatch(m, false);
}

bool CMsgHandler::Dispatch(Message& m, bool reflected) {
    return Deliver(m, reflected) && m.handled;
}

bool CMsgHandler::Deliver(Message& m, bool reflected) {
    for (const MessageMap* map = &GetMessageMap(); map != nullptr; map = map->base) {
        for (const Route& route : map->routes) {
            if (route.kind == RouteKind::ChainMember) {
                if (route.member(*this).Deliver(m, reflected) && m.handled) {
                    return true;
                }
                continue;
            }
            if (!Matches(route, m, reflected)) {
                continue;
            }
            // Handlers may send messages to their own window: keep the outer
            // message for SetMsgHandled once they return.
            Message* outer = current_;
            current_ = &m;
            m.handled = true;
            m.result = 0;
            route.thunk(*this, m);
            current_ = outer;
            // Declined (SetMsgHandled(false)): the next route that takes
            // the message may handle it, and after them the default.
            if (m.handled) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace gd
