// Every body the server could send, run through the framing and every reply parser: nothing may
// crash, overflow or hang, fields never hold a comma and are never empty, and the lists have the
// number of entries the fields make.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/ServerReplies.h"

namespace {

bool IsFailureWord(std::string_view text) {
    return text == valmore::kInternetFailure || text == valmore::kServerFailure || text == valmore::kVersionError;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const std::string reply = valmore::UnframeReply(body);
    if (body.substr(0, valmore::kReplyPrefix.size()) == valmore::kReplyPrefix) {
        if (reply != body.substr(valmore::kReplyPrefix.size())) __builtin_trap();
    } else if (!IsFailureWord(reply)) {
        __builtin_trap();
    }

    const std::vector<std::string> fields = valmore::SplitReplyFields(body);
    std::size_t bytes = 0;
    for (const std::string& field : fields) {
        if (field.empty() || field.find(',') != std::string::npos) __builtin_trap();
        bytes += field.size();
        (void)valmore::ReplyNumber(field);
    }
    if (bytes > body.size()) __builtin_trap();

    if (valmore::ParseScenarioList(body).size() != (fields.size() + 8) / 9) __builtin_trap();
    const std::size_t rows = fields.empty() ? 0 : (fields.size() - 1 + 9) / 10;
    if (valmore::ParseRanking(body).size() != rows) __builtin_trap();
    if (std::optional<std::string> refusal = valmore::ResultRefusalMessage(body)) {
        if (refusal->find(',') != std::string::npos) __builtin_trap();
    }

    const std::int32_t list = valmore::ScenarioListCode(reply);
    const std::int32_t ranking = valmore::RankingCode(reply);
    const std::int32_t validate = valmore::UserValidateCode(reply);
    const std::int32_t change = valmore::ChangeUserInfoCode(reply);
    if (list < -3 || list > 0 || (ranking != -3 && ranking != 0 && ranking != 1) ||
        ranking != valmore::ResultCode(reply))
        __builtin_trap();
    if (validate != -3 && validate != -2 && validate != -1 && validate != 0 && validate != 3) __builtin_trap();
    if (change != validate && change != 4) __builtin_trap();
    return 0;
}
