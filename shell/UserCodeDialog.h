#pragma once
// The user code window of the unattended mode: asks for a four-digit code and
// sends it to the unit on the port named on the command line, opening and
// closing the port on every attempt.

#include "link/UnitLink.h"
#include "operator/Operator.h"

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace zeb40 {

class UserCodeDialog : public QDialog {
    Q_OBJECT
  public:
    UserCodeDialog(UnitLink& link, std::string portName, Operator& op, QWidget* parent = nullptr);

    // Runs the window; the code the unit accepted (0 to 9999), or -2 when the
    // operator cancelled.
    int Run();
    // The OK button: validates the field and sends the code; the window ends
    // only when the unit accepted it.
    void SendUserCode();

    static constexpr int Cancelled = -2;

    QLineEdit& CodeField() const { return *codeField_; }
    QPushButton& OkButton() const { return *okButton_; }
    QPushButton& CancelButton() const { return *cancelButton_; }

  private:
    bool TakeCode(int& code);
    bool Deliver(int code);
    void Refuse(const std::string& message, const char* caption);

    UnitLink& link_;
    std::string portName_;
    Operator& op_;
    int acceptedCode_ = Cancelled;
    QLineEdit* codeField_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

} // namespace zeb40
