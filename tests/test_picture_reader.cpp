// Pictures as image editors save them: an uncompressed file may leave biSizeImage at 0,
// which then stands for its rows, each padded to 4 bytes.
#include <gtest/gtest.h>

#include "display/bitmap_file.h"
#include "test_support.h"

namespace {

struct ZeroSize {
  const char* name;
  int width, height;
  std::uint32_t compression;
  int padding;  // bytes added after the pixel rows of the plain picture
  bool read;
  bool gameForm;  // as the game's pictures must be
};

class ZeroImageSize : public HeadlessTest, public ::testing::WithParamInterface<ZeroSize> {};

void Put32(std::string& bytes, size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

TEST_P(ZeroImageSize, IsTheSizeOfThePaddedRows) {
  const ZeroSize& c = GetParam();
  std::string bytes = SolidBitmap(c.width, c.height, 200, 100, 50) + std::string(c.padding, '\0');
  Put32(bytes, 30, c.compression);
  Put32(bytes, 34, 0);
  const std::string file = std::string(c.name) + ".bmp";
  WriteFile(file, bytes);
  BitmapFile record;
  ASSERT_EQ(ReadBitmapFile(record, file.c_str()), c.read);
  EXPECT_EQ(Messages().empty(), c.read);
  if (!c.gameForm) return;
  EXPECT_TRUE(CheckPictureForm(record, c.width, c.height));
  EXPECT_EQ(record.pixels[0], 50);  // blue, green, red
  EXPECT_EQ(record.pixels[2], 200);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ZeroImageSize,
    ::testing::Values(ZeroSize{"RowsOf24Bytes", 8, 4, 0, 0, true, true},
                      ZeroSize{"RowsOf15BytesPadded", 5, 2, 0, 2, true, false},
                      ZeroSize{"RowsOf15BytesUnpadded", 5, 2, 0, 0, false, false},
                      ZeroSize{"Compressed", 8, 4, 1, 0, false, false}),
    [](const ::testing::TestParamInfo<ZeroSize>& info) { return std::string(info.param.name); });
