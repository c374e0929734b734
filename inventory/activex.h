// ActiveX controls and their kill bit: the controls Internet Explorer has used (or every control with
// a compatibility entry as well), and switching a control off and on through bit 0x400 of its
// "Compatibility Flags". Each browser reads the compatibility key of its own registry view, so the
// kill bit is set and cleared in both; every other bit of the value is kept.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/state.h"

namespace sx::inventory {

// Below HKLM in the native view (in_view gives the 32-bit one), and below HKCU.
inline constexpr std::string_view kCompatibilityKey = "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility";
inline constexpr std::string_view kFlagsValue = "Compatibility Flags";
inline constexpr std::string_view kExtStatsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Stats";
inline constexpr uint32_t kKillBit = 0x400;

// The "Compatibility Flags" of a class id in one view: 0 when the key or value is missing; nothing
// when it cannot be read or is not a REG_DWORD of four bytes (it is then never overwritten).
std::optional<uint32_t> compatibility_flags(AppState& app, std::string_view class_id, View view);
// The same with 0 for a value that cannot be read.
uint32_t ReadCompatibilityFlags(AppState& app, std::string_view class_id, View view = View::native);
// 1 when the kill bit is clear in both views (a value that cannot be read sets nothing), else 0.
int IsActiveXEnabled(AppState& app, std::string_view class_id);
// Set or clear the kill bit in both views, creating the compatibility key where it is missing (only
// to set the bit); the other bits stay. 1 when both views hold the new state; otherwise the user is
// told, and a value that could not be read or written is as it was.
int DisableActiveX(AppState& app, std::string_view class_id);
int EnableActiveX(AppState& app, std::string_view class_id);

// The controls used by Internet Explorer (HKCU Ext\Stats), each with the class of every view that
// registers it; `append` 0 empties the shared item list first. Returns the rows in the list.
int ListBrowserActiveXControls(AppState& app, int append);
// Those, then every control of the compatibility keys of both views (an entry with an
// AlternateCLSID under that class id). Returns the rows in the list.
int ListAllActiveXControls(AppState& app);

// The class id a control row shows (its "CLSID" column and status bar): the 32-bit view's rows say so.
std::string ClsidText(const StartupEntry& row);

}  // namespace sx::inventory
