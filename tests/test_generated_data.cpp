#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <QImage>

#include "display/bitmap_file.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

std::uint32_t U16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
bool TagAt(const Bytes& b, std::size_t at, std::string_view tag) {
  return b.size() >= at + tag.size() &&
         std::equal(tag.begin(), tag.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
}

struct PictureSize {
  std::string file;
  int width, height;
};

// Every picture the game loads, at the size it loads it.
std::vector<PictureSize> GamePictures() {
  std::vector<PictureSize> pictures = {
      {"gamebg.bmp", 760, 560},  {"blue_cup.bmp", 80, 100},  {"red_cup.bmp", 80, 100},
      {"ball.bmp", 40, 40},      {"arrow.bmp", 40, 40},      {"viewcup.bmp", 40, 40},
      {"over.bmp", 160, 60},     {"reconfigure.bmp", 220, 60}, {"hit.bmp", 140, 60},
      {"gameover.bmp", 200, 100}, {"ready.bmp", 200, 80},    {"compturn.bmp", 200, 80},
      {"splash.bmp", 760, 560},  {"play.bmp", 160, 60},      {"playvs.bmp", 160, 60},
      {"playnet.bmp", 180, 60}};
  for (int n = 1; n <= 15; ++n) pictures.push_back({"splash" + std::to_string(n) + ".bmp", 100, 60});
  return pictures;
}

bool IsFullScreen(const PictureSize& p) { return p.width == 760; }

// A generated picture, read straight from its bytes once its form has been checked.
class Picture {
 public:
  explicit Picture(const std::string& file) : bytes_(ReadAll(RunFolder() / "bmps" / file)) {
    width_ = bytes_.size() >= 54 ? static_cast<int>(U32(bytes_, 18)) : 0;
    height_ = bytes_.size() >= 54 ? static_cast<int>(U32(bytes_, 22)) : 0;
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Red, green, blue of the pixel at (x, y), y counted from the top.
  std::array<int, 3> At(int x, int y) const {
    const std::size_t at = 54 + (static_cast<std::size_t>(height_ - 1 - y) * width_ + x) * 3;
    return {bytes_[at + 2], bytes_[at + 1], bytes_[at]};
  }
  bool Opaque(int x, int y) const { return At(x, y) != std::array<int, 3>{0, 0, 0}; }
  int OpaqueCount() const {
    int count = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) count += Opaque(x, y);
    return count;
  }
  // Left, top, right, bottom of the opaque pixels (inclusive).
  std::array<int, 4> OpaqueBounds() const {
    std::array<int, 4> b = {width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (Opaque(x, y)) b = {std::min(b[0], x), std::min(b[1], y), std::max(b[2], x), std::max(b[3], y)};
    return b;
  }

 private:
  Bytes bytes_;
  int width_ = 0, height_ = 0;
};

class GeneratedPictureFiles : public HeadlessTest {};

TEST_F(GeneratedPictureFiles, EveryFileHasTheExactFormTheGameReads) {
  for (const PictureSize& p : GamePictures()) {
    SCOPED_TRACE(p.file);
    const fs::path path = RunFolder() / "bmps" / p.file;
    const Bytes b = ReadAll(path);
    const std::uint32_t imageSize = p.width * p.height * 3;
    ASSERT_EQ(b.size(), 54u + imageSize);
    EXPECT_EQ(U16(b, 0), 0x4D42u);
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 10), 54u);
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(static_cast<int>(U32(b, 18)), p.width);
    EXPECT_EQ(static_cast<int>(U32(b, 22)), p.height);  // positive: bottom row first
    EXPECT_EQ(U16(b, 26), 1u);
    EXPECT_EQ(U16(b, 28), 24u);
    EXPECT_EQ(U32(b, 30), 0u);
    EXPECT_EQ(U32(b, 34), imageSize);

    BitmapFile record;
    ASSERT_TRUE(ReadBitmapFile(record, path.string().c_str()));
    EXPECT_TRUE(CheckPictureForm(record, p.width, p.height));
    FreeBitmapFile(record);
  }
  EXPECT_TRUE(Messages().empty());
}

TEST(GeneratedPictures, NoVisiblePixelPacksToTheTransparentKeyAtSixteenBits) {
  for (const PictureSize& p : GamePictures()) {
    SCOPED_TRACE(p.file);
    const Picture picture(p.file);
    int vanishing = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) {
        const auto c = picture.At(x, y);
        if (picture.Opaque(x, y) && std::max({c[0], c[1], c[2]}) < 8) ++vanishing;
      }
    EXPECT_EQ(vanishing, 0);
  }
}

TEST(GeneratedPictures, BackgroundsAreSolidAndSpritesHaveShapes) {
  for (const PictureSize& p : GamePictures()) {
    SCOPED_TRACE(p.file);
    const Picture picture(p.file);
    const int all = p.width * p.height;
    if (IsFullScreen(p)) {
      EXPECT_EQ(picture.OpaqueCount(), all);
    } else if (p.file.rfind("splash", 0) != 0) {
      EXPECT_GT(picture.OpaqueCount(), 0);
      EXPECT_LT(picture.OpaqueCount(), all);
    }
  }
}

TEST(GeneratedPictures, BannersAndButtonsAreMostlyPlate) {
  for (const char* file : {"over.bmp", "reconfigure.bmp", "hit.bmp", "gameover.bmp", "ready.bmp",
                           "compturn.bmp", "play.bmp", "playvs.bmp", "playnet.bmp"}) {
    SCOPED_TRACE(file);
    const Picture picture(file);
    EXPECT_GT(picture.OpaqueCount(), picture.Width() * picture.Height() * 9 / 10);
    EXPECT_TRUE(picture.Opaque(picture.Width() / 2, picture.Height() / 2));
  }
}

// The hit test counts a ball in the cup at x 10-50, y 1-16 of the cup picture, and the
// next cup of a row stands 70 pixels further right.
TEST(GeneratedPictures, CupMouthLiesOnTheHitZoneAndTheBodyReachesTheBottom) {
  for (const char* file : {"red_cup.bmp", "blue_cup.bmp"}) {
    SCOPED_TRACE(file);
    const Picture cup(file);
    for (int x = 11; x < 50; ++x) EXPECT_TRUE(cup.Opaque(x, 9)) << "x " << x;
    for (int y = 2; y < 16; ++y) EXPECT_TRUE(cup.Opaque(30, y)) << "y " << y;
    const auto bounds = cup.OpaqueBounds();
    EXPECT_LE(bounds[1], 1);
    EXPECT_GE(bounds[3], 95);
    EXPECT_LT(bounds[2], 70);
  }
}

TEST(GeneratedPictures, BallIsAboutFifteenPixelsAcrossInTheMiddle) {
  const auto b = Picture("ball.bmp").OpaqueBounds();
  const int width = b[2] - b[0] + 1, height = b[3] - b[1] + 1;
  EXPECT_GE(width, 14);
  EXPECT_LE(width, 16);
  EXPECT_GE(height, 14);
  EXPECT_LE(height, 16);
  EXPECT_NEAR((b[0] + b[2]) / 2.0, 19.5, 1.0);
  EXPECT_NEAR((b[1] + b[3]) / 2.0, 19.5, 1.0);
}

// The landing x of a throw is the arrow picture's left edge.
TEST(GeneratedPictures, ArrowTipIsAtTheLeftEdgeAtTheBottom) {
  const Picture arrow("arrow.bmp");
  const auto b = arrow.OpaqueBounds();
  EXPECT_EQ(b[0], 0);
  EXPECT_GE(b[3], 37);
  int lowestLeft = arrow.Width();
  for (int x = 0; x < arrow.Width(); ++x)
    if (arrow.Opaque(x, b[3])) lowestLeft = std::min(lowestLeft, x);
  EXPECT_LE(lowestLeft, 1);
}

TEST(GeneratedPictures, CupIconsFitTheirThirtySixPixelPlaces) {
  const auto b = Picture("viewcup.bmp").OpaqueBounds();
  EXPECT_LE(b[2] - b[0] + 1, 36);
  EXPECT_LE(b[3] - b[1] + 1, 36);
}

// The splash is drawn 10 pixels left of and 41 above the cup, so its base must sit on
// the cup's mouth near the bottom middle of the frame. The game shows frames 1 to 11.
TEST(GeneratedPictures, SplashRisesFromTheMouthAndFadesOut) {
  std::vector<int> counts;
  for (int n = 1; n <= 11; ++n) counts.push_back(Picture("splash" + std::to_string(n) + ".bmp").OpaqueCount());
  for (int n = 0; n < 11; ++n) EXPECT_GT(counts[n], 0) << "splash" << n + 1;
  EXPECT_LT(counts.back() * 3, *std::max_element(counts.begin(), counts.end()));

  const auto first = Picture("splash1.bmp").OpaqueBounds();
  EXPECT_GE(first[3], 48);
  EXPECT_NEAR((first[0] + first[2]) / 2.0, 42, 8);
}

struct Place {
  const char* file;
  const char* what;
  int left, top, right, bottom;  // right and bottom exclusive
};

// Where the game writes text or fills a bar straight onto a picture: near-white warning
// lines and a white address on the title, red panel text and the two bars in a game.
TEST(GeneratedPictures, TextAndBarsLieOnDarkGround) {
  const Place places[] = {{"splash.bmp", "warning", 20, 295, 470, 395},
                          {"splash.bmp", "address line", 50, 522, 400, 540},
                          {"gamebg.bmp", "cup-count text", 510, 324, 690, 340},
                          {"gamebg.bmp", "power meter", 55, 103, 115, 253},
                          {"gamebg.bmp", "drink gauge", 215, 97, 235, 197}};
  for (const Place& place : places) {
    SCOPED_TRACE(place.what);
    const Picture picture(place.file);
    double brightest = 0;
    for (int y = place.top; y < place.bottom; ++y)
      for (int x = place.left; x < place.right; ++x) {
        const auto c = picture.At(x, y);
        brightest = std::max(brightest, 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]);
      }
    EXPECT_LT(brightest, 60);
  }
}

TEST(GeneratedIcons, ProgramIconAtThreeSizesWithTransparentCorners) {
  for (int size : {256, 64, 32}) {
    SCOPED_TRACE(size);
    const QImage icon(QString::fromStdString(
        (RunFolder().parent_path() / "icons" / ("tumbra_" + std::to_string(size) + ".png")).string()));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.width(), size);
    EXPECT_EQ(icon.height(), size);
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
  }
  EXPECT_FALSE(QImage(QString::fromStdString((RunFolder().parent_path() / "contact_sheet.png").string())).isNull());
}

TEST(GeneratedSounds, EachEffectIsAShortCleanUnsigned8BitMonoPcmWave) {
  for (const char* file : {"button.wav", "cuphit.wav", "rimhit.wav"}) {
    SCOPED_TRACE(file);
    const Bytes b = ReadAll(RunFolder() / "wavs" / file);
    ASSERT_GE(b.size(), 44u);
    EXPECT_TRUE(TagAt(b, 0, "RIFF"));
    EXPECT_EQ(U32(b, 4), b.size() - 8);
    EXPECT_TRUE(TagAt(b, 8, "WAVE"));
    std::size_t format = 0, data = 0;
    for (std::size_t at = 12; at + 8 <= b.size(); at += 8 + ((U32(b, at + 4) + 1) & ~1u)) {
      if (TagAt(b, at, "fmt ")) format = at;
      if (TagAt(b, at, "data")) data = at;
    }
    ASSERT_NE(format, 0u);
    ASSERT_NE(data, 0u);
    EXPECT_GE(U32(b, format + 4), 16u);
    EXPECT_EQ(U16(b, format + 8), 1u);       // PCM
    EXPECT_EQ(U16(b, format + 10), 1u);      // mono
    EXPECT_EQ(U32(b, format + 12), 11025u);  // samples a second
    EXPECT_EQ(U32(b, format + 16), 11025u);  // bytes a second
    EXPECT_EQ(U16(b, format + 20), 1u);      // block align
    EXPECT_EQ(U16(b, format + 22), 8u);      // bits a sample

    const std::size_t count = U32(b, data + 4);
    ASSERT_LE(data + 8 + count, b.size());
    EXPECT_GT(count, 11025u / 50);  // longer than 20 ms
    EXPECT_LT(count, 11025u * 3 / 4);
    const auto first = b.begin() + static_cast<std::ptrdiff_t>(data + 8);
    const std::vector<int> samples(first, first + static_cast<std::ptrdiff_t>(count));
    int loudest = 0;
    for (int s : samples) {
      EXPECT_GT(s, 0);
      EXPECT_LT(s, 255);
      loudest = std::max(loudest, std::abs(s - 128));
    }
    EXPECT_GE(loudest, 64);
    for (std::size_t i = count - 11025 / 200; i < count; ++i) EXPECT_LE(std::abs(samples[i] - 128), 2);
    EXPECT_EQ(samples.back(), 128);
  }
}

// Layer III frame lengths from the frame header; 0 for anything that is not a frame.
struct Mp3Frame {
  std::size_t bytes = 0;
  int samples = 0, rate = 0;
};

Mp3Frame ReadMp3Frame(const Bytes& b, std::size_t at) {
  if (at + 4 > b.size() || b[at] != 0xFF || (b[at + 1] & 0xE0) != 0xE0) return {};
  const int version = (b[at + 1] >> 3) & 3;  // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
  const int layer = (b[at + 1] >> 1) & 3;    // 1 is Layer III
  const int bitrateIndex = b[at + 2] >> 4;
  const int rateIndex = (b[at + 2] >> 2) & 3;
  if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) return {};
  static const int mpeg1Rates[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
  static const int mpeg2Rates[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
  static const int sampleRates[] = {44100, 48000, 32000};
  const bool mpeg1 = version == 3;
  const int rate = sampleRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
  const int kbps = mpeg1 ? mpeg1Rates[bitrateIndex] : mpeg2Rates[bitrateIndex];
  const int padding = (b[at + 2] >> 1) & 1;
  return {static_cast<std::size_t>((mpeg1 ? 144 : 72) * kbps * 1000 / rate + padding), mpeg1 ? 1152 : 576,
          rate};
}

TEST(GeneratedMusic, OneTuneOfHalfAMinuteToAMinuteMadeOfValidMp3Frames) {
  std::vector<fs::path> tunes;
  for (const auto& entry : fs::directory_iterator(RunFolder() / "music"))
    if (entry.path().extension() == ".mp3") tunes.push_back(entry.path());
  ASSERT_EQ(tunes.size(), 1u);
  const Bytes b = ReadAll(tunes[0]);
  ASSERT_GT(b.size(), 10u);

  std::size_t at = 0;
  if (TagAt(b, 0, "ID3")) {
    for (int i = 6; i < 10; ++i) ASSERT_LT(b[i], 0x80) << "tag size is not sync-safe";
    at = 10 + (static_cast<std::size_t>(b[6]) << 21 | b[7] << 14 | b[8] << 7 | b[9]);
  }
  double seconds = 0;
  int frames = 0;
  while (at < b.size()) {
    if (b.size() - at == 128 && TagAt(b, at, "TAG")) break;
    const Mp3Frame frame = ReadMp3Frame(b, at);
    ASSERT_GT(frame.bytes, 4u) << "no frame at byte " << at << " after " << frames << " frames";
    ASSERT_LE(at + frame.bytes, b.size());
    seconds += static_cast<double>(frame.samples) / frame.rate;
    at += frame.bytes;
    ++frames;
  }
  EXPECT_GE(seconds, 30.0);
  EXPECT_LE(seconds, 60.0);
}

// The generator itself, run into folders of our own: it lives in the build tree beside
// the run folder it normally fills.
class GeneratorRun : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tumbra-gen-data-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  int Generate(const fs::path& folder) {
    const fs::path generator = RunFolder().parent_path() / "tools" / "gen_data" / "tumbra_gen_data";
    const std::string command = "QT_QPA_PLATFORM=offscreen '" + generator.string() + "' '" + folder.string() +
                                "' 2>>'" + (root_ / "errors.txt").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  static std::string Text(const fs::path& path) {
    const Bytes b = ReadAll(path);
    return std::string(b.begin(), b.end());
  }

  fs::path root_;
};

TEST_F(GeneratorRun, WritesEmptySettingsOnlyWhereNoneAreSaved) {
  const std::string saved = "username=ann\npassword=pw\nmusic=/home/ann/tunes\nserver=\n";
  fs::create_directories(root_ / "saved");
  std::ofstream(root_ / "saved" / "config.ini", std::ios::binary) << saved;

  ASSERT_EQ(Generate(root_ / "saved"), 0) << Text(root_ / "errors.txt");
  EXPECT_EQ(Text(root_ / "saved" / "config.ini"), saved);
  ASSERT_EQ(Generate(root_ / "fresh"), 0) << Text(root_ / "errors.txt");
  EXPECT_EQ(Text(root_ / "fresh" / "config.ini"), "username=\npassword=\nmusic=\nserver=\n");
}

TEST_F(GeneratorRun, FailsWhenTheFolderCannotBeMade) {
  std::ofstream(root_ / "taken", std::ios::binary) << "a file, not a folder";
  EXPECT_NE(Generate(root_ / "taken"), 0);
}

TEST_F(GeneratorRun, TwoRunsWriteTheSameBytes) {
  ASSERT_EQ(Generate(root_ / "first"), 0) << Text(root_ / "errors.txt");
  ASSERT_EQ(Generate(root_ / "second"), 0) << Text(root_ / "errors.txt");
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root_ / "first")) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), root_ / "first");
    SCOPED_TRACE(relative.string());
    ASSERT_TRUE(fs::exists(root_ / "second" / relative));
    EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(root_ / "second" / relative));
    ++files;
  }
  EXPECT_EQ(files, 31 + 3 + 1 + 1);  // pictures, effects, the tune, config.ini
}

}  // namespace
