#pragma once
// The File menu's commands on the configuration: New, Open, Save, Save As,
// Exit and the save question before a named, modified file is given up.

#include "files/ConfigFile.h"

namespace zeb40 {

class FileCommands {
  public:
    FileCommands(ConfigDocument& document, ConfigState& config, Operator& op);

    bool PromptSaveChanges();
    void New();
    void Open();
    void Save();
    void SaveAs();
    // True when the program may end.
    bool Exit();

  private:
    ConfigDocument& document_;
    ConfigState& config_;
    Operator& op_;
};

} // namespace zeb40
