// Pictures as image editors save them: an uncompressed file may leave biSizeImage at 0,
// which then stands for its rows, each padded to 4 bytes.
#include <gtest/gtest.h>

#include "display/bitmap_file.h"
#include "test_support.h"

using PictureReader = HeadlessTest;

TEST_F(PictureReader, ZeroImageSizeIsTheSizeOfThePaddedRows) {
  struct ZeroSize {
    const char* what;
    int width, height;
    char compression;
    int padding;  // bytes after the rows of the unpadded picture
    bool read;
    bool gameForm;  // 24-bit rows without padding, as the game's pictures must be
  };
  const ZeroSize cases[] = {{"rows of 24 bytes", 8, 4, 0, 0, true, true},
                            {"rows of 15 bytes, padded", 5, 2, 0, 2, true, false},
                            {"rows of 15 bytes, unpadded", 5, 2, 0, 0, false, false},
                            {"compressed", 8, 4, 1, 0, false, false}};
  for (const ZeroSize& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = SolidBitmap(c.width, c.height, 200, 100, 50) + std::string(c.padding, '\0');
    bytes[30] = c.compression;     // biCompression
    bytes.replace(34, 4, 4, '\0');  // biSizeImage
    WriteFile("picture.bmp", bytes);
    BitmapFile record;
    EXPECT_EQ(ReadBitmapFile(record, "picture.bmp"), c.read);
    EXPECT_EQ(c.read && CheckPictureForm(record, c.width, c.height), c.gameForm);
  }
}
