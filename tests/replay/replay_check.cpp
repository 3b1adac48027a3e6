// Runs one replay script through tumbra-replay, in a fresh folder with the game's
// pictures and sounds and an empty music folder, and checks its output against the
// script's "#>" lines:
// each output line must match the next expectation, in order, and nothing more may come.
// "#> state key=value ..." matches a state line by the fields named (dotted paths into
// the JSON, values written as JSON); every other expectation is matched whole.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "base/settings.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Splits "a.b=1 c=\"two words\"" into pairs.
std::vector<std::pair<std::string, std::string>> Fields(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> fields;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    size_t eq = text.find('=', i);
    if (eq == std::string::npos) break;
    std::string key = text.substr(i, eq - i);
    size_t end = eq + 1;
    if (end < text.size() && text[end] == '"') {
      for (++end; end < text.size() && text[end] != '"'; ++end)
        if (text[end] == '\\') ++end;
      ++end;
    } else {
      end = text.find(' ', end);
      if (end == std::string::npos) end = text.size();
    }
    fields.emplace_back(key, text.substr(eq + 1, end - eq - 1));
    i = end;
  }
  return fields;
}

QJsonValue Lookup(QJsonValue value, const std::string& path) {
  std::istringstream parts(path);
  for (std::string part; std::getline(parts, part, '.');) {
    if (value.isArray())
      value = value.toArray().at(std::stoi(part));
    else
      value = value.toObject().value(QString::fromStdString(part));
  }
  return value;
}

// Empty when the state line has every field named; else what differs.
std::string StateMismatch(const std::string& expectation, const std::string& line) {
  if (line.rfind("state ", 0) != 0) return "expected a state line";
  QJsonDocument state = QJsonDocument::fromJson(QByteArray::fromStdString(line.substr(6)));
  if (!state.isObject()) return "state line is not a JSON object";
  std::string differences;
  for (const auto& [key, text] : Fields(expectation)) {
    QJsonDocument wanted = QJsonDocument::fromJson(QByteArray::fromStdString("[" + text + "]"));
    QJsonValue got = Lookup(state.object(), key);
    if (wanted.array().at(0) != got)
      differences += key + " is " +
                     QJsonDocument(QJsonArray{got}).toJson(QJsonDocument::Compact).toStdString() +
                     ", wanted " + text + "; ";
  }
  return differences;
}

// Runs the program and returns its exit status; its standard output goes to `output`.
int Run(const std::filesystem::path& script, const std::filesystem::path& folder, std::string& output) {
  std::string command = "cd '" + folder.string() + "' && SDL_AUDIODRIVER=dummy '" + TUMBRA_REPLAY_BINARY +
                        "' '" + script.string() + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  return pclose(pipe);
}

// The first difference between output and expectations, or "".
std::string Difference(const std::vector<std::string>& got, const std::vector<std::string>& expected) {
  for (size_t i = 0; i < std::max(got.size(), expected.size()); ++i) {
    std::string where = "output line " + std::to_string(i + 1) + ": ";
    if (i >= got.size()) return where + "output ended; expected: " + expected[i];
    if (i >= expected.size()) return where + "unexpected: " + got[i];
    if (expected[i].rfind("state ", 0) == 0) {
      std::string mismatch = StateMismatch(expected[i].substr(6), got[i]);
      if (!mismatch.empty()) return where + mismatch;
    } else if (got[i] != expected[i]) {
      return where + "got: " + got[i] + "\n  expected: " + expected[i];
    }
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: replay_check SCRIPT\n";
    return 2;
  }
  const std::filesystem::path script = std::filesystem::absolute(argv[1]);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("tumbra-replay-" + script.stem().string() + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "music");
  std::filesystem::create_directory_symlink(std::filesystem::path(TUMBRA_RUN_DIR) / "bmps", folder / "bmps");
  std::filesystem::create_directory_symlink(std::filesystem::path(TUMBRA_RUN_DIR) / "wavs", folder / "wavs");
  std::ofstream(folder / "config.ini") << DefaultConfigText;

  std::vector<std::string> expected;
  std::ifstream in(script);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("#> ", 0) == 0) expected.push_back(line.substr(3));

  std::string output;
  int status = Run(script, folder, output);
  std::filesystem::remove_all(folder);

  std::string difference = Difference(Lines(output), expected);
  if (!difference.empty()) {
    std::cerr << script.filename().string() << ": " << difference << "\n";
    return 1;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << script.filename().string() << ": tumbra-replay ended with status " << status << "\n";
    return 1;
  }
  return 0;
}
