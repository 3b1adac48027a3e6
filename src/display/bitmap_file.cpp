#include "display/bitmap_file.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "base/paths.h"
#include "platform/platform.h"

namespace {

void NotABitmap() { MainWindow->MessageBox("It isn't a bitmap!", "Tumbra: Fail"); }

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void ParseFileHeader(const std::uint8_t* b, BitmapFileHeader& h) {
  h.bfType = U16(b);
  h.bfSize = U32(b + 2);
  h.bfReserved1 = U16(b + 6);
  h.bfReserved2 = U16(b + 8);
  h.bfOffBits = U32(b + 10);
}

void ParseInfoHeader(const std::uint8_t* b, BitmapInfoHeader& h) {
  h.biSize = U32(b);
  h.biWidth = static_cast<std::int32_t>(U32(b + 4));
  h.biHeight = static_cast<std::int32_t>(U32(b + 8));
  h.biPlanes = U16(b + 12);
  h.biBitCount = U16(b + 14);
  h.biCompression = U32(b + 16);
  h.biSizeImage = U32(b + 20);
  h.biXPelsPerMeter = static_cast<std::int32_t>(U32(b + 24));
  h.biYPelsPerMeter = static_cast<std::int32_t>(U32(b + 28));
  h.biClrUsed = U32(b + 32);
  h.biClrImportant = U32(b + 36);
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

long FileSize(std::FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return -1;
  return std::ftell(f);
}

// The rows that the flip will walk must lie inside the pixel data, and the pixel data,
// from where the file says it starts, inside the file behind its headers.
bool LayoutFits(const BitmapFile& f, long fileSize, long headerBytes) {
  const BitmapInfoHeader& h = f.infoHeader;
  if (h.biWidth <= 0 || h.biHeight <= 0) return false;
  unsigned long long rowBytes = static_cast<unsigned long long>(h.biWidth) * (h.biBitCount / 8);
  if (rowBytes * static_cast<unsigned long long>(h.biHeight) > h.biSizeImage) return false;
  const long long start = f.fileHeader.bfOffBits;
  return start >= headerBytes && start + h.biSizeImage <= static_cast<long long>(fileSize);
}

// An uncompressed picture may leave biSizeImage at 0, and some image editors do: the
// rows' size then follows from the picture's, each row padded to 4 bytes. False when
// that size does not fit the field.
bool FillInImageSize(BitmapInfoHeader& h) {
  constexpr std::uint32_t Uncompressed = 0;  // BI_RGB
  if (h.biSizeImage != 0 || h.biCompression != Uncompressed || h.biWidth <= 0 || h.biHeight <= 0)
    return true;
  const unsigned long long rowBytes = (static_cast<unsigned long long>(h.biWidth) * h.biBitCount + 31) / 32 * 4;
  const unsigned long long size = rowBytes * static_cast<unsigned long long>(h.biHeight);
  if (size > 0xFFFFFFFFull) return false;
  h.biSizeImage = static_cast<std::uint32_t>(size);
  return true;
}

}  // namespace

bool ReadBitmapFile(BitmapFile& record, const char* path) {
  File file(std::fopen(NativePath(path).c_str(), "rb"));
  if (!file) {
    MainWindow->MessageBox("Bitmap failed to open!", "Tumbra: Fail");
    return false;
  }
  std::uint8_t header[BitmapHeadersSize];
  if (std::fread(header, 1, 14, file.get()) != 14 || U16(header) != 0x4D42) {
    NotABitmap();
    return false;
  }
  ParseFileHeader(header, record.fileHeader);
  if (std::fread(header + 14, 1, 40, file.get()) != 40) {
    NotABitmap();
    return false;
  }
  ParseInfoHeader(header + 14, record.infoHeader);
  const BitmapInfoHeader& info = record.infoHeader;
  long headerBytes = BitmapHeadersSize;
  // An 8-bit file's colour table of 256 entries sits between the headers and the pixels.
  // No picture of the game has one, so it is only stepped over.
  if (info.biBitCount == 8) headerBytes += 256 * 4;
  if (info.biBitCount != 8 && info.biBitCount != 16 && info.biBitCount != 24) {
    NotABitmap();
    return false;
  }
  long fileSize = FileSize(file.get());
  // The pixels are read from where the file says they start: a file that carries more
  // behind them (a colour profile, a tool's own data) still shows its own picture.
  if (fileSize < 0 || !FillInImageSize(record.infoHeader) || !LayoutFits(record, fileSize, headerBytes) ||
      std::fseek(file.get(), static_cast<long>(record.fileHeader.bfOffBits), SEEK_SET) != 0) {
    NotABitmap();
    return false;
  }
  record.pixels.reset(new (std::nothrow) std::uint8_t[info.biSizeImage ? info.biSizeImage : 1]);
  if (!record.pixels) {
    NotABitmap();
    return false;
  }
  if (std::fread(record.pixels.get(), 1, info.biSizeImage, file.get()) != info.biSizeImage) {
    record.pixels.reset();
    NotABitmap();
    return false;
  }
  FlipRows(record.pixels.get(), info.biWidth * (info.biBitCount / 8), info.biHeight);
  return true;
}

bool FlipRows(std::uint8_t* pixels, int bytesPerRow, int rows) {
  // Rows change places in pairs from the outside in, through one spare row: a second
  // copy of a full-screen picture would cost more than the flip itself.
  const size_t rowBytes = static_cast<size_t>(bytesPerRow);
  std::unique_ptr<std::uint8_t[]> spare(new (std::nothrow) std::uint8_t[rowBytes ? rowBytes : 1]);
  if (!spare) return false;
  for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
    std::uint8_t* upper = pixels + static_cast<size_t>(top) * rowBytes;
    std::uint8_t* lower = pixels + static_cast<size_t>(bottom) * rowBytes;
    std::memcpy(spare.get(), upper, rowBytes);
    std::memcpy(upper, lower, rowBytes);
    std::memcpy(lower, spare.get(), rowBytes);
  }
  return true;
}

bool FreeBitmapFile(BitmapFile& record) {
  record.pixels.reset();
  return true;
}

bool CheckPictureForm(const BitmapFile& record, int width, int height) {
  const BitmapInfoHeader& info = record.infoHeader;
  bool fits = info.biBitCount == 24 && info.biWidth == width && info.biHeight == height &&
              static_cast<long long>(info.biSizeImage) == 3LL * width * height;
  if (!fits) NotABitmap();
  return fits;
}
