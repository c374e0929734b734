// Delayed-start records: programs taken out of the startup locations for the monitor to start
// later. This program lists them and can put them all back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/state.h"

namespace sx::startup {

inline constexpr std::string_view kDelayKey = "Software\\Orvane\\Sentrix\\Delay";

struct DelayRecord {
    platform::Root hive;
    int hive_index = 0;  // 0 HKLM, 1 HKCU
    std::string command; // the value name, exactly as stored
    std::string title;
    std::string location;
    std::string description;
    int type = 0;
};

// The records of both hives, HKLM first, each in registry order.
std::vector<DelayRecord> read_delay_records(AppState& app);
// Empties the shared item list and lists every delayed program; returns the count.
int EnumerateDelayed(AppState& app);
// Writes every delayed program back into its startup location; a record is deleted only after its
// program was written back. Returns the number restored.
int RestoreAllDelayed(AppState& app);
// Deletes the values named by `command` from Delay and its subkeys (OpenAs stays).
void DeleteDelayRecord(AppState& app, platform::Root hive, std::string_view command);

}  // namespace sx::startup
