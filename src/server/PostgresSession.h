#pragma once

// The database for a school or a contest: one PostgreSQL database that several server processes may
// serve at once. Nothing the others need is kept in a process.

#include <memory>
#include <string>

#include "server/SqlSession.h"

namespace valmore {

// Sessions on the database a libpq connection string names.
std::unique_ptr<ISqlDatabase> PostgresDatabase(std::string conninfo);

}  // namespace valmore
