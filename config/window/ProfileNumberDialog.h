#pragma once
// A small modal dialog that asks for a profile number: a prompt, a labelled
// number field that starts at 0, OK and Cancel. OK closes it only when the
// field holds a number within the range.

#include "operator/Operator.h"

#include <QDialog>

class QLineEdit;

namespace zeb40 {

class ProfileNumberDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int Cancelled = -2;

    struct Texts {
        const char* caption;
        const char* prompt;
        const char* label;
        int maximum;
    };

    ProfileNumberDialog(const Texts& texts, Operator& op, QWidget* parent = nullptr);

    // Runs modally: the number entered, or Cancelled.
    int Run();
    QLineEdit* Field() const { return field_; }

    // OK: validates the field and closes with its number when it passes.
    void accept() override;

  private:
    Operator& op_;
    QLineEdit* field_;
    int maximum_;
    int number_ = 0;
};

} // namespace zeb40
