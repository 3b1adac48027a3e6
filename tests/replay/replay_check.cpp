// Runs one replay script through tumbra-replay, in a fresh folder with the game's
// pictures and sounds and an empty music folder, and checks its output against the
// script's "#>" lines: each output line must match the next expectation, in order, and
// nothing more may come. "#> state key=value ..." matches a state line by the fields
// named (dotted paths into the JSON, values written as JSON); every other expectation is
// matched whole.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "base/settings.h"

namespace fs = std::filesystem;

namespace {

QJsonValue Json(const std::string& text) {
  return QJsonDocument::fromJson(QByteArray::fromStdString("[" + text + "]")).array().at(0);
}

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Whether the line matches the expectation.
bool Matches(const std::string& expected, const std::string& got) {
  if (expected.rfind("state ", 0) != 0 || got.rfind("state ", 0) != 0) return got == expected;
  static const std::regex field(R"((\S+)=("(?:[^"\\]|\\.)*"|\S+))");
  for (std::sregex_iterator m(expected.begin(), expected.end(), field), end; m != end; ++m) {
    QJsonValue value = Json(got.substr(6));
    std::istringstream path((*m)[1].str());
    for (std::string part; std::getline(path, part, '.');)
      value = value.isArray() ? value.toArray().at(std::stoi(part))
                              : value.toObject().value(QString::fromStdString(part));
    if (value != Json((*m)[2].str())) return false;
  }
  return true;
}

// Plays the script in a fresh folder; its output, and the driver's exit status.
std::string Play(const fs::path& script, int& status) {
  const fs::path folder = fs::temp_directory_path() /
                          ("tumbra-replay-" + script.stem().string() + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "music");
  fs::create_directory_symlink(fs::path(TUMBRA_RUN_DIR) / "bmps", folder / "bmps");
  fs::create_directory_symlink(fs::path(TUMBRA_RUN_DIR) / "wavs", folder / "wavs");
  std::ofstream(folder / "config.ini") << DefaultConfigText;
  const std::string command = "cd '" + folder.string() + "' && SDL_AUDIODRIVER=dummy '" +
                              TUMBRA_REPLAY_BINARY + "' '" + script.string() + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[4096];
  for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  status = pipe ? pclose(pipe) : -1;
  fs::remove_all(folder);
  return output;
}

}  // namespace

// replay_check SCRIPT: plays it and checks. replay_check SCRIPT OUTPUT STATUS: checks what
// a run made elsewhere printed, and its exit status (a game against a server).
int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) return std::cerr << "usage: replay_check SCRIPT [OUTPUT STATUS]\n", 2;
  const fs::path script = fs::absolute(argv[1]);
  std::vector<std::string> expected;
  std::ifstream in(script);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("#> ", 0) == 0) expected.push_back(line.substr(3));

  int status = argc == 4 ? std::atoi(argv[3]) << 8 : 0;
  const std::string output = argc == 4 ? ReadFile(argv[2]) : Play(script, status);
  std::istringstream lines(output);
  std::string got;
  size_t i = 0;
  while (std::getline(lines, got) && i < expected.size() && Matches(expected[i], got)) ++i;
  if (i < expected.size() || lines || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << script.filename().string() << ": output line " << i + 1 << "\n  got: "
              << (lines ? got : "the end, status " + std::to_string(status))
              << "\n  expected: " << (i < expected.size() ? expected[i] : "the end") << "\n";
    return 1;
  }
  return 0;
}
