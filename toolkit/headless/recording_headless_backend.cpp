#include "toolkit/headless/recording_headless_backend.h"

#include "toolkit/control.h"

namespace toolkit {

void RecordingHeadlessBackend::repaintNow(Control& control) { ++repaints_[control.name()]; }

std::optional<std::string> RecordingHeadlessBackend::chooseFolder(const std::string& title,
                                                                  const std::string& startFolder) {
    chooserCalls_.emplace_back(title, startFolder);
    if (folderAnswers_.empty()) return std::nullopt;
    auto answer = std::move(folderAnswers_.front());
    folderAnswers_.pop_front();
    return answer;
}

int RecordingHeadlessBackend::immediateRepaints(const std::string& name) const {
    auto it = repaints_.find(name);
    return it == repaints_.end() ? 0 : it->second;
}

int RecordingHeadlessBackend::changeCount(const std::string& name) const {
    auto it = changes_.find(name);
    return it == changes_.end() ? 0 : it->second;
}

void RecordingHeadlessBackend::controlChanged(Control& control) { ++changes_[control.name()]; }

}  // namespace toolkit
