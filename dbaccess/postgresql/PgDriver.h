#pragma once

#include <memory>

#include "dbaccess/Driver.h"

namespace dbaccess::postgresql {

// The driver for TYPE=POSTGRESQL: SERVER NAME (a host, or the folder of the
// server's unix socket), PORT and DATABASE NAME; the login gives the user and
// password, and without one libpq's own defaults apply. A refused connect fails
// with the server's text.
std::unique_ptr<TDriver> MakePostgresDriver();

}  // namespace dbaccess::postgresql
