// Every body the server could send, run through the framing and every reply decoder: nothing may
// crash, overflow or hang, fields never hold a comma and are never empty, and the lists have the
// number of entries the fields make.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/RankingRow.h"
#include "protocol/ResultFields.h"
#include "protocol/ServerProtocol.h"
#include "protocol/ServerScenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const valmore::UnframedReply reply = valmore::Unframe(body);
    if (reply.outcome == valmore::LinkOutcome::Done) {
        if (body.substr(0, valmore::kReplyPrefix.size()) != valmore::kReplyPrefix ||
            reply.text != body.substr(valmore::kReplyPrefix.size()))
            __builtin_trap();
    } else if (!reply.text.empty() || reply.outcome == valmore::LinkOutcome::Refused) {
        __builtin_trap();
    }

    const std::vector<std::string_view> fields = valmore::SplitFields(body);
    std::size_t bytes = 0;
    for (std::string_view field : fields) {
        if (field.empty() || field.find(',') != std::string_view::npos) __builtin_trap();
        bytes += field.size();
        (void)valmore::ReplyNumber(field);
    }
    if (bytes > body.size()) __builtin_trap();

    if (valmore::DecodeScenarioList(body).size() != (fields.size() + 8) / 9) __builtin_trap();
    const std::size_t rows = fields.empty() ? 0 : (fields.size() - 1 + 9) / 10;
    if (valmore::DecodeRanking(body).size() != rows) __builtin_trap();
    if (std::optional<std::string> refusal = valmore::ResultRefusalMessage(body)) {
        if (refusal->find(',') != std::string::npos) __builtin_trap();
    }
    (void)valmore::ReadAccountReply(reply.text);

    // A message the server takes reads back the same once written again.
    valmore::ResultFields result;
    if (valmore::ResultFields::Decode(body, &result) == valmore::ResultFields::DecodeStatus::Ok) {
        valmore::ResultFields again;
        if (valmore::ResultFields::Decode(result.Encode(), &again) != valmore::ResultFields::DecodeStatus::Ok ||
            again != result)
            __builtin_trap();
    }
    return 0;
}
