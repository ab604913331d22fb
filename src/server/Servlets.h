#pragma once

// The five servlets the trainer calls, from the parameters of a request to the reply text. They know
// the store only through its interface. Replies are Shift_JIS; every one begins with "RURADIZA:"
// (or "VERERROR:" for a version this server does not speak), and no reply holds an empty field.

#include <optional>
#include <string>
#include <string_view>

#include "server/PasswordCheck.h"
#include "server/QueryString.h"
#include "server/ScenarioDirectory.h"
#include "server/ServerStore.h"

namespace valmore {

struct ServletOptions {
    bool openRegistration = false;       // an unknown user ID that keeps the rules is created on login
    bool acceptUnsignedResults = false;  // results without the user's password are taken as well
};

struct ServletReply {
    std::string body;
    std::string outcome;  // a short word for the log, never a value of the request
    std::string userId;   // the user the request names, in UTF-8 for the log; "" when none or invalid
};

class CServlets {
public:
    static constexpr int kRankingRows = 21;

    CServlets(IServerStore& store, const CScenarioDirectory& scenarios, CPasswordCheck& passwords,
              ServletOptions options);

    // Null for a name that is not one of the servlets. CStoreError passes through.
    std::optional<ServletReply> Handle(std::string_view servlet, const CQueryString& query);

    // The pause after a failed login: nothing for the first two in a row, then growing to 2 s.
    static int FailureDelayMilliseconds(int failuresInARow);

private:
    ServletReply UserValidate(const CQueryString& query);
    ServletReply ChangeUserInfo(const CQueryString& query);
    ServletReply ResultHandler(const CQueryString& query);
    ServletReply Ranking(const CQueryString& query);
    ServletReply ScenarioList(const CQueryString& query);

    // Checks the password of a stored account, slowing down repeated failures of one user ID.
    bool Authenticate(const StoredAccount& account, std::string_view password);
    void FailedLogin(std::string_view userId);

    IServerStore& store_;
    const CScenarioDirectory& scenarios_;
    CPasswordCheck& passwords_;
    ServletOptions options_;
};

}  // namespace valmore
