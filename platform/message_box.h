#pragma once
// Modal message boxes with the system's flag and result numbers.

#include <cstdint>
#include <string_view>

#include "platform/window.h"

namespace platform {

// Buttons.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbOkCancel = 0x1;
inline constexpr std::uint32_t kMbYesNoCancel = 0x3;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbRetryCancel = 0x5;
inline constexpr std::uint32_t kMbButtonMask = 0xF;
// Icons.
inline constexpr std::uint32_t kMbIconError = 0x10; // also the stop icon
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconWarning = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr std::uint32_t kMbIconMask = 0xF0;

// Results.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Text and caption are program text (Windows-1251).
int ShowMessageBox(WindowHandle owner, std::string_view text, std::string_view caption, std::uint32_t flags);

// The answer a box gives when nobody can click: the way out that changes
// nothing (OK, Cancel or No), so that an unattended run never loops.
int DefaultMessageBoxAnswer(std::uint32_t flags);
// Whether `answer` is one of the buttons the flags show.
bool IsMessageBoxAnswerValid(std::uint32_t flags, int answer);

} // namespace platform
