#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace protocol {

// A certificate's SHA-256 digest as players compare it: upper-case hex pairs joined by
// colons ("3A:F0:...:9C"), written the same by the server and by the game.
std::string FingerprintText(const std::uint8_t* digest, std::size_t size);

}  // namespace protocol
