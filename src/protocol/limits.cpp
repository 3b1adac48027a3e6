#include "protocol/limits.h"

#include "base/utf8.h"

namespace protocol {

namespace {

// Well-formed UTF-8 of 1 to `most` bytes; with `controls` false, also no C0 or C1 control
// character and no DEL.
bool WellFormed(std::string_view text, std::size_t most, bool controls) {
  if (text.empty() || text.size() > most) return false;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8CharacterLength(text, i);
    if (length == 0) return false;
    const char32_t code = Utf8CodePoint(text, i, length);
    if (!controls && (code < 0x20 || (code >= 0x7F && code <= 0x9F))) return false;
    i += length;
  }
  return true;
}

}  // namespace

bool ValidUserName(std::string_view name) { return WellFormed(name, MaxNameBytes, false); }

bool ValidPassword(std::string_view password) { return WellFormed(password, MaxPasswordBytes, true); }

bool ValidResumeToken(std::string_view token) {
  if (token.size() != ResumeTokenDigits) return false;
  for (char c : token)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

}  // namespace protocol
