#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Little-endian fields, the byte order of every file format the game reads.
void PutU16(Bytes& out, std::uint32_t value);
void PutU32(Bytes& out, std::uint32_t value);
void PutTag(Bytes& out, const char* fourCharacters);

bool WriteBinaryFile(const std::filesystem::path& path, const Bytes& bytes);
