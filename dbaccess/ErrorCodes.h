#pragma once

#include <cstdint>

namespace dbaccess {

// The engine's own error codes, shown in its start-up failure text.
enum TEngineErrorCode : std::uint16_t {
    ecConfigUnreadable = 0x2101,  // the alias configuration exists but cannot be read
    ecConfigMalformed = 0x2102,   // the alias configuration cannot be parsed
    ecAliasUnknown = 0x2103,      // no alias of that name
    ecAliasBroken = 0x2104,       // the alias lacks an entry or names an unknown driver
};

}  // namespace dbaccess
