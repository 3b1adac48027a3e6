// Holds every `#include "folder/..."` of src/, tools/ and server/ to the table of folders
// in README.md: a file may include its own folder and the folders its row allows, so
// the map a newcomer reads first cannot drift from the code. tests/, bench/ and fuzz/
// may include anything and are not read.
// Usage: layer_check REPOSITORY
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Row {
  std::vector<std::string> folders;  // "src/game/", "tools/replay/", ...
  std::string includes;              // the row's last cell, as written
  std::set<std::string> allowed;     // the folders of src/ that its files may include
};

std::vector<std::string> QuotedFolders(const std::string& cell) {
  static const std::regex folder("`([a-z_/]+/)`");
  std::vector<std::string> out;
  for (std::sregex_iterator i(cell.begin(), cell.end(), folder), end; i != end; ++i)
    out.push_back((*i)[1]);
  return out;
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

// The rows under "## Where the code lives". In the last cell `x/` is src/x/, `src/` is
// every folder of src/, and "everything below" every folder of src/ in the rows after.
std::vector<Row> ReadTable(const fs::path& readme) {
  static const std::regex row(R"(^\|([^|]*)\|[^|]*\|([^|]*)\|\s*$)");
  std::ifstream in(readme);
  std::vector<Row> rows;
  bool inMap = false;
  for (std::string line; std::getline(in, line);) {
    if (StartsWith(line, "## ")) inMap = line == "## Where the code lives";
    std::smatch cells;
    if (inMap && std::regex_match(line, cells, row) && !QuotedFolders(cells[1]).empty())
      rows.push_back({QuotedFolders(cells[1]), cells[2], {}});
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t other = 0; other < rows.size(); ++other)
      for (const std::string& folder : rows[other].folders)
        if (StartsWith(folder, "src/") &&
            ((other > r && rows[r].includes.find("everything below") != std::string::npos) ||
             rows[r].includes.find("`src/`") != std::string::npos))
          rows[r].allowed.insert(folder);
    for (const std::string& folder : QuotedFolders(rows[r].includes))
      if (folder != "src/") rows[r].allowed.insert("src/" + folder);
  }
  return rows;
}

// The row, and its folder, that a path lies in: the longest folder that holds it.
const Row* RowOf(const std::vector<Row>& rows, const std::string& path, std::string& folder) {
  const Row* found = nullptr;
  folder.clear();
  for (const Row& row : rows)
    for (const std::string& f : row.folders)
      if (StartsWith(path, f) && f.size() > folder.size()) found = &row, folder = f;
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path repository = argc > 1 ? argv[1] : ".";
  const std::vector<Row> rows = ReadTable(repository / "README.md");
  if (rows.empty()) {
    std::cerr << "README.md: no table of folders under \"## Where the code lives\"\n";
    return 1;
  }
  static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  int faults = 0;
  for (const char* top : {"src", "tools", "server"}) {
    if (!fs::is_directory(repository / top)) continue;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(repository / top)) {
      const std::string extension = entry.path().extension().string();
      if (extension != ".cpp" && extension != ".h") continue;
      const std::string path = fs::relative(entry.path(), repository).generic_string();
      std::string folder, target;
      const Row* row = RowOf(rows, path, folder);
      if (!row) {
        std::cerr << path << ": its folder is not in the table of README.md\n";
        ++faults;
        continue;
      }
      std::ifstream file(entry.path());
      int number = 0;
      for (std::string line; std::getline(file, line);) {
        std::smatch quoted;
        ++number;
        // What does not name a folder of src/ is the file's own folder's or a library's.
        if (!std::regex_search(line, quoted, include) || !RowOf(rows, "src/" + quoted[1].str(), target) ||
            target == folder || row->allowed.count(target))
          continue;
        std::cerr << path << ":" << number << ": includes \"" << quoted[1] << "\" of " << target
                  << ", which README.md's table does not let " << folder << " include\n";
        ++faults;
      }
    }
  }
  return faults ? 1 : 0;
}
