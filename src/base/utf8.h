#pragma once
#include <cstddef>
#include <string_view>

// The length in bytes of the well-formed UTF-8 character at text[i], or 0 when the bytes
// there do not make one: a stray continuation byte, a character cut off by the end, an
// overlong form, a surrogate, or a code point beyond U+10FFFF.
std::size_t Utf8CharacterLength(std::string_view text, std::size_t i);
// The code point of the well-formed character at text[i] (see above).
char32_t Utf8CodePoint(std::string_view text, std::size_t i, std::size_t length);
// How many bytes of text fit in `most` bytes without cutting a UTF-8 character in two:
// all of it when it fits, else up to where the character that would be cut begins.
int WholeCharacters(std::string_view text, int most);
