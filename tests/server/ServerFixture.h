#pragma once

// A data folder with a few scenarios, a fresh database of the backend under test, and the real
// server started on it. Every case runs once on SQLite and once on PostgreSQL.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Sjis.h"
#include "server/ServerHarness.h"
#include "support/TempDir.h"

namespace valmore::test {

enum class Backend { Sqlite, Postgres };

class ServerTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        WriteScenario("t01.scn", "VM-T01", "決算, 上方修正", 1, 2, "3,000,000", 1);
        WriteScenario("a02.scn", "VM-A02", "円高", 0, 1, "10,000,000", 2);
        WriteScenario("hidden.scn", "VM-H99", "作者用", 9, 1, "1,000", 1);
        dir_.Write("data/broken.scn", "{Scenario {Header");
        if (GetParam() == Backend::Sqlite) {
            db_ = (dir_ / "server.sqlite").string();
            return;
        }
        std::string whyNot;
        PostgresCluster* cluster = PostgresCluster::Shared(&whyNot);
        if (cluster == nullptr) GTEST_SKIP() << "PostgreSQL case skipped: " << whyNot;
        db_ = cluster->NewDatabase();
        ASSERT_FALSE(db_.empty()) << "cannot create a database in the test cluster";
    }

    void TearDown() override {
        if (server_.Port() > 0) {
            EXPECT_EQ(server_.Stop(), 0) << "the server must stop cleanly on SIGTERM";
        }
    }

    void WriteScenario(const std::string& file, const std::string& id, const std::string& title, int mode, int level,
                       const std::string& fund, int products) {
        std::string text = "{Scenario\n{Header\n{ID \"" + id + "\"}\n{Title \"" + title +
                           "\"}\n{Category \"0\"}\n{Mode \"" + std::to_string(mode) + "\"}\n{Level \"" +
                           std::to_string(level) + "\"}\n{Duration \"12\"}\n{EstimatedTime \"15\"}\n{FundAmount \"" +
                           fund + "\"}\n}\n{Product\n";
        for (int i = 0; i < products; ++i) {
            text += "{" + std::to_string(i) + " {Name \"青葉精機\"} {Code \"6418\"} {Price \"812\"} {InfoNo \"0\"}}\n";
        }
        dir_.Write("data/" + file, Sj(text + "}\n}\n"));
    }

    void StartServer(std::vector<std::string> flags = {}) {
        if (server_.Port() > 0) {
            ASSERT_EQ(server_.Stop(), 0);
        }
        flags.insert(flags.end(), {"--db", db_, "--data-dir", dir_.Path().string()});
        ASSERT_TRUE(server_.Start(flags, dir_ / "server.log")) << "the server did not report listening";
    }

    CommandRun AddUser(const std::vector<std::string>& values) {
        std::vector<std::string> args{"add-user", "--db", db_};
        args.insert(args.end(), values.begin(), values.end());
        return RunServerCommand(args);
    }

    std::string Call(std::string_view servlet, std::string_view query) {
        return server_.Get(ServletTarget(servlet, query));
    }

    static std::string Reply(std::string_view utf8) { return "RURADIZA:" + Sj(utf8); }

    TempDir dir_;
    std::string db_;
    ServerProcess server_;
};

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
}

}  // namespace valmore::test

#define VALMORE_ON_BOTH_BACKENDS(Suite)                                                                               \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite,                                                                         \
                             ::testing::Values(::valmore::test::Backend::Sqlite, ::valmore::test::Backend::Postgres), \
                             ::valmore::test::BackendName)
