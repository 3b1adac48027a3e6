#pragma once

// The sizes at which the game asks for its pictures, and one tiny size that lets the
// fuzzer reach a complete load with a file of a few dozen bytes. The picture target
// takes the size from its input's second byte, and the seed maker writes that byte for
// the generated pictures, so both read this one table.
struct PictureSize {
  int width, height;
};

inline constexpr PictureSize PictureSizes[] = {
    {4, 2},    {760, 560}, {80, 100}, {40, 40},  {100, 60}, {160, 60},
    {220, 60}, {140, 60},  {200, 100}, {200, 80}, {180, 60},
};
inline constexpr int PictureSizeCount = sizeof PictureSizes / sizeof PictureSizes[0];
