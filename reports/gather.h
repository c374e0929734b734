// Reports run the enumerations of every page on an item list of their own, so the list a page shows
// (and the rows that point into it) never changes under it.
#pragma once

#include <vector>

#include "common/state.h"

namespace sx::reports {

// A state that shares the platform, the caption and the run-time settings, with an empty list.
class ReportState {
public:
    explicit ReportState(const AppState& from);
    AppState& operator*() { return app_; }
    AppState* operator->() { return &app_; }

private:
    AppState app_;
};

// The records an enumeration left in the list.
inline std::vector<StartupEntry> listed(const AppState& app) { return app.items.entries(); }

}  // namespace sx::reports
