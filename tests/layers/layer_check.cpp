// Holds every `#include "folder/..."` of src/, tools/ and server/ to the table of folders
// in README.md, so that the map a newcomer reads first cannot drift from the code. A file
// may include its own folder and those its row allows: in the last cell `x/` is src/x/,
// `src/` all of src/, and "everything below" the folders of src/ in the rows after it.
// Usage: layer_check REPOSITORY
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Row {
  std::vector<std::string> folders;  // "src/game/", "tools/replay/", ...
  std::string includes;              // the last cell, as written
};
std::vector<Row> Rows;

std::vector<std::string> Folders(const std::string& cell, const std::string& prefix) {
  static const std::regex folder("`([a-z_/]+/)`");
  std::vector<std::string> out;
  for (std::sregex_iterator i(cell.begin(), cell.end(), folder), end; i != end; ++i)
    out.push_back((*i)[1] == "src/" ? "src/" : prefix + (*i)[1].str());
  return out;
}

// The row whose folder holds the path most closely, or -1; `folder` is that folder.
int RowOf(const std::string& path, std::string& folder) {
  int found = -1;
  folder.clear();
  for (int r = 0; r < static_cast<int>(Rows.size()); ++r)
    for (const std::string& f : Rows[r].folders)
      if (path.rfind(f, 0) == 0 && f.size() > folder.size()) found = r, folder = f;
  return found;
}

bool Allows(int row, const std::string& folder) {
  const std::string& cell = Rows[row].includes;
  for (const std::string& f : Folders(cell, "src/"))
    if (f == folder || f == "src/") return true;
  std::string below;
  return cell.find("everything below") != std::string::npos && RowOf(folder, below) > row;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path repository = argc > 1 ? argv[1] : ".";
  static const std::regex row(R"(^\|([^|]*)\|[^|]*\|([^|]*)\|\s*$)");
  static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::ifstream readme(repository / "README.md");
  bool inMap = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.rfind("## ", 0) == 0) inMap = line == "## Where the code lives";
    std::smatch cells;
    if (inMap && std::regex_match(line, cells, row) && !Folders(cells[1], "").empty())
      Rows.push_back({Folders(cells[1], ""), cells[2]});
  }
  if (Rows.empty()) return std::cerr << "README.md: no table under \"## Where the code lives\"\n", 1;
  int faults = 0;
  for (const char* top : {"src", "tools", "server"}) {
    if (!fs::is_directory(repository / top)) continue;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(repository / top)) {
      const std::string path = fs::relative(entry.path(), repository).generic_string();
      if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
      std::string folder, target;
      const int own = RowOf(path, folder);
      if (own < 0) {
        std::cerr << path << ": its folder has no row in README.md's table\n";
        ++faults;
      }
      std::ifstream file(entry.path());
      std::smatch quoted;
      int number = 0;
      for (std::string line; own >= 0 && std::getline(file, line);) {
        ++number;
        // What names no folder of src/ is the file's own folder's, or a library's.
        if (!std::regex_search(line, quoted, include) || RowOf("src/" + quoted[1].str(), target) < 0 ||
            target == folder || Allows(own, target))
          continue;
        std::cerr << path << ":" << number << ": includes \"" << quoted[1] << "\" of " << target
                  << ", which README.md's table does not let " << folder << " include\n";
        ++faults;
      }
    }
  }
  return faults ? 1 : 0;
}
