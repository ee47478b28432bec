#pragma once
// Every window message number the program defines, in one table. Numbers
// only this process uses lie at WM_APP and above, clear of the dialog
// manager's DM_ messages at WM_USER + 0..2; the two a second copy of the
// program sends at its start keep the values every version has used.
#include <cstdint>

namespace gd {

inline constexpr std::uint32_t kWmUser = 0x0400;
inline constexpr std::uint32_t kWmApp = 0x8000;

// ---- Sent to the main window by a second copy of the program: fixed.
inline constexpr std::uint32_t kSecondStartMessage = kWmUser + 1;
// wParam one character (sign-extended), lParam (length << 16) | index.
inline constexpr std::uint32_t kForwardedCharMessage = kWmUser + 2;

// WM_CLOSE with this wParam ends the program without questions; any other
// close only hides the main window.
inline constexpr std::uintptr_t kCloseEndsProgram = 1;

// ---- The main window's own; wParam and lParam are ignored unless said otherwise.
// The tray icon's notices; lParam the mouse message.
inline constexpr std::uint32_t kTrayCallbackMessage = kWmApp + 0x100;
// The tray icon's id.
inline constexpr std::uint32_t kTrayIconId = 131;
// Queries, answered with SendMessage's result (tools and the Wine tests send them):
// 1 while the APPLY button is drawn enabled (the pad was found), 0 while it
// is drawn disabled.
inline constexpr std::uint32_t kQueryApplyLookMessage = kWmApp + 0x101;
// A window handles sent messages before posted ones, so a sent message tells
// nothing about what was posted before it. To wait until the window handled
// everything posted so far, post kMarkMessage with a number in wParam, then
// send kQueryMarkMessage until it answers that number.
inline constexpr std::uint32_t kMarkMessage = kWmApp + 0x102;
inline constexpr std::uint32_t kQueryMarkMessage = kWmApp + 0x103;
// The group the ten pad buttons' faces show: 0 for M1-M10, 1 for M11-M20.
inline constexpr std::uint32_t kQueryGroupFacesMessage = kWmApp + 0x110;
// Posted to itself: open a forwarded path that waits, if nothing stands in the way now.
inline constexpr std::uint32_t kOpenForwardedMessage = kWmApp + 0x111;
// Posted to itself by the first paint: the rest of the start.
inline constexpr std::uint32_t kFinishStartMessage = kWmApp + 0x112;
// Automatic profiles: a watched process ended (wParam its id), and the
// settings changed in the registry.
inline constexpr std::uint32_t kProcessEndedMessage = kWmApp + 0x120;
inline constexpr std::uint32_t kSettingsChangedMessage = kWmApp + 0x121;
// From the pad picture window: wParam is the button 0..9 of the group.
inline constexpr std::uint32_t kPadPickLowGroup = kWmApp + 0x130;   // M1-M10
inline constexpr std::uint32_t kPadPickHighGroup = kWmApp + 0x131;  // M11-M20

// ---- To the pad picture window from the main window's pad buttons; wParam
// is the button's bitmap id for the shown group, lParam 0.
inline constexpr std::uint32_t kPadButtonHover = kWmApp + 0x140;
inline constexpr std::uint32_t kPadButtonLeave = kWmApp + 0x141;

// ---- To the key capture dialog from its keyboard hook: a stroke completed the capture.
inline constexpr std::uint32_t kCaptureCompleteMessage = kWmApp + 0x150;

}  // namespace gd
