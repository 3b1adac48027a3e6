#pragma once
#include <QImage>

#include "binary_file.h"

// A 24-bit Windows bitmap exactly as the game's reader wants it: the two headers, then
// the rows bottom first with no padding, biSizeImage = width x height x 3, and the pixel
// data running to the very end of the file. Only the colour of each pixel is written;
// the width must be a multiple of 4 so that unpadded rows are also standard rows.
Bytes EncodeBmp(const QImage& picture);
