#include <gtest/gtest.h>

#include "net/ServerAddress.h"
#include "support/TempDir.h"

namespace valmore {
namespace {

TEST(ServerAddress, TheOptionWinsOverTheSettingWhichWinsOverTheBundledServerWhoseRootIsTheFrontPage) {
    test::TempDir dir;
    EXPECT_EQ(ResolveServerAddress(std::nullopt, dir.Path()).baseUrl, "http://127.0.0.1:8787/RURadiza/servlet/");
    dir.Write("server", "  http://example.test:9000/RURadiza/servlet\r\nignored\n");
    EXPECT_EQ(ResolveServerAddress(std::nullopt, dir.Path()).baseUrl, "http://example.test:9000/RURadiza/servlet/");
    EXPECT_EQ(ResolveServerAddress("http://h/x/", dir.Path()).baseUrl, "http://h/x/");

    dir.Write("server", "ftp://elsewhere/");
    const ServerAddress bad = ResolveServerAddress(std::nullopt, dir.Path());
    EXPECT_EQ(bad.baseUrl, kDefaultServerUrl);
    EXPECT_FALSE(bad.problem.empty());
    for (const char* url : {"", "http://", "http:///x", "http://h/a b", "127.0.0.1:8787"}) {
        EXPECT_FALSE(IsServerUrl(url)) << url;
    }
    EXPECT_EQ(ServerFrontPage("http://127.0.0.1:8787/RURadiza/servlet/"), "http://127.0.0.1:8787/");
    EXPECT_EQ(ServerFrontPage("https://h.example"), "https://h.example/");
}

}  // namespace
}  // namespace valmore
