// The attribute mask that lists every entry a folder holds.
#pragma once
#include <cstdint>

#include "platform/file_system.h"

inline constexpr uint32_t kAll = platform::attr::kReadOnly | platform::attr::kHidden | platform::attr::kSystem |
                                 platform::attr::kDirectory | platform::attr::kArchive;
