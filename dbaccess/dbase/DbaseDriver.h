#pragma once

#include <memory>

#include "dbaccess/Driver.h"

namespace dbaccess::dbase {

// The driver for TYPE=STANDARD: PATH names an existing folder of dBASE III
// and IV tables, which it only reads.
std::unique_ptr<TDriver> MakeDbaseDriver();

}  // namespace dbaccess::dbase
