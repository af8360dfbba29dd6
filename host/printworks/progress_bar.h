// The progress bar a report draws on standard error while it prints, when
// standard error is a terminal. Redraws are throttled so that a report of a
// million lines spends next to nothing on it.
#pragma once

#include <chrono>
#include <cstdio>

namespace printworks {

class TnProgressBar {
 public:
  // Draws on `out` only when `enabled` (the host passes isatty(2)).
  TnProgressBar(std::FILE* out, bool enabled);
  ~TnProgressBar();

  void Show(int current, int total);
  // Erases the bar if one is drawn.
  void Finish();

  static bool StderrIsTerminal();

 private:
  void Draw(int current, int total);

  std::FILE* out_;
  bool enabled_;
  bool drawn_ = false;  // a line is on screen and not yet ended
  unsigned calls_ = 0;
  std::chrono::steady_clock::time_point last_draw_{};
};

}  // namespace printworks
