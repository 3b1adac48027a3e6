#pragma once
#include <streambuf>

// Standard input for a script typed or piped in. A quit signal that comes while the
// driver waits for the next line ends the script there, and the script's end closes
// the window; the signal itself stays to be taken by the game.
class ScriptInput : public std::streambuf {
 protected:
  int_type underflow() override;

 private:
  char buffer_[4096];
};
