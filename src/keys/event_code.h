#pragma once
// EventCode: one key or mouse-button event as stored in the profile image.
//   bits 24-31 device: 0x01 keyboard, 0x02 mouse button
//   bits 20-23 action: 0 press, 1 release, 2 click
//   bits 16-19 flags:  keyboard bit 16 = extended key; mouse 1 = absolute position
//   bits  0-15 key or button: scan code (set 1, low 8 bits) or 1 left, 2 right, 4 middle
#include <cstdint>

namespace gd {

using EventCode = std::uint32_t;

inline constexpr std::uint32_t kDeviceKey = 0x01;
inline constexpr std::uint32_t kDeviceMouse = 0x02;

inline constexpr std::uint32_t kActionPress = 0;
inline constexpr std::uint32_t kActionRelease = 1;
inline constexpr std::uint32_t kActionClick = 2;

inline constexpr std::uint32_t kKeyCodeBase = 0x01000000;    // keyboard, press
inline constexpr std::uint32_t kMouseCodeBase = 0x02000000;  // mouse, press, relative
// Where the key and mouse button editors start, without a key or button:
// a keyboard click (0x01200000) and a mouse click at a relative position
// (0x02200000).
inline constexpr EventCode kKeyEditorStart = kKeyCodeBase | (kActionClick << 20);
inline constexpr EventCode kMouseEditorStart = kMouseCodeBase | (kActionClick << 20);
inline constexpr std::uint32_t kExtendedKeyFlag = 0x00010000;
inline constexpr std::uint32_t kAbsolutePositionFlag = 0x00010000;

inline constexpr std::uint32_t kMouseLeft = 1;
inline constexpr std::uint32_t kMouseRight = 2;
inline constexpr std::uint32_t kMouseMiddle = 4;

constexpr std::uint32_t DeviceOf(EventCode code) {
    return code >> 24;
}
constexpr std::uint32_t ActionOf(EventCode code) {
    return (code >> 20) & 0xF;
}
constexpr std::uint32_t FlagsOf(EventCode code) {
    return (code >> 16) & 0xF;
}
constexpr std::uint32_t ButtonOf(EventCode code) {
    return code & 0xFFFF;
}
// The key part of a keyboard code: scan code plus the extended flag.
constexpr std::uint32_t KeyPartOf(EventCode code) {
    return code & 0xFFFFF;
}

constexpr EventCode WithAction(EventCode code, std::uint32_t action) {
    return (code & ~0x00F00000u) | ((action & 0xF) << 20);
}

// Same key: equal in every bit but the action. Same mouse button: equal in
// every bit but action and flags, so relative and absolute presses match.
constexpr bool IsSameInput(EventCode a, EventCode b) {
    switch (DeviceOf(a)) {
        case kDeviceKey:
            return (a & ~0x00F00000u) == (b & ~0x00F00000u);
        case kDeviceMouse:
            return (a & ~0x00FF0000u) == (b & ~0x00FF0000u);
        default:
            return false;
    }
}

constexpr bool IsPress(EventCode code) {
    return ActionOf(code) == kActionPress;
}
constexpr bool IsRelease(EventCode code) {
    return ActionOf(code) == kActionRelease;
}

}  // namespace gd
