#pragma once
// One page's stored form: its title and its encoded page record stream.
#include "platform/bytes.h"

#include <cstdint>
#include <string>

struct PgDataStr {
    std::string Title;
    kes::Bytes Data;
    std::int32_t Length() const { return static_cast<std::int32_t>(Data.size()); }
};
