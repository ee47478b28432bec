#pragma once
// Messages the main window answers from other windows and processes. The
// numbers are fixed: a second copy of the program, the tray icon and the pad
// picture window send the first ones, and tools (the Wine tests among them)
// may send the queries.
#include <cstdint>

namespace gd {

// wParam and lParam are ignored unless said otherwise.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x0400;  // WM_USER; lParam: mouse message
inline constexpr std::uint32_t kSecondStartMessage = 0x0401;   // WM_USER + 1
// WM_USER + 2: wParam one character (sign-extended), lParam (length << 16) | index.
inline constexpr std::uint32_t kForwardedCharMessage = 0x0402;

// WM_CLOSE with this wParam ends the program without questions; any other
// close only hides the main window.
inline constexpr std::uintptr_t kCloseEndsProgram = 1;

// Queries, answered with SendMessage's result:
// 1 while the APPLY button is drawn enabled (the pad was found), 0 while it
// is drawn disabled.
inline constexpr std::uint32_t kQueryApplyLookMessage = 0x8000 + 0x101;  // WM_APP + 0x101
// A window handles sent messages before posted ones, so a sent message tells
// nothing about what was posted before it. To wait until the window handled
// everything posted so far, post kMarkMessage with a number in wParam, then
// send kQueryMarkMessage until it answers that number.
inline constexpr std::uint32_t kMarkMessage = 0x8000 + 0x102;
inline constexpr std::uint32_t kQueryMarkMessage = 0x8000 + 0x103;
// The group the ten pad buttons' faces show: 0 for M1-M10, 1 for M11-M20.
inline constexpr std::uint32_t kQueryGroupFacesMessage = 0x8000 + 0x110;
// The tray icon's id.
inline constexpr std::uint32_t kTrayIconId = 131;

}  // namespace gd
