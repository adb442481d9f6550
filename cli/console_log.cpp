#include "cli/console_log.h"

#include "cli/terminal_text.h"

namespace cli {

void ConsoleLog::info(std::int32_t lvl, std::string_view txt) {
    if (!session::passes(lvl, level_)) return;
    if (progress_) progress_->clear();
    if (form_ == Form::Tagged) {
        std::fprintf(stream_, "[%d] %s\n", static_cast<int>(lvl), escapedForTerminal(txt).c_str());
        return;
    }
    std::fwrite(txt.data(), 1, txt.size(), stream_);
    std::fputc('\n', stream_);
}

}  // namespace cli
