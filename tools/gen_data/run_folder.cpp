#include "run_folder.h"

#include <iostream>

#include "bmp_writer.h"
#include "colour_key.h"
#include "default_config.h"
#include "instruments.h"
#include "mp3_encoder.h"
#include "picture_table.h"
#include "sound_effects.h"
#include "theme_tune.h"
#include "wav_writer.h"

namespace fs = std::filesystem;

namespace {

bool Write(const fs::path& path, const Bytes& bytes) {
  if (!bytes.empty() && WriteBinaryFile(path, bytes)) return true;
  std::cerr << "tumbra_gen_data: could not write " << path.string() << "\n";
  return false;
}

bool WritePictures(const fs::path& folder, std::vector<SheetEntry>& sheet) {
  for (const Picture& picture : GamePictures()) {
    const QImage drawing = picture.draw();
    if (drawing.width() != picture.width || drawing.height() != picture.height) {
      std::cerr << "tumbra_gen_data: " << picture.file << " drawn at the wrong size\n";
      return false;
    }
    const QImage keyed = ApplyColourKey(drawing);
    if (!Write(folder / picture.file, EncodeBmp(keyed))) return false;
    sheet.push_back({QString::fromStdString(picture.file), keyed});
  }
  return true;
}

bool WriteSounds(const fs::path& folder) {
  return Write(folder / "button.wav", EncodeWav(ButtonClick())) &&
         Write(folder / "cuphit.wav", EncodeWav(CupPlop())) &&
         Write(folder / "rimhit.wav", EncodeWav(RimTick()));
}

bool WriteMusic(const fs::path& folder) {
  return Write(folder / "back_room_shuffle.mp3",
               EncodeMp3(ToSigned16(ThemeTune()), MusicRate, "Back Room Shuffle", "Tumbra"));
}

}  // namespace

bool WriteRunFolder(const fs::path& folder, std::vector<SheetEntry>& pictures) {
  std::error_code error;
  for (const char* sub : {"bmps", "wavs", "music"}) fs::create_directories(folder / sub, error);
  if (error) {
    std::cerr << "tumbra_gen_data: cannot make folders in " << folder.string() << ": " << error.message() << "\n";
    return false;
  }
  if (!WritePictures(folder / "bmps", pictures) || !WriteSounds(folder / "wavs") ||
      !WriteMusic(folder / "music"))
    return false;
  if (!WriteDefaultConfigIfMissing(folder)) {
    std::cerr << "tumbra_gen_data: could not write " << (folder / "config.ini").string() << "\n";
    return false;
  }
  return true;
}
