#pragma once

namespace dbaccess {

// Gives the engine every driver this build has, by TYPE. Call once before the
// first connect.
void RegisterDrivers();

}  // namespace dbaccess
