#include "theme_tune.h"

#include <array>

#include "instruments.h"

namespace {

constexpr double Tempo = 126;  // beats a minute
constexpr double Beat = 60.0 / Tempo;
constexpr double Swing = 2.0 / 3.0;  // the off-beat eighth falls two thirds into the beat
constexpr int IntroBars = 2;
constexpr int ChorusBars = 12;
constexpr int Choruses = 2;
constexpr int EndingBar = IntroBars + ChorusBars * Choruses;
constexpr double TailSeconds = 3.0;

enum Chord { A, D, E };

// The twelve-bar form, with a turnaround to E in the last bar.
constexpr std::array<Chord, ChorusBars> Changes = {A, A, A, A, D, D, A, A, E, D, A, E};

int Root(Chord chord) { return chord == A ? 45 : chord == D ? 50 : 40; }  // A2, D3, E2
int Shift(Chord chord) { return chord == A ? 0 : chord == D ? 5 : 7; }  // from A

const std::vector<int>& Voicing(Chord chord) {
  static const std::vector<int> a = {61, 64, 67, 69};  // C#4 E4 G4 A4
  static const std::vector<int> d = {60, 62, 66, 69};  // C4 D4 F#4 A4
  static const std::vector<int> e = {59, 62, 64, 68};  // B3 D4 E4 G#4
  return chord == A ? a : chord == D ? d : e;
}

struct Note {
  double beat;    // from the start of its phrase
  double length;  // in beats
  int pitch;
};

using Phrase = std::vector<Note>;

Phrase Transposed(const Phrase& phrase, int by) {
  Phrase out = phrase;
  for (Note& n : out) n.pitch += by;
  return out;
}

// The call: a run up to the octave and back down to the third.
const Phrase Call = {{0, Swing, 76}, {Swing, 1 - Swing, 79}, {1, Swing, 81}, {1 + Swing, 1 - Swing, 79},
                     {2, Swing, 76}, {2 + Swing, 1 - Swing, 74}, {3, 1, 73}};
// The answer, in the second bar: a pickup from the root climbing to the fifth.
const Phrase Answer = {{Swing, 1 - Swing, 69}, {1, Swing, 72}, {1 + Swing, 1 - Swing, 73}, {2, 1.6, 76}};
const Phrase HangingAnswer = {{Swing, 1 - Swing, 81}, {1, Swing, 79}, {1 + Swing, 1 - Swing, 76}, {2, 1.6, 74}};
const Phrase Turnaround = {{0, Swing, 81},     {Swing, 1 - Swing, 79}, {1, Swing, 76},
                           {1 + Swing, 1 - Swing, 73}, {2, Swing, 72}, {2 + Swing, 1 - Swing, 69},
                           {3, 1, 67},         {4 + Swing, 1 - Swing, 68}, {5, 2.4, 71}};
const Phrase Home = {{0, Swing, 81}, {Swing, 1 - Swing, 79}, {1, Swing, 76}, {1 + Swing, 1 - Swing, 73},
                     {2, 2.5, 69}};

// The melody of one chorus, by bar.
std::vector<std::pair<int, Phrase>> Melody(bool last) {
  std::vector<std::pair<int, Phrase>> m = {
      {0, Call},          {1, Answer},       {2, Call},          {3, HangingAnswer},
      {4, Transposed(Call, Shift(D))}, {5, Transposed(Answer, Shift(D))},
      {6, Call},          {7, Answer},       {8, Transposed(Call, Shift(E))},
      {9, Transposed(Call, Shift(D))}};
  m.emplace_back(10, last ? Home : Turnaround);
  return m;
}

struct Band {
  Signal kick = KickDrum(), snare = SnareDrum(), hat = HiHat(false), openHat = HiHat(true),
         cymbal = Cymbal();
};

std::size_t Sample(double seconds) { return static_cast<std::size_t>(seconds * MusicRate); }

double BarStart(int bar) { return bar * 4 * Beat; }

void PlayDrums(Signal& mix, const Band& band, int bar, bool busy) {
  const double start = BarStart(bar);
  for (int beat = 0; beat < 4; ++beat) {
    const double on = start + beat * Beat;
    if (beat % 2 == 0) MixIn(mix, Sample(on), band.kick, 0.85);
    if (beat % 2 == 1) MixIn(mix, Sample(on), band.snare, 0.42);
    MixIn(mix, Sample(on), band.hat, 0.22);
    const bool open = busy && beat == 3;
    MixIn(mix, Sample(on + Swing * Beat), open ? band.openHat : band.hat, open ? 0.16 : 0.13);
  }
  if (busy) MixIn(mix, Sample(start + (2 + Swing) * Beat), band.kick, 0.5);
}

// A walking boogie line: root, third, fifth, sixth, flat seventh and back down.
void PlayBass(Signal& mix, Chord chord, int bar) {
  static const int steps[8] = {0, 4, 7, 9, 10, 9, 7, 4};
  for (int i = 0; i < 8; ++i) {
    const double at = BarStart(bar) + (i / 2 + (i % 2 ? Swing : 0)) * Beat;
    const double length = (i % 2 ? 1 - Swing : Swing) * Beat * 0.92;
    MixIn(mix, Sample(at), BassNote(Root(chord) + steps[i], length), 0.5);
  }
}

void PlayPiano(Signal& mix, Chord chord, int bar) {
  const struct {
    double beat, length;
  } stabs[] = {{0, 0.5}, {1 + Swing, 0.3}, {2 + Swing, 0.9}};
  for (const auto& stab : stabs)
    MixIn(mix, Sample(BarStart(bar) + stab.beat * Beat), PianoChord(Voicing(chord), stab.length * Beat),
          0.085);
}

void PlayPhrase(Signal& mix, int bar, const Phrase& phrase, bool doubled) {
  for (const Note& n : phrase) {
    const std::size_t at = Sample(BarStart(bar) + n.beat * Beat);
    MixIn(mix, at, LeadNote(n.pitch, n.length * Beat), 0.26);
    if (doubled) MixIn(mix, at, OrganNote(n.pitch - 12, n.length * Beat), 0.1);
  }
}

void PlayEnding(Signal& mix, const Band& band) {
  const std::size_t at = Sample(BarStart(EndingBar));
  MixIn(mix, at, band.cymbal, 0.35);
  MixIn(mix, at, band.kick, 0.9);
  MixIn(mix, at, BassNote(33, TailSeconds), 0.6);  // A1
  MixIn(mix, at, PianoChord({57, 61, 64, 67, 71}, TailSeconds), 0.09);  // A9
  MixIn(mix, at, LeadNote(81, TailSeconds * 0.8), 0.2);
}

}  // namespace

Signal ThemeTune() {
  Signal mix(Sample(BarStart(EndingBar) + TailSeconds), 0.0f);
  const Band band;
  for (int bar = 0; bar < IntroBars; ++bar) {
    PlayDrums(mix, band, bar, false);
    PlayBass(mix, A, bar);
  }
  for (int chorus = 0; chorus < Choruses; ++chorus) {
    const int first = IntroBars + chorus * ChorusBars;
    MixIn(mix, Sample(BarStart(first)), band.cymbal, 0.22);
    for (int i = 0; i < ChorusBars; ++i) {
      const Chord chord = (chorus == Choruses - 1 && i == ChorusBars - 1) ? A : Changes[i];
      PlayDrums(mix, band, first + i, chorus > 0);
      PlayBass(mix, chord, first + i);
      PlayPiano(mix, chord, first + i);
    }
    for (const auto& [bar, phrase] : Melody(chorus == Choruses - 1))
      PlayPhrase(mix, first + bar, phrase, chorus > 0);
  }
  PlayEnding(mix, band);
  Normalise(mix, 0.89);
  FadeOut(mix, Sample(1.5));
  return mix;
}
