// The Scheduled Tasks page.
#pragma once

#include <memory>

#include "ui/win32/page.h"

namespace sx::ui {

std::unique_ptr<Page> make_scheduled_tasks_page(Frame& frame, const PageTraits& traits);

}  // namespace sx::ui
