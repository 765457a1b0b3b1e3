#pragma once
// Every receive-status text and every error text the program shows. Callers index the
// tables with the link status (0..5) or an error number (0..19); the numbers are fixed.
// "\r\n" inside a text breaks the line in the message box.

#include <array>
#include <string_view>

inline constexpr std::size_t kStatusMsgCount = 6;
inline constexpr std::size_t kErrorMsgCount = 20;

extern const std::array<std::string_view, kStatusMsgCount> g_strStatusMsg;
extern const std::array<std::string_view, kErrorMsgCount> g_strErrorMsg;
