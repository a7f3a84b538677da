#pragma once
// The operator of a benchmark: nobody to ask, so an exchange shows nothing
// but the wait cursor and every question takes its default answer.

#include "operator/Operator.h"

#include <optional>
#include <string>

namespace zeb40::bench {

class SilentOperator final : public Operator {
  public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    Answer Ask(const std::string&, const std::string&, Buttons, MessageIcon,
               Answer answer) override {
        return answer;
    }
    std::optional<ChosenFile> ChooseFile(const FileChoice&) override { return {}; }
    void BeginWait() override {}
    void EndWait() override {}
    bool ShowProgress(const std::string&, int, int) override { return false; }
    void SetProgress(int) override {}
    void CloseProgress() override {}
    bool ShowNotice(const std::string&) override { return false; }
    void CloseNotice() override {}
    void PumpMessages() override {}
};

} // namespace zeb40::bench
