#include "platform/desktop/shown_frame.h"

#include <cstring>

namespace {

int TilesOver(int pixels) { return (pixels + ShownFrame::Tile - 1) / ShownFrame::Tile; }

const std::uint8_t* Row(const FrameView& frame, int y) {
  return static_cast<const std::uint8_t*>(frame.pixels) + static_cast<std::ptrdiff_t>(y) * frame.pitch;
}

// Five or six bits widened to eight the way a screen does it: the top bits repeat in the
// low ones, so full intensity stays full (31 -> 255).
QRgb FromRgb565(std::uint16_t p) {
  const int r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
  return qRgb(r << 3 | r >> 2, g << 2 | g >> 4, b << 3 | b >> 2);
}

}  // namespace

const std::vector<QRect>& ShownFrame::Take(const FrameView& frame) {
  changed_.clear();
  if (frame.depth != 16 && frame.depth != 32) return changed_;
  if (image_.isNull() || frame.depth != depth_ || frame.width != image_.width() ||
      frame.height != image_.height()) {
    Restart(frame);
    changed_.push_back(image_.rect());
  } else {
    MarkChangedTiles(frame);
    CollectRects();
  }
  for (const QRect& part : changed_) Convert(part);
  return changed_;
}

void ShownFrame::Restart(const FrameView& frame) {
  depth_ = frame.depth;
  rowBytes_ = frame.width * frame.depth / 8;
  bytes_.resize(static_cast<std::size_t>(rowBytes_) * frame.height);
  image_ = QImage(frame.width, frame.height, QImage::Format_RGB32);
  columns_ = TilesOver(frame.width);
  rows_ = TilesOver(frame.height);
  changedTiles_.assign(static_cast<std::size_t>(columns_) * rows_, 0);
  for (int y = 0; y < frame.height; ++y)
    std::memcpy(&bytes_[static_cast<std::size_t>(y) * rowBytes_], Row(frame, y), rowBytes_);
}

// A whole row is compared first: most rows of most frames have not changed at all.
void ShownFrame::MarkChangedTiles(const FrameView& frame) {
  std::fill(changedTiles_.begin(), changedTiles_.end(), 0);
  const int tileBytes = Tile * depth_ / 8;
  for (int y = 0; y < frame.height; ++y) {
    std::uint8_t* shown = &bytes_[static_cast<std::size_t>(y) * rowBytes_];
    const std::uint8_t* now = Row(frame, y);
    if (std::memcmp(shown, now, rowBytes_) == 0) continue;
    std::uint8_t* tiles = &changedTiles_[static_cast<std::size_t>(y / Tile) * columns_];
    for (int c = 0; c < columns_; ++c) {
      const int at = c * tileBytes;
      const int length = std::min(tileBytes, rowBytes_ - at);
      if (std::memcmp(shown + at, now + at, length) != 0) tiles[c] = 1;
    }
    std::memcpy(shown, now, rowBytes_);
  }
}

// Runs of changed tiles along a tile row, each grown downward while the rows under it
// have the same run: the meter's column or the arrow's band is one rectangle.
void ShownFrame::CollectRects() {
  for (int r = 0; r < rows_; ++r) {
    std::uint8_t* tiles = &changedTiles_[static_cast<std::size_t>(r) * columns_];
    for (int c = 0; c < columns_;) {
      if (!tiles[c]) {
        ++c;
        continue;
      }
      int end = c;
      while (end < columns_ && tiles[end]) ++end;
      int bottom = r + 1;
      auto sameRun = [&](int row) {
        const std::uint8_t* below = &changedTiles_[static_cast<std::size_t>(row) * columns_];
        for (int i = c; i < end; ++i)
          if (!below[i]) return false;
        return (c == 0 || !below[c - 1]) && (end == columns_ || !below[end]);
      };
      for (; bottom < rows_ && sameRun(bottom); ++bottom)
        std::fill_n(&changedTiles_[static_cast<std::size_t>(bottom) * columns_ + c], end - c, 0);
      changed_.push_back(QRect(c * Tile, r * Tile, (end - c) * Tile, (bottom - r) * Tile) & image_.rect());
      c = end;
    }
  }
}

void ShownFrame::Convert(const QRect& part) {
  for (int y = part.top(); y <= part.bottom(); ++y) {
    const std::uint8_t* from = &bytes_[static_cast<std::size_t>(y) * rowBytes_];
    auto* to = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = part.left(); x <= part.right(); ++x) {
      if (depth_ == 32) {
        std::uint32_t p;
        std::memcpy(&p, from + 4 * x, 4);
        to[x] = 0xFF000000u | p;
      } else {
        std::uint16_t p;
        std::memcpy(&p, from + 2 * x, 2);
        to[x] = FromRgb565(p);
      }
    }
  }
}
