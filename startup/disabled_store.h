// Switching startup entries off and on, removing and restoring them. Every change that moves an entry
// writes its new place first, checks it, and only then deletes the old one, so a failed step leaves
// the entry where it was.
#pragma once

#include <string>
#include <string_view>

#include "common/state.h"

namespace sx::startup {

// Enables the entry when a disabled marker exists for the title, otherwise disables it. Handles the
// Run family (1-7, 11-17, 21-25), win.ini (100, 101), the startup group (200) and Winlogon Notify
// (256); 1 on success, 0 on failure (the user is told) or for other codes.
int ToggleStartupEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                       int type);
// Switches an entry on wherever it is off: out of the disabled store when this program switched it
// off, and on in Windows' own startup switch when Windows did (the switch goes on first, and back
// off when the rest fails). 1 when it now starts, 0 when it failed (the user is told).
int EnableStartupEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                       int type);
// Deletes the entry from its live location, or from the disabled store when it is disabled, and
// Windows' own switch of it; codes 250-255 go to RemoveSpecialEntry. 1 when the entry is gone, 0
// when it could not be removed (the caller tells the user; nothing was changed). A removal is
// recorded in the history only when it happened, with the switch it had.
int RemoveStartupEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                       int type);
// The resets and removals of the Winlogon, delay-load, hook and AppInit entries (the last four after
// the user's explicit confirmation). 1 when carried out or declined, 0 when the change failed.
int RemoveSpecialEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                       int type);
// Writes a removed entry back into its live location, with Windows' own switch of it as `extra`
// (its history record's further field) says it was; 1 when written.
int RestoreStartupEntry(AppState& app, std::string_view title, std::string_view command, std::string_view location,
                        int type, std::string_view extra = {});
// Schedules a file's deletion at the next system start; 1 when scheduled.
int DeleteOnReboot(AppState& app, std::string_view path);

// A Run value that was switched off but has been written back while its disabled marker exists:
// switched off again when that loses nothing. False when it stays live (and is to be listed so).
bool redisable_returned_entry(AppState& app, std::string_view name, int type);

// Item lists of win.ini's [windows] run= / load= lines and of AppInit_DLLs.
bool remove_from_win_ini(AppState& app, std::string_view key, std::string_view command);
bool add_to_win_ini(AppState& app, std::string_view key, std::string_view command);
bool remove_appinit_dll(AppState& app, std::string_view dll);
bool add_appinit_dll(AppState& app, std::string_view dll);

}  // namespace sx::startup
