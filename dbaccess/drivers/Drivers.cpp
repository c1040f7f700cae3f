#include "Drivers.h"

#include "dbaccess/Engine.h"
#include "dbaccess/sqlite/SqliteDriver.h"

namespace dbaccess {

void RegisterDrivers() {
    Engine().RegisterDriver("SQLITE", sqlite::MakeSqliteDriver());
}

}  // namespace dbaccess
