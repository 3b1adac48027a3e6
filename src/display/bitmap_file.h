#pragma once
#include <cstdint>
#include <memory>

// The two headers of a Windows bitmap file, field by field as stored (little-endian).
struct BitmapFileHeader {
  std::uint16_t bfType = 0;
  std::uint32_t bfSize = 0;
  std::uint16_t bfReserved1 = 0;
  std::uint16_t bfReserved2 = 0;
  std::uint32_t bfOffBits = 0;
};

struct BitmapInfoHeader {
  std::uint32_t biSize = 0;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 0;
  std::uint16_t biBitCount = 0;
  std::uint32_t biCompression = 0;
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};

constexpr int BitmapHeadersSize = 14 + 40;

// One picture file while it is read.
struct BitmapFile {
  BitmapFileHeader fileHeader;
  BitmapInfoHeader infoHeader;
  std::unique_ptr<std::uint8_t[]> pixels;  // biSizeImage bytes, top row first
};

// Reads a .bmp file. The pixel data is the biSizeImage bytes from bfOffBits on, which
// must lie behind the headers, and its rows are turned so that the top row comes first. An
// uncompressed file with a biSizeImage of 0 is read as if it held the size of its rows,
// padded to 4 bytes each, and the record says that size.
// Every refusal is told to the player: "Bitmap failed to open!" when the file cannot be
// opened, "It isn't a bitmap!" for anything else (caption "Tumbra: Fail"). A header
// that promises more pixel data than the file holds, or rows that do not fit in
// biSizeImage, is refused rather than read past.
bool ReadBitmapFile(BitmapFile& record, const char* path);
// Turns rows upside down in place; false (rows untouched) when no memory can be had.
bool FlipRows(std::uint8_t* pixels, int bytesPerRow, int rows);
bool FreeBitmapFile(BitmapFile& record);

// True when a file just read is a picture of exactly width x height: 24 bits per pixel,
// unpadded rows, biSizeImage = width x height x 3. Otherwise shows "It isn't a bitmap!".
bool CheckPictureForm(const BitmapFile& record, int width, int height);
