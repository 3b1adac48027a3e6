#pragma once
#include <cstdint>
#include <vector>

#include <QImage>
#include <QRect>

#include "platform/platform.h"

// The last frame the window showed, and what a new frame changes in it. Most frames of
// the game are the one before pixel for pixel (the title screen, a turn waiting in
// Ready) or differ in a few small places (the meter, the arrow), so the window only
// scales and sends on the tiles that changed.
class ShownFrame {
 public:
  // Side of the square tiles that changes are counted in, in frame pixels.
  static constexpr int Tile = 40;

  // Takes the frame in and returns the changed parts as rectangles of whole tiles (cut
  // at the frame's edges), empty when nothing changed. The first frame, and a frame of
  // another size or depth, are changed throughout. A depth other than 16 or 32 is not
  // taken: nothing changes.
  const std::vector<QRect>& Take(const FrameView& frame);

  // The frame as shown, 32-bit RGB; null before the first frame.
  const QImage& Image() const { return image_; }

 private:
  void Restart(const FrameView& frame);
  void MarkChangedTiles(const FrameView& frame);
  void CollectRects();
  void Convert(const QRect& part);

  std::vector<std::uint8_t> bytes_;  // the frame's own pixels, rows packed
  int depth_ = 0, rowBytes_ = 0;
  QImage image_;
  int columns_ = 0, rows_ = 0;
  std::vector<std::uint8_t> changedTiles_;  // columns_ x rows_
  std::vector<QRect> changed_;
};
