#pragma once

// Password hashes and their checks. Stored hashes are always full Argon2id strings
// (crypto_pwhash_str at libsodium's interactive limits). So that a trainer submitting a result does
// not pay a whole Argon2id each time, a process remembers which password it has already checked
// against which stored hash, as a keyed BLAKE2b tag under a key that lives only in this process's
// memory; the database never holds anything weaker than the Argon2id string. A changed password
// changes the stored hash, which no remembered tag matches, so a change made by another process
// takes effect at once.

#include <array>
#include <mutex>
#include <semaphore>
#include <string>
#include <string_view>
#include <unordered_map>

namespace valmore {

class CPasswordCheck {
public:
    // `argonSlots`: how many Argon2id computations may run at once (each takes 64 MiB).
    explicit CPasswordCheck(int argonSlots);

    // A new Argon2id string for the password; throws std::runtime_error when out of memory.
    std::string Hash(std::string_view password);

    // Whether the password matches the stored hash of the user. A pair checked before costs one
    // keyed hash; anything else a full Argon2id verification.
    bool Verify(std::string_view userId, std::string_view password, std::string_view storedHash);

    // The number of full Argon2id verifications done so far, for tests and the log.
    long FullVerifications() const;

private:
    using Tag = std::array<unsigned char, 32>;
    Tag TagOf(std::string_view userId, std::string_view password, std::string_view storedHash) const;

    std::array<unsigned char, 32> key_{};
    std::counting_semaphore<1024> argonSlots_;
    mutable std::mutex mutex_;
    std::unordered_map<std::string, Tag> checked_;  // user ID -> tag of the last pair that matched
    long fullVerifications_ = 0;
};

}  // namespace valmore
