#include "tools/progress.h"

#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds kQuietStart{2000};
constexpr std::chrono::milliseconds kRedrawEvery{250};

}  // namespace

ProgressLine::ProgressLine(std::FILE* terminal, unsigned long totalFrames)
    : terminal_(::isatty(::fileno(terminal)) ? terminal : nullptr),
      total_(totalFrames),
      start_(Clock::now()),
      next_(start_ + kQuietStart) {}

ProgressLine::~ProgressLine() {
  if (drawn_) std::fputs("\r\033[K", terminal_);
}

void ProgressLine::Update(unsigned long frames) {
  if (terminal_ == nullptr) return;
  const Clock::time_point now = Clock::now();
  if (now < next_) return;
  next_ = now + kRedrawEvery;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  std::fprintf(terminal_, "\rframe %lu of %lu, %.0f fps\033[K", frames, total_, frames / seconds);
  std::fflush(terminal_);
  drawn_ = true;
}
