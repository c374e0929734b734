// Every operating-system service the logic uses, gathered so it can be passed as one argument.
#pragma once

#include "platform/files.h"
#include "platform/processes.h"
#include "platform/profile.h"
#include "platform/prompts.h"
#include "platform/registry.h"
#include "platform/scheduler.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace sx::platform {

struct Platform {
    Registry& registry;
    Files& files;
    Profile& profile;
    Shell& shell;
    Processes& processes;
    System& system;
    Services& services;
    Scheduler& scheduler;
    Prompts& prompts;
};

}  // namespace sx::platform
