#pragma once
// The operator as the core sees it: messages, questions, file choice, the wait
// cursor, progress and message pumping. The Qt windows implement it; tests and
// the command-line tool script it. Core code never talks to a window directly.

#include <optional>
#include <string>
#include <vector>

namespace zeb40 {

enum class MessageIcon { Exclamation, Warning, Information, Question };
enum class Buttons { Ok, OkCancel, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileFilter {
    std::string description; // "ZEB40 Config Files (*.zeb)"
    std::string pattern;     // "*.zeb"
};

struct FileChoice {
    bool save = false;
    std::string defaultExtension;    // without the dot
    std::vector<FileFilter> filters; // first entry is selected
    bool askBeforeOverwrite = false; // save only
    std::string currentFile;         // the file the command works on, "" when none
};

struct ChosenFile {
    std::string path;  // full path
    std::string title; // name without folder and without the part from its last "."
};

class Operator {
  public:
    virtual ~Operator() = default;

    // Modal message with one OK button; returns when the operator closed it.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // The same message with the system's reason shown beneath it, so the
    // message itself stays as the operator knows it.
    virtual void ShowMessageWithDetail(const std::string& text, const std::string& caption,
                                       MessageIcon icon, const std::string& /*detail*/) {
        ShowMessage(text, caption, icon);
    }
    virtual Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
                       MessageIcon icon, Answer defaultAnswer) = 0;
    // Empty when the operator cancelled.
    virtual std::optional<ChosenFile> ChooseFile(const FileChoice& choice) = 0;

    // Wait cursor; calls nest.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;

    // A modeless progress window with one bar; ShowProgress returns false when
    // it cannot be created.
    virtual bool ShowProgress(const std::string& caption, int minimum, int maximum) = 0;
    virtual void SetProgress(int position) = 0;
    virtual void CloseProgress() = 0;

    // A modeless notice without controls ("Saving User Profile..."); false when
    // it cannot be shown.
    virtual bool ShowNotice(const std::string& caption) = 0;
    virtual void CloseNotice() = 0;

    // Lets the windows repaint during long work on the one thread.
    virtual void PumpMessages() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
  public:
    explicit WaitCursor(Operator& op) : op_(op) { op_.BeginWait(); }
    ~WaitCursor() { op_.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    Operator& op_;
};

} // namespace zeb40
