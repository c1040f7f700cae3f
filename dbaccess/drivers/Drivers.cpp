#include "Drivers.h"

#include "dbaccess/Engine.h"
#include "dbaccess/dbase/DbaseDriver.h"
#include "dbaccess/postgresql/PgDriver.h"
#include "dbaccess/sqlite/SqliteDriver.h"

namespace dbaccess {

void RegisterDrivers() {
    Engine().RegisterDriver("SQLITE", sqlite::MakeSqliteDriver());
    Engine().RegisterDriver("STANDARD", dbase::MakeDbaseDriver());
    Engine().RegisterDriver("POSTGRESQL", postgresql::MakePostgresDriver());
}

}  // namespace dbaccess
