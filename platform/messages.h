#pragma once
// Window message ids, virtual-key codes and their parameters. The numbers
// are the system's own: demo files store them, so they must not change.

#include <cstdint>

namespace platform {

using MessageId = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// ---- Messages ----
inline constexpr MessageId kWmNull = 0x0000;
inline constexpr MessageId kWmCreate = 0x0001;
inline constexpr MessageId kWmDestroy = 0x0002;
inline constexpr MessageId kWmMove = 0x0003;
inline constexpr MessageId kWmSize = 0x0005;
inline constexpr MessageId kWmActivate = 0x0006;
inline constexpr MessageId kWmSetFocus = 0x0007;
inline constexpr MessageId kWmKillFocus = 0x0008;
inline constexpr MessageId kWmEnable = 0x000A;
inline constexpr MessageId kWmPaint = 0x000F;
inline constexpr MessageId kWmClose = 0x0010;
inline constexpr MessageId kWmQueryEndSession = 0x0011;
inline constexpr MessageId kWmQueryOpen = 0x0013;
inline constexpr MessageId kWmEraseBackground = 0x0014;
inline constexpr MessageId kWmQuit = 0x0012;
inline constexpr MessageId kWmSysColorChange = 0x0015;
inline constexpr MessageId kWmEndSession = 0x0016;
inline constexpr MessageId kWmActivateApp = 0x001C;
inline constexpr MessageId kWmSetCursor = 0x0020;
inline constexpr MessageId kWmSetFont = 0x0030;
inline constexpr MessageId kWmNcActivate = 0x0086;
inline constexpr MessageId kWmNcLButtonDown = 0x00A1;
inline constexpr MessageId kWmKeyDown = 0x0100;
inline constexpr MessageId kWmKeyUp = 0x0101;
inline constexpr MessageId kWmChar = 0x0102;
inline constexpr MessageId kWmSysKeyDown = 0x0104;
inline constexpr MessageId kWmSysKeyUp = 0x0105;
inline constexpr MessageId kWmSysChar = 0x0106;
inline constexpr MessageId kWmInitDialog = 0x0110;
inline constexpr MessageId kWmCommand = 0x0111;
inline constexpr MessageId kWmSysCommand = 0x0112;
inline constexpr MessageId kWmTimer = 0x0113;
inline constexpr MessageId kWmMouseMove = 0x0200;
inline constexpr MessageId kWmLButtonDown = 0x0201;
inline constexpr MessageId kWmLButtonUp = 0x0202;
inline constexpr MessageId kWmLButtonDblClk = 0x0203;
inline constexpr MessageId kWmRButtonDown = 0x0204;
inline constexpr MessageId kWmRButtonUp = 0x0205;
inline constexpr MessageId kWmRButtonDblClk = 0x0206;
inline constexpr MessageId kWmMButtonDown = 0x0207;
inline constexpr MessageId kWmMButtonUp = 0x0208;
inline constexpr MessageId kWmMButtonDblClk = 0x0209;
inline constexpr MessageId kWmMouseWheel = 0x020A;
inline constexpr MessageId kWmDisplayChange = 0x007E;
inline constexpr MessageId kWmUser = 0x0400;
inline constexpr MessageId kWmApp = 0x8000;
// Ids handed out by RegisterWindowMessage start here.
inline constexpr MessageId kFirstRegisteredMessage = 0xC000;

inline constexpr bool IsMouseMessage(MessageId id) {
    return id >= kWmMouseMove && id <= kWmMouseWheel;
}
inline constexpr bool IsKeyMessage(MessageId id) {
    return id >= kWmKeyDown && id <= kWmSysChar;
}

// ---- Parameters ----
// WM_SIZE wParam.
inline constexpr WParam kSizeRestored = 0;
inline constexpr WParam kSizeMinimized = 1;
inline constexpr WParam kSizeMaximized = 2;
// WM_SYSCOMMAND wParam (low four bits are the system's own).
inline constexpr WParam kScClose = 0xF060;
inline constexpr WParam kScNextWindow = 0xF040;
inline constexpr WParam kScPrevWindow = 0xF050;
inline constexpr WParam kScScreenSave = 0xF140;
inline constexpr WParam kScMonitorPower = 0xF170;
// Mouse message wParam: buttons and keys held.
inline constexpr WParam kMkLButton = 0x0001;
inline constexpr WParam kMkRButton = 0x0002;
inline constexpr WParam kMkShift = 0x0004;
inline constexpr WParam kMkControl = 0x0008;
inline constexpr WParam kMkMButton = 0x0010;
inline constexpr int kWheelDelta = 120;

// lParam of mouse messages: x in the low and y in the high signed 16 bits.
inline constexpr LParam MakeLParam(int low, int high) {
    return static_cast<LParam>(static_cast<std::int32_t>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                                                         ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16)));
}
inline constexpr int LowSigned16(std::intptr_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}
inline constexpr int HighSigned16(std::intptr_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>((value >> 16) & 0xFFFF));
}
// wParam of WM_MOUSEWHEEL: signed delta in the high word, keys in the low.
inline constexpr WParam MakeWheelWParam(int delta, WParam keys) {
    return static_cast<WParam>((static_cast<std::uint32_t>(delta) & 0xFFFF) << 16 | (keys & 0xFFFF));
}

// ---- Virtual-key codes ('0'..'9' and 'A'..'Z' are their ASCII codes) ----
inline constexpr int kVkLButton = 0x01;
inline constexpr int kVkRButton = 0x02;
inline constexpr int kVkMButton = 0x04;
inline constexpr int kVkBack = 0x08;
inline constexpr int kVkTab = 0x09;
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkMenu = 0x12; // Alt
inline constexpr int kVkPause = 0x13;
inline constexpr int kVkCapital = 0x14;
inline constexpr int kVkEscape = 0x1B;
inline constexpr int kVkSpace = 0x20;
inline constexpr int kVkPrior = 0x21; // Page Up
inline constexpr int kVkNext = 0x22;  // Page Down
inline constexpr int kVkEnd = 0x23;
inline constexpr int kVkHome = 0x24;
inline constexpr int kVkLeft = 0x25;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkRight = 0x27;
inline constexpr int kVkDown = 0x28;
inline constexpr int kVkSnapshot = 0x2C;
inline constexpr int kVkInsert = 0x2D;
inline constexpr int kVkDelete = 0x2E;
inline constexpr int kVkNumpad0 = 0x60;
inline constexpr int kVkMultiply = 0x6A;
inline constexpr int kVkAdd = 0x6B;
inline constexpr int kVkSubtract = 0x6D;
inline constexpr int kVkDecimal = 0x6E;
inline constexpr int kVkDivide = 0x6F;
inline constexpr int kVkF1 = 0x70; // F1..F12 are consecutive
inline constexpr int kVkF4 = 0x73;
inline constexpr int kVkF12 = 0x7B;
inline constexpr int kVkLShift = 0xA0;
inline constexpr int kVkRShift = 0xA1;
inline constexpr int kVkLControl = 0xA2;
inline constexpr int kVkRControl = 0xA3;
inline constexpr int kVkLMenu = 0xA4;
inline constexpr int kVkRMenu = 0xA5;
inline constexpr int kVkOem3 = 0xC0; // the key left of 1 (backquote, tilde)

} // namespace platform
