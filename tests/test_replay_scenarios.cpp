// Runs every script in tests/replay through tumbra-replay, in a fresh folder with the
// game's pictures and sounds, and checks its output against the script's "#>" lines:
// each output line must match the next expectation, in order, and nothing more may come.
// "#> state key=value ..." matches a state line by the fields named (dotted paths into
// the JSON, values written as JSON); every other expectation is matched whole.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace {

std::vector<std::string> ScriptNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(TUMBRA_REPLAY_SCRIPTS))
    if (entry.path().extension() == ".replay") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

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

class ReplayScenario : public ::testing::TestWithParam<std::string> {};

TEST_P(ReplayScenario, OutputMatchesTheScript) {
  const std::filesystem::path script =
      std::filesystem::path(TUMBRA_REPLAY_SCRIPTS) / (GetParam() + ".replay");
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                      ("tumbra-replay-" + GetParam() + "-" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / "music");
  std::filesystem::create_directory_symlink(RunFolder() / "bmps", folder / "bmps");
  std::filesystem::create_directory_symlink(RunFolder() / "wavs", folder / "wavs");
  std::ofstream(folder / "config.ini") << "username=\npassword=\nmusic=\nserver=\n";

  std::vector<std::string> expected;
  std::ifstream in(script);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("#> ", 0) == 0) expected.push_back(line.substr(3));

  std::string command = "cd '" + folder.string() + "' && SDL_AUDIODRIVER=dummy '" + TUMBRA_REPLAY_BINARY +
                        "' '" + script.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  int status = pclose(pipe);
  std::filesystem::remove_all(folder);

  std::vector<std::string> got = Lines(output);
  for (size_t i = 0; i < std::max(got.size(), expected.size()); ++i) {
    ASSERT_LT(i, got.size()) << "output ended early; next expected: " << expected[i];
    ASSERT_LT(i, expected.size()) << "unexpected output line " << i + 1 << ": " << got[i];
    if (expected[i].rfind("state ", 0) == 0)
      ASSERT_EQ(StateMismatch(expected[i].substr(6), got[i]), "") << "output line " << i + 1;
    else
      ASSERT_EQ(got[i], expected[i]) << "output line " << i + 1;
  }
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

INSTANTIATE_TEST_SUITE_P(Scripts, ReplayScenario, ::testing::ValuesIn(ScriptNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
