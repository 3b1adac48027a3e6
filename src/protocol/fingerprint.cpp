#include "protocol/fingerprint.h"

namespace protocol {

std::string FingerprintText(const std::uint8_t* digest, std::size_t size) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    if (i > 0) text += ':';
    text += Digits[digest[i] >> 4];
    text += Digits[digest[i] & 0xF];
  }
  return text;
}

}  // namespace protocol
