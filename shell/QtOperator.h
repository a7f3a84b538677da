#pragma once
// The operator interface for the Qt windows: message boxes, the file dialog,
// the wait cursor, the progress window and the notice.
//
// Its windows are not children of the owner but stay on top of it: the owner
// may be disabled during long work (the flash update) and Qt would disable its
// child windows with it.

#include "operator/Operator.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QMessageBox;
class QProgressBar;

namespace zeb40 {

class QtOperator : public Operator {
  public:
    explicit QtOperator(QWidget* owner = nullptr);
    ~QtOperator() override;
    // The window the message boxes and dialogs belong to.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void ShowMessageWithDetail(const std::string& text, const std::string& caption,
                               MessageIcon icon, const std::string& detail) override;
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
               MessageIcon icon, Answer defaultAnswer) override;
    std::optional<ChosenFile> ChooseFile(const FileChoice& choice) override;
    void BeginWait() override;
    void EndWait() override;
    bool ShowProgress(const std::string& caption, int minimum, int maximum) override;
    void SetProgress(int position) override;
    void CloseProgress() override;
    bool ShowNotice(const std::string& caption) override;
    void CloseNotice() override;
    void PumpMessages() override;

    // For tests: the open progress window and notice, or null.
    QWidget* ProgressWindow() const { return progress_.get(); }
    QWidget* NoticeWindow() const { return notice_.get(); }

  private:
    void PlaceOverOwner(QWidget& window) const;
    // Runs a message box over the owner with the arrow cursor; its exec() result.
    int Present(QMessageBox& box);

    QPointer<QWidget> owner_;
    int waitDepth_ = 0;
    std::unique_ptr<QWidget> progress_;
    QProgressBar* bar_ = nullptr;
    std::unique_ptr<QWidget> notice_;
};

} // namespace zeb40
