#include "cli/progress_line.h"

#include "platform/terminal.h"

namespace cli {

namespace {

constexpr std::chrono::milliseconds kRedrawInterval{100};

std::size_t characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace

ProgressLine::ProgressLine(std::FILE* stream, bool shown, Clock clock)
    : stream_(stream), shown_(shown), clock_(std::move(clock)) {}

ProgressLine ProgressLine::onStandardError() { return ProgressLine(stderr, platform::standardErrorIsTerminal()); }

ProgressLine::~ProgressLine() { clear(); }

void ProgressLine::percent(std::string_view what, std::uint64_t done, std::uint64_t total) {
    if (!shown_) return;
    const std::uint64_t share = total == 0 ? 0 : done >= total ? 100 : done * 100 / total;
    const bool newStage = what != stage_;
    stage_ = what;
    draw(std::string(what) + ": " + std::to_string(share) + "%", newStage);
}

void ProgressLine::show(const std::string& text) { draw(text, false); }

void ProgressLine::draw(const std::string& text, bool atOnce) {
    if (!shown_ || text == drawn_) return;
    const auto now = clock_();
    // An empty line (the first draw, or after a clear) is drawn at once; a shown one waits.
    if (!atOnce && drawnWidth_ != 0 && lastDraw_ && now - *lastDraw_ < kRedrawInterval) return;
    const std::size_t width = characters(text);
    std::string line = "\r" + text;
    // Blanks over the rest of a longer line drawn before, then back to the end of this one.
    if (width < drawnWidth_) line += std::string(drawnWidth_ - width, ' ') + "\r" + text;
    std::fwrite(line.data(), 1, line.size(), stream_);
    std::fflush(stream_);
    drawn_ = text;
    drawnWidth_ = width;
    lastDraw_ = now;
}

void ProgressLine::clear() {
    if (!shown_ || drawnWidth_ == 0) return;
    const std::string blank = "\r" + std::string(drawnWidth_, ' ') + "\r";
    std::fwrite(blank.data(), 1, blank.size(), stream_);
    std::fflush(stream_);
    drawn_.clear();
    drawnWidth_ = 0;
}

}  // namespace cli
