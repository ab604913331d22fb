#include "server/SqlSession.h"

#include <utility>

namespace valmore {

std::string SqlInDialect(std::string_view common, const SqlDialect& dialect) {
    const std::pair<std::string_view, const char*> words[] = {
        {"{bytes}", dialect.bytes},
        {"{bigint}", dialect.bigint},
        {"{serial}", dialect.serial},
        {"{stamp}", dialect.stamp},
        {"{stored_at}", dialect.storedAt},
        {"{schema_lock}", dialect.schemaLock},
        {"{schema_unlock}", dialect.schemaUnlock},
    };
    std::string out;
    out.reserve(common.size());
    for (std::size_t pos = 0; pos < common.size();) {
        if (common[pos] == '$' && pos + 1 < common.size() && common[pos + 1] >= '0' && common[pos + 1] <= '9') {
            out += dialect.parameter;
            ++pos;
            continue;
        }
        bool replaced = false;
        if (common[pos] == '{') {
            for (const auto& [token, word] : words) {
                if (common.substr(pos, token.size()) != token) continue;
                out += word;
                pos += token.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += common[pos++];
    }
    return out;
}

}  // namespace valmore
