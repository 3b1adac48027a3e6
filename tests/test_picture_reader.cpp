// Pictures as image editors save them: an uncompressed file may leave biSizeImage at 0,
// which then stands for its rows, each padded to 4 bytes.
#include <gtest/gtest.h>

#include "display/bitmap_file.h"
#include "test_support.h"

struct ZeroSize {
  const char* name;
  int width, height;
  char compression;
  int padding;  // bytes after the rows of the unpadded picture
  bool read;
  bool gameForm;  // 24-bit rows without padding, as the game's pictures must be
};

class ZeroImageSize : public HeadlessTest, public ::testing::WithParamInterface<ZeroSize> {};

TEST_P(ZeroImageSize, IsTheSizeOfThePaddedRows) {
  const ZeroSize& c = GetParam();
  std::string bytes = SolidBitmap(c.width, c.height, 200, 100, 50) + std::string(c.padding, '\0');
  bytes[30] = c.compression;     // biCompression
  bytes.replace(34, 4, 4, '\0');  // biSizeImage
  WriteFile("picture.bmp", bytes);
  BitmapFile record;
  EXPECT_EQ(ReadBitmapFile(record, "picture.bmp"), c.read);
  EXPECT_EQ(c.read && CheckPictureForm(record, c.width, c.height), c.gameForm);
}

INSTANTIATE_TEST_SUITE_P(Files, ZeroImageSize,
                         ::testing::Values(ZeroSize{"RowsOf24Bytes", 8, 4, 0, 0, true, true},
                                           ZeroSize{"RowsOf15BytesPadded", 5, 2, 0, 2, true, false},
                                           ZeroSize{"RowsOf15BytesUnpadded", 5, 2, 0, 0, false, false},
                                           ZeroSize{"Compressed", 8, 4, 1, 0, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });
