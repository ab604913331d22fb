#pragma once

// The embedded database: one SQLite file in WAL mode, so readers never wait for the one writer and
// several server processes may share the file.

#include <filesystem>
#include <memory>

#include "server/SqlSession.h"

namespace valmore {

// Sessions on the file, which is created when missing.
std::unique_ptr<ISqlDatabase> SqliteDatabase(const std::filesystem::path& file);

}  // namespace valmore
