#pragma once
#include <string>
#include <string_view>

namespace server {

// How much work a password hash takes. Interactive is libsodium's cost for log-ons and
// the server's default; Min exists only so that benchmarks and tests can make thousands
// of accounts quickly, and is no protection at all.
enum class HashCost { Interactive, Min };

// The library is ready for the functions below; the server does not start without it.
int SecretsReady();

// Argon2id, with a salt of its own, in the form crypto_pwhash_str writes.
int HashPassword(std::string_view password, HashCost cost, std::string& hash);
int VerifyPassword(const std::string& hash, std::string_view password);
// `bytes` random bytes as lower-case hex.
std::string RandomHex(std::size_t bytes);
// Overwrites the text before it is freed, so no password lingers in freed memory.
void Wipe(std::string& text);

}  // namespace server
