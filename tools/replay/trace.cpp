#include "trace.h"

#include <cstdio>
#include <mutex>

#include "audio/audio_observer.h"
#include "base/utf8.h"
#include "platform/headless/headless_platform.h"

namespace {

std::mutex OutputLock;

class AudioLines : public AudioObserver {
 public:
  void EffectPlayed(const char* name) override { TraceLine(std::string("sound ") + name); }
  void MusicStarted(const std::string& path) override { TraceLine("music play " + JsonString(path)); }
  void MusicStopped() override { TraceLine("music stop"); }
};

AudioLines AudioTraceLines;

}  // namespace

void TraceLine(const std::string& line) {
  std::lock_guard<std::mutex> hold(OutputLock);
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  const auto codePoint = [&](unsigned char c) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
    out += escaped;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      // A byte that is no part of a whole character is written as the code point of
      // the same number, so that the line stays JSON and the byte can still be told.
      const size_t length = Utf8CharacterLength(text, i);
      if (length == 0) codePoint(c);
      else out.append(text, i, length);
      i += length ? length - 1 : 0;
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) codePoint(c);
        else out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void InstallTrace() {
  auto* platform = static_cast<HeadlessPlatform*>(MainWindow);
  platform->onMessageBox = [](const HeadlessPlatform::Box& box) {
    TraceLine("message " + JsonString(box.caption) + " " + JsonString(box.text));
  };
  platform->onDialog = [](const char* name) { TraceLine(std::string("dialog ") + name); };
  platform->onQuestion = [](const HeadlessPlatform::Box& box) {
    TraceLine("question " + JsonString(box.caption) + " " + JsonString(box.text));
  };
  platform->onDialogText = [](const std::string& text) { TraceLine("text " + JsonString(text)); };
  AudioTrace = &AudioTraceLines;
}
