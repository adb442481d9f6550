// Trimming and trailing-separator rules for host folder values.
#include "host/host_folder_text.h"

#include "platform/paths.h"

namespace host {

namespace {

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

}  // namespace

std::string trimBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlankOrControl(text[begin])) ++begin;
    while (end > begin && isBlankOrControl(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

std::string folderProposal(std::string_view path) {
    std::string folder = trimBlanks(path);
    while (!folder.empty() && folder.back() == platform::kSeparator) folder.pop_back();
    folder += platform::kSeparator;
    return folder;
}

}  // namespace host
