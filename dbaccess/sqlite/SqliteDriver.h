#pragma once

#include <memory>

#include "dbaccess/Driver.h"

namespace dbaccess::sqlite {

// The driver for TYPE=SQLITE: PATH names an existing database file.
std::unique_ptr<TDriver> MakeSqliteDriver();

}  // namespace dbaccess::sqlite
