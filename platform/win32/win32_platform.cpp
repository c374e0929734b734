#include "platform/win32/win32_platform.h"

namespace sx::win32 {

Win32Platform::Win32Platform(platform::Prompts& prompts)
    : os_{registry_, files_, profile_, shell_, processes_, system_, services_, scheduler_, prompts} {}

}  // namespace sx::win32
