// The IE Helpers page.
#pragma once

#include <memory>

#include "ui/win32/page.h"

namespace sx::ui {

std::unique_ptr<Page> make_ie_helpers_page(Frame& frame, const PageTraits& traits);

}  // namespace sx::ui
