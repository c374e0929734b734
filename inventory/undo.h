// Undoing a change the history file recorded, through the part of the program that owns the item.
#pragma once

#include <cstddef>

#include "common/state.h"

namespace sx::inventory {

// Undoes the record at `index` of the shared item list (as the history list fills it); 1 when an
// action was taken and succeeded.
int UndoHistoryRecord(AppState& app, size_t index);

}  // namespace sx::inventory
