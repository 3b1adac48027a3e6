// tumbra_gen_data RUN_FOLDER [BUILD_FOLDER]
//
// Writes the game's pictures, sounds, music and default config.ini into RUN_FOLDER.
// With BUILD_FOLDER it also writes the program icon there (icons/tumbra_256.png,
// tumbra_64.png, tumbra_32.png) and contact_sheet.png, all the pictures side by side.
#include <filesystem>
#include <iostream>

#include <QGuiApplication>

#include "contact_sheet.h"
#include "program_icon.h"
#include "run_folder.h"

namespace fs = std::filesystem;

namespace {

bool WriteBuildExtras(const fs::path& folder, const std::vector<SheetEntry>& pictures) {
  std::error_code error;
  fs::create_directories(folder / "icons", error);
  for (int size : {256, 64, 32}) {
    const fs::path path = folder / "icons" / ("tumbra_" + std::to_string(size) + ".png");
    if (!DrawProgramIcon(size).save(QString::fromStdString(path.string()), "PNG")) {
      std::cerr << "tumbra_gen_data: could not write " << path.string() << "\n";
      return false;
    }
  }
  const fs::path sheet = folder / "contact_sheet.png";
  if (!DrawContactSheet(pictures).save(QString::fromStdString(sheet.string()), "PNG")) {
    std::cerr << "tumbra_gen_data: could not write " << sheet.string() << "\n";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: tumbra_gen_data RUN_FOLDER [BUILD_FOLDER]\n";
    return 2;
  }
  // Lettering needs Qt's fonts, which need an application object, but never a screen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  std::vector<SheetEntry> pictures;
  if (!WriteRunFolder(argv[1], pictures)) return 1;
  if (argc == 3 && !WriteBuildExtras(argv[2], pictures)) return 1;
  return 0;
}
