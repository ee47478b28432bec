#pragma once
// Handler tables: each window class lists, in one place, which messages,
// commands and notifications go to which member functions. WPARAM and LPARAM
// are cracked here, once, into the typed arguments the handler declares.
//
//   const MessageMap& CMyDlg::GetMessageMap() const {
//       static constexpr Route kRoutes[] = {
//           OnCommand<&CMyDlg::OnStart>(IDC_START),
//           OnCommand<&CMyDlg::OnNameChanged>(IDC_NAME, EN_CHANGE),
//           OnNotify<&CMyDlg::OnListChanged>(IDC_LIST, LVN_ITEMCHANGED),
//           OnMessage<WM_TIMER, &CMyDlg::OnTimer>(),
//       };
//       static const MessageMap kMap{kRoutes, &CDialog::GetMessageMap()};
//       return kMap;
//   }
//
// The first matching route wins; a class's own routes come before its base's.
// ChainMember<&CMyDlg::panel_>() offers every message, at its place in the
// table, to a member object's own table (the member derives CMsgHandler);
// when none of the member's routes matches, the search goes on.
// A handler that declines, SetMsgHandled(false), passes the message to the
// next matching route, and after the last to the default processing (the
// window's original procedure, or the dialog manager).
//
// Messages a parent receives about a child (WM_DRAWITEM, WM_CTLCOLOR*,
// WM_COMMAND and WM_NOTIFY from a control) are first offered to the child's
// own object, if it has one, through its OnReflect* routes.
#include <windows.h>

#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

namespace gd {

struct Message {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool handled = true;
};

class CMsgHandler;
using RouteThunk = void (*)(CMsgHandler&, Message&);
// A chained member of the window object: the member's handler part.
using MemberThunk = CMsgHandler& (*)(CMsgHandler&);

enum class RouteKind : unsigned char {
    Message,         // any message by id
    Command,         // WM_COMMAND by control or menu id and notification code
    CommandRange,    // WM_COMMAND by a range of ids, code 0
    Notify,          // WM_NOTIFY by control id and code
    Reflect,         // a parent's message about this control, by message id
    ReflectCommand,  // this control's own WM_COMMAND notification, by code
    ReflectNotify,   // this control's own WM_NOTIFY, by code
    Registered,      // a message registered by name (RegisterWindowMessage)
    ChainMember,     // whatever a member object's own table takes
};

struct Route {
    RouteKind kind;
    UINT message;
    UINT firstId;
    UINT lastId;
    UINT code;
    RouteThunk thunk;
    const char* registeredName;  // Registered routes only
    MemberThunk member;          // ChainMember routes only
};

struct MessageMap {
    std::span<const Route> routes;
    const MessageMap* base;
};

namespace detail {

template <typename>
struct MemberFn;
template <typename C, typename R, typename... A>
struct MemberFn<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
    static constexpr std::size_t arity = sizeof...(A);
    template <std::size_t I>
    using Arg = std::tuple_element_t<I, std::tuple<A...>>;
};
template <typename C, typename R, typename... A>
struct MemberFn<R (C::*)(A...) noexcept> : MemberFn<R (C::*)(A...)> {};

template <typename R>
LRESULT ToResult(R value) {
    if constexpr (std::is_pointer_v<R>) {
        return reinterpret_cast<LRESULT>(value);
    } else {
        return static_cast<LRESULT>(value);
    }
}

template <auto Pmf, typename... A>
void Call(CMsgHandler& handler, Message& m, A&&... args) {
    using F = MemberFn<decltype(Pmf)>;
    static_assert(std::is_base_of_v<CMsgHandler, typename F::Class>,
                  "handlers belong to a class derived from CMsgHandler");
    auto& self = static_cast<typename F::Class&>(handler);
    if constexpr (std::is_void_v<typename F::Result>) {
        (self.*Pmf)(std::forward<A>(args)...);
        m.result = 0;
    } else {
        m.result = ToResult((self.*Pmf)(std::forward<A>(args)...));
    }
}

inline POINT PointFrom(LPARAM l) {
    return POINT{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
}

// Default: the handler takes the raw parameters, LRESULT f(WPARAM, LPARAM).
template <UINT Msg>
struct Cracker {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, m.wParam, m.lParam);
    }
};

// void f()
#define GD_CRACK_NOARGS(msg)                           \
    template <>                                        \
    struct Cracker<msg> {                              \
        template <auto Pmf>                            \
        static void Call(CMsgHandler& h, Message& m) { \
            detail::Call<Pmf>(h, m);                   \
        }                                              \
    };
GD_CRACK_NOARGS(WM_PAINT)
GD_CRACK_NOARGS(WM_DESTROY)
GD_CRACK_NOARGS(WM_NCDESTROY)
GD_CRACK_NOARGS(WM_MOUSELEAVE)
#undef GD_CRACK_NOARGS

// void f(UINT keyFlags, POINT clientPoint)
#define GD_CRACK_MOUSE(msg)                                                            \
    template <>                                                                        \
    struct Cracker<msg> {                                                              \
        template <auto Pmf>                                                            \
        static void Call(CMsgHandler& h, Message& m) {                                 \
            detail::Call<Pmf>(h, m, static_cast<UINT>(m.wParam), PointFrom(m.lParam)); \
        }                                                                              \
    };
GD_CRACK_MOUSE(WM_MOUSEMOVE)
GD_CRACK_MOUSE(WM_MOUSEHOVER)
GD_CRACK_MOUSE(WM_LBUTTONDOWN)
GD_CRACK_MOUSE(WM_LBUTTONUP)
GD_CRACK_MOUSE(WM_LBUTTONDBLCLK)
GD_CRACK_MOUSE(WM_RBUTTONDOWN)
GD_CRACK_MOUSE(WM_RBUTTONUP)
GD_CRACK_MOUSE(WM_RBUTTONDBLCLK)
#undef GD_CRACK_MOUSE

// void f(UINT virtualKeyOrChar, UINT repeatCount, UINT flags)
#define GD_CRACK_KEY(msg)                                           \
    template <>                                                     \
    struct Cracker<msg> {                                           \
        template <auto Pmf>                                         \
        static void Call(CMsgHandler& h, Message& m) {              \
            detail::Call<Pmf>(h, m, static_cast<UINT>(m.wParam),    \
                              static_cast<UINT>(LOWORD(m.lParam)),  \
                              static_cast<UINT>(HIWORD(m.lParam))); \
        }                                                           \
    };
GD_CRACK_KEY(WM_KEYDOWN)
GD_CRACK_KEY(WM_KEYUP)
GD_CRACK_KEY(WM_CHAR)
GD_CRACK_KEY(WM_SYSKEYDOWN)
#undef GD_CRACK_KEY

// HBRUSH f(HDC dc, HWND control)
#define GD_CRACK_CTLCOLOR(msg)                                       \
    template <>                                                      \
    struct Cracker<msg> {                                            \
        template <auto Pmf>                                          \
        static void Call(CMsgHandler& h, Message& m) {               \
            detail::Call<Pmf>(h, m, reinterpret_cast<HDC>(m.wParam), \
                              reinterpret_cast<HWND>(m.lParam));     \
        }                                                            \
    };
GD_CRACK_CTLCOLOR(WM_CTLCOLORSTATIC)
GD_CRACK_CTLCOLOR(WM_CTLCOLOREDIT)
GD_CRACK_CTLCOLOR(WM_CTLCOLORBTN)
GD_CRACK_CTLCOLOR(WM_CTLCOLORDLG)
GD_CRACK_CTLCOLOR(WM_CTLCOLORLISTBOX)
#undef GD_CRACK_CTLCOLOR

// void f() or void f(WPARAM request): the system closes with 0; a program
// may give its own closes a meaning of their own.
template <>
struct Cracker<WM_CLOSE> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        if constexpr (MemberFn<decltype(Pmf)>::arity == 0) {
            detail::Call<Pmf>(h, m);
        } else {
            detail::Call<Pmf>(h, m, m.wParam);
        }
    }
};

// void f(UINT_PTR timerId)
template <>
struct Cracker<WM_TIMER> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, static_cast<UINT_PTR>(m.wParam));
    }
};

// BOOL f(HWND window, UINT hitTest, UINT mouseMessage): TRUE when the cursor was set
template <>
struct Cracker<WM_SETCURSOR> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, reinterpret_cast<HWND>(m.wParam),
                          static_cast<UINT>(LOWORD(m.lParam)), static_cast<UINT>(HIWORD(m.lParam)));
    }
};

// BOOL f(HDC dc): TRUE when the background counts as erased
template <>
struct Cracker<WM_ERASEBKGND> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, reinterpret_cast<HDC>(m.wParam));
    }
};

// void f(const DRAWITEMSTRUCT&)
template <>
struct Cracker<WM_DRAWITEM> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, *reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam));
        m.result = TRUE;
    }
};

// void f(MEASUREITEMSTRUCT&)
template <>
struct Cracker<WM_MEASUREITEM> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, *reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam));
        m.result = TRUE;
    }
};

// UINT f(POINT screenPoint): the hit-test code
template <>
struct Cracker<WM_NCHITTEST> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, PointFrom(m.lParam));
    }
};

// void f(UINT command, POINT screenPoint); command without its low four bits
template <>
struct Cracker<WM_SYSCOMMAND> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, static_cast<UINT>(m.wParam & 0xFFF0), PointFrom(m.lParam));
    }
};

// BOOL f(UINT event, DWORD_PTR data)
template <>
struct Cracker<WM_DEVICECHANGE> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, static_cast<UINT>(m.wParam), static_cast<DWORD_PTR>(m.lParam));
    }
};

// BOOL f(const HELPINFO&)
template <>
struct Cracker<WM_HELP> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, *reinterpret_cast<const HELPINFO*>(m.lParam));
    }
};

// void f(HWND otherWindow)
template <>
struct Cracker<WM_SETFOCUS> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, reinterpret_cast<HWND>(m.wParam));
    }
};
template <>
struct Cracker<WM_KILLFOCUS> : Cracker<WM_SETFOCUS> {};

// void f(HWND window, POINT screenPoint); (-1, -1) for the keyboard
template <>
struct Cracker<WM_CONTEXTMENU> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, reinterpret_cast<HWND>(m.wParam), PointFrom(m.lParam));
    }
};

// void f(UINT code, int position, HWND scrollBarOrControl)
template <>
struct Cracker<WM_VSCROLL> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, static_cast<UINT>(LOWORD(m.wParam)),
                          static_cast<int>(static_cast<short>(HIWORD(m.wParam))),
                          reinterpret_cast<HWND>(m.lParam));
    }
};
template <>
struct Cracker<WM_HSCROLL> : Cracker<WM_VSCROLL> {};

// void f(UINT type, int width, int height)
template <>
struct Cracker<WM_SIZE> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, static_cast<UINT>(m.wParam), static_cast<int>(LOWORD(m.lParam)),
                          static_cast<int>(HIWORD(m.lParam)));
    }
};

// void f(bool shown, UINT status)
template <>
struct Cracker<WM_SHOWWINDOW> {
    template <auto Pmf>
    static void Call(CMsgHandler& h, Message& m) {
        detail::Call<Pmf>(h, m, m.wParam != 0, static_cast<UINT>(m.lParam));
    }
};

template <typename>
struct MemberData;
template <typename C, typename M>
struct MemberData<M C::*> {
    using Class = C;
    using Member = M;
};

template <auto Pm>
CMsgHandler& ChainedMember(CMsgHandler& handler) {
    using D = MemberData<decltype(Pm)>;
    static_assert(std::is_base_of_v<CMsgHandler, typename D::Class>,
                  "the owner is a class derived from CMsgHandler");
    static_assert(std::is_base_of_v<CMsgHandler, typename D::Member>,
                  "a chained member derives CMsgHandler");
    return static_cast<typename D::Class&>(handler).*Pm;
}

template <auto Pmf>
void CommandThunk(CMsgHandler& h, Message& m) {
    if constexpr (MemberFn<decltype(Pmf)>::arity == 0) {
        detail::Call<Pmf>(h, m);
    } else {
        detail::Call<Pmf>(h, m, static_cast<UINT>(LOWORD(m.wParam)));
    }
}

// Notification handlers take nothing, or the notification's own structure
// (NMHDR&, NMLISTVIEW&, NMUPDOWN&, ...).
template <auto Pmf>
void NotifyThunk(CMsgHandler& h, Message& m) {
    using F = MemberFn<decltype(Pmf)>;
    if constexpr (F::arity == 0) {
        detail::Call<Pmf>(h, m);
    } else {
        using Arg = std::remove_reference_t<typename F::template Arg<0>>;
        detail::Call<Pmf>(h, m, *reinterpret_cast<Arg*>(m.lParam));
    }
}

}  // namespace detail

template <UINT Msg, auto Pmf>
constexpr Route OnMessage() {
    return Route{RouteKind::Message,
                 Msg,
                 0,
                 0,
                 0,
                 &detail::Cracker<Msg>::template Call<Pmf>,
                 nullptr,
                 nullptr};
}

// code 0 covers button clicks and menu items, and accelerators as well.
template <auto Pmf>
constexpr Route OnCommand(UINT id, UINT code = 0) {
    return Route{RouteKind::Command,         WM_COMMAND, id,     id, code,
                 &detail::CommandThunk<Pmf>, nullptr,    nullptr};
}

// Handler: void f(UINT id)
template <auto Pmf>
constexpr Route OnCommandRange(UINT firstId, UINT lastId) {
    return Route{RouteKind::CommandRange,    WM_COMMAND, firstId, lastId, 0,
                 &detail::CommandThunk<Pmf>, nullptr,    nullptr};
}

template <auto Pmf>
constexpr Route OnNotify(UINT id, UINT code) {
    return Route{RouteKind::Notify,         WM_NOTIFY, id,     id, code,
                 &detail::NotifyThunk<Pmf>, nullptr,   nullptr};
}

template <UINT Msg, auto Pmf>
constexpr Route OnReflect() {
    return Route{RouteKind::Reflect,
                 Msg,
                 0,
                 0,
                 0,
                 &detail::Cracker<Msg>::template Call<Pmf>,
                 nullptr,
                 nullptr};
}

// A message other programs know by name, such as the shell's
// "TaskbarCreated". Handler: LRESULT f(WPARAM, LPARAM).
template <auto Pmf>
constexpr Route OnRegisteredMessage(const char* name) {
    return Route{RouteKind::Registered,
                 0,
                 0,
                 0,
                 0,
                 &detail::Cracker<WM_NULL>::template Call<Pmf>,
                 name,
                 nullptr};
}

template <auto Pmf>
constexpr Route OnReflectCommand(UINT code) {
    return Route{RouteKind::ReflectCommand,  WM_COMMAND, 0,      0, code,
                 &detail::CommandThunk<Pmf>, nullptr,    nullptr};
}

template <auto Pmf>
constexpr Route OnReflectNotify(UINT code) {
    return Route{RouteKind::ReflectNotify,  WM_NOTIFY, 0,      0, code,
                 &detail::NotifyThunk<Pmf>, nullptr,   nullptr};
}

// Pm: a pointer to a data member whose class derives CMsgHandler.
template <auto Pm>
constexpr Route ChainMember() {
    return Route{RouteKind::ChainMember, 0, 0, 0, 0, nullptr, nullptr, &detail::ChainedMember<Pm>};
}

// The part every window object shares: it is found from its HWND, and it
// routes messages through its handler table. Never copied or moved: the
// window refers to the object's address.
class CMsgHandler {
  public:
    CMsgHandler() = default;
    CMsgHandler(const CMsgHandler&) = delete;
    CMsgHandler& operator=(const CMsgHandler&) = delete;
    virtual ~CMsgHandler();

    // The object attached to a window of this process, or null.
    static CMsgHandler* FromHandle(HWND window);

    // Routes one message: a parent's message about a child goes to the
    // child's object first, then to this object's tables. True when handled;
    // the result is in m.result.
    bool RouteMessage(Message& m);

  protected:
    virtual const MessageMap& GetMessageMap() const;

    // Inside a handler: false lets the default processing follow.
    void SetMsgHandled(bool handled);
    // Inside a handler: the message being handled.
    const Message& CurrentMessage() const { return *current_; }

    void AttachToWindow(HWND window);
    void DetachFromWindow(HWND window);

  private:
    bool Dispatch(Message& m, bool reflected);
    // True when a route handled the message; false when none matched or
    // every one that did declined.
    bool Deliver(Message& m, bool reflected);

    Message* current_ = nullptr;
};

}  // namespace gd
