#include "server/secrets.h"

#include <sodium.h>

#include <vector>

namespace server {

int SecretsReady() {
  static const bool ready = sodium_init() >= 0;
  return ready;
}

int HashPassword(std::string_view password, HashCost cost, std::string& hash) {
  char out[crypto_pwhash_STRBYTES];
  const bool min = cost == HashCost::Min;
  if (!SecretsReady() || crypto_pwhash_str(out, password.data(), password.size(),
                                    min ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                    min ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    return 0;
  hash = out;
  return 1;
}

int VerifyPassword(const std::string& hash, std::string_view password) {
  return SecretsReady() && crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string RandomHex(std::size_t bytes) {
  std::vector<unsigned char> random(bytes);
  randombytes_buf(random.data(), bytes);
  std::string hex(bytes * 2 + 1, '\0');
  sodium_bin2hex(hex.data(), hex.size(), random.data(), bytes);
  hex.pop_back();
  return hex;
}

void Wipe(std::string& text) {
  sodium_memzero(text.data(), text.size());
  text.clear();
}

}  // namespace server
