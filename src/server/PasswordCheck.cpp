#include "server/PasswordCheck.h"

#include <sodium.h>

#include <stdexcept>

namespace valmore {

namespace {

// Beyond this many remembered users the memory is simply started afresh; each user then pays one
// Argon2id again.
constexpr std::size_t kMaxRemembered = 100000;

void AddPart(crypto_generichash_state& state, std::string_view part) {
    // The length first, so that no two different triples hash the same bytes.
    const unsigned long long length = part.size();
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(&length), sizeof length);
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(part.data()), part.size());
}

}  // namespace

CPasswordCheck::CPasswordCheck(int argonSlots) : argonSlots_(argonSlots < 1 ? 1 : argonSlots) {
    if (sodium_init() < 0) throw std::runtime_error("libsodium cannot start");
    randombytes_buf(key_.data(), key_.size());
}

std::string CPasswordCheck::Hash(std::string_view password) {
    char hash[crypto_pwhash_STRBYTES];
    argonSlots_.acquire();
    const int rc = crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                     crypto_pwhash_MEMLIMIT_INTERACTIVE);
    argonSlots_.release();
    if (rc != 0) throw std::runtime_error("out of memory while hashing a password");
    return hash;
}

CPasswordCheck::Tag CPasswordCheck::TagOf(std::string_view userId, std::string_view password,
                                          std::string_view storedHash) const {
    crypto_generichash_state state;
    crypto_generichash_init(&state, key_.data(), key_.size(), 32);
    AddPart(state, userId);
    AddPart(state, password);
    AddPart(state, storedHash);
    Tag tag;
    crypto_generichash_final(&state, tag.data(), tag.size());
    return tag;
}

bool CPasswordCheck::Verify(std::string_view userId, std::string_view password, std::string_view storedHash) {
    const Tag tag = TagOf(userId, password, storedHash);
    {
        std::lock_guard lock(mutex_);
        const auto found = checked_.find(std::string(userId));
        if (found != checked_.end() && sodium_memcmp(found->second.data(), tag.data(), tag.size()) == 0) return true;
    }
    // crypto_pwhash_str_verify wants a NUL-terminated hash.
    const std::string hash(storedHash);
    argonSlots_.acquire();
    const bool match = crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
    argonSlots_.release();
    std::lock_guard lock(mutex_);
    ++fullVerifications_;
    if (match) {
        if (checked_.size() >= kMaxRemembered) checked_.clear();
        checked_[std::string(userId)] = tag;
    }
    return match;
}

long CPasswordCheck::FullVerifications() const {
    std::lock_guard lock(mutex_);
    return fullVerifications_;
}

}  // namespace valmore
