// The headless backend with what tests read back: immediate repaints and change counts per
// control, and a script of folder-chooser answers (cancelled once it runs out) with the calls
// it answered. Apart from that it behaves as HeadlessBackend.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/headless/headless_backend.h"

namespace toolkit {

class RecordingHeadlessBackend : public HeadlessBackend {
public:
    using HeadlessBackend::HeadlessBackend;

    void repaintNow(Control& control) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override;

    void answerFolderChooser(std::optional<std::string> answer) { folderAnswers_.push_back(std::move(answer)); }
    int immediateRepaints(const std::string& name) const;
    int changeCount(const std::string& name) const;
    const std::vector<std::pair<std::string, std::string>>& folderChooserCalls() const { return chooserCalls_; }

protected:
    void controlChanged(Control& control) override;

private:
    std::map<std::string, int> repaints_;
    std::map<std::string, int> changes_;
    std::deque<std::optional<std::string>> folderAnswers_;
    std::vector<std::pair<std::string, std::string>> chooserCalls_;
};

}  // namespace toolkit
