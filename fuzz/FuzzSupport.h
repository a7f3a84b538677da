#pragma once
// What the fuzz targets share: an operator that answers nothing and a scratch
// file that holds the input for readers that take a path.

#include "operator/Operator.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace zeb40::fuzz {

class SilentOperator : public Operator {
  public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
    Answer Ask(const std::string&, const std::string&, Buttons, MessageIcon,
               Answer defaultAnswer) override {
        return defaultAnswer;
    }
    std::optional<ChosenFile> ChooseFile(const FileChoice&) override { return std::nullopt; }
    void BeginWait() override {}
    void EndWait() override {}
    bool ShowProgress(const std::string&, int, int) override { return true; }
    void SetProgress(int) override {}
    void CloseProgress() override {}
    bool ShowNotice(const std::string&) override { return true; }
    void CloseNotice() override {}
    void PumpMessages() override {}
};

// Command-line words from the input: NUL bytes separate them, as in argv.
inline std::vector<std::string> WordsFrom(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    return words;
}

// The input as a file on disk, for readers that open a path.
inline std::string WriteScratchFile(const char* name, const std::uint8_t* data, std::size_t size) {
    std::string path = "/tmp/zeb40-fuzz-" + std::to_string(getpid()) + "-" + name;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        if (size > 0)
            std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path;
}

} // namespace zeb40::fuzz
