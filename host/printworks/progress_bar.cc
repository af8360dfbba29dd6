#include "host/printworks/progress_bar.h"

#include <unistd.h>

#include <algorithm>
#include <string>

namespace printworks {

namespace {
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;
}  // namespace

TnProgressBar::TnProgressBar(std::FILE* out, bool enabled) : out_(out), enabled_(enabled) {}

TnProgressBar::~TnProgressBar() { Finish(); }

bool TnProgressBar::StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void TnProgressBar::Show(int current, int total) {
  if (!enabled_) return;
  const bool last = total > 0 && current >= total;
  // Looking at the clock costs little, but not nothing: only every 64th call.
  if (!last && drawn_ && (++calls_ & 63u) != 0) return;
  auto now = std::chrono::steady_clock::now();
  if (!last && drawn_ && now - last_draw_ < kRedrawInterval) return;
  last_draw_ = now;
  Draw(current, total);
  if (last) Finish();
}

void TnProgressBar::Draw(int current, int total) {
  std::string line = "\r[";
  int filled = 0;
  int percent = 0;
  if (total > 0) {
    double ratio = std::clamp(static_cast<double>(current) / total, 0.0, 1.0);
    filled = static_cast<int>(ratio * kBarWidth);
    percent = static_cast<int>(ratio * 100);
  }
  line.append(filled, '#');
  line.append(kBarWidth - filled, ' ');
  line += "] " + std::to_string(percent) + "% (" + std::to_string(current) + "/" +
          std::to_string(total) + ")";
  std::fputs(line.c_str(), out_);
  std::fflush(out_);
  drawn_ = true;
}

void TnProgressBar::Finish() {
  if (!drawn_) return;
  std::fputs("\r\033[2K", out_);  // erase the bar: the report's output follows
  std::fflush(out_);
  drawn_ = false;
  calls_ = 0;
}

}  // namespace printworks
