// The Hidden Files page.
#pragma once

#include <memory>

#include "ui/win32/page.h"

namespace sx::ui {

std::unique_ptr<Page> make_hidden_files_page(Frame& frame, const PageTraits& traits);

}  // namespace sx::ui
