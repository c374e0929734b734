// What a list row shows of a program file, read from the file once per fill: its version texts and
// its icon. Safe on worker threads: it only reads the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/versions.h"
#include "programinfo/icon_image.h"
#include "platform/platform.h"

namespace sx::programinfo {

struct ProgramFacts {
    VersionTexts versions;
    // The program's icon (the image the system picks for the small-icon size) decoded and scaled;
    // nothing when the program has no icon or its image is no DIB.
    std::optional<IconPixels> icon;
    // The image bytes when they could not be decoded here (a PNG image); empty otherwise.
    std::string icon_resource;
};

// Which icon a fill shows: group `index` of the file (below 0: none), at this size.
struct IconWanted {
    int index = -1;
    int width = 16;
    int height = 16;
};

// The facts of `file` (a full program path).
ProgramFacts ReadProgramFacts(platform::Platform& os, std::string_view file, const IconWanted& icon);

}  // namespace sx::programinfo
