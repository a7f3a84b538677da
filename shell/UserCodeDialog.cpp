#include "shell/UserCodeDialog.h"

#include "resources/Strings.h"
#include "services/UnitConnection.h"
#include "services/UserCode.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zeb40 {
namespace {

constexpr int HighestCode = 9999;

enum class Parsed { Number, NotANumber };

// An unsigned field as the dialog framework reads it: optional blanks around
// decimal digits, nothing else, and no more than 32 bits.
Parsed ParseUnsigned(const QString& text, unsigned long long& value) {
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return Parsed::NotANumber;
    value = 0;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Parsed::NotANumber;
        value = value * 10 + static_cast<unsigned>(c.unicode() - '0');
        if (value > 0xFFFFFFFFull)
            return Parsed::NotANumber;
    }
    return Parsed::Number;
}

} // namespace

UserCodeDialog::UserCodeDialog(UnitLink& link, std::string portName, Operator& op, QWidget* parent)
    : QDialog(parent), link_(link), portName_(std::move(portName)), op_(op),
      codeField_(new QLineEdit(QStringLiteral("0"), this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)),
      cancelButton_(new QPushButton(QStringLiteral("Abbrechen"), this)) {
    setWindowTitle(QString::fromLatin1(strings::AppCaption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* prompt = new QLabel(QStringLiteral("Please enter a four-digit usercode."), this);
    auto* label = new QLabel(QStringLiteral("Usercode:"), this);
    label->setBuddy(codeField_);
    codeField_->setObjectName(QStringLiteral("edit1077"));
    codeField_->setMaxLength(10);
    okButton_->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(prompt, 0, 0, 1, 2);
    layout->addWidget(label, 1, 0);
    layout->addWidget(codeField_, 1, 1);
    layout->addLayout(buttons, 0, 2, 3, 1);
    layout->setRowStretch(2, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(okButton_, &QPushButton::clicked, this, &UserCodeDialog::SendUserCode);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    codeField_->setFocus();
    codeField_->selectAll();
}

int UserCodeDialog::Run() {
    acceptedCode_ = Cancelled;
    return exec() == QDialog::Accepted ? acceptedCode_ : Cancelled;
}

void UserCodeDialog::SendUserCode() {
    int code = 0;
    if (!TakeCode(code) || !Deliver(code))
        return;
    acceptedCode_ = code;
    accept();
}

bool UserCodeDialog::TakeCode(int& code) {
    unsigned long long value = 0;
    if (ParseUnsigned(codeField_->text(), value) == Parsed::NotANumber) {
        Refuse("Please enter a positive integer.", strings::ErrorCaption);
    } else if (value > HighestCode) {
        Refuse("Please enter an integer between 0 and " + std::to_string(HighestCode) + ".",
               strings::ErrorCaption);
    } else {
        code = static_cast<int>(value);
        return true;
    }
    codeField_->setFocus();
    codeField_->selectAll();
    return false;
}

bool UserCodeDialog::Deliver(int code) {
    // A unit that does not answer, or does not take the code, gets the same message.
    const UnitAccess access = OpenUnit(link_, portName_, op_);
    if (access == UnitAccess::NoPortName || access == UnitAccess::CantOpen) {
        ShowAccessFailure(op_, link_, access);
        return false;
    }
    bool delivered = false;
    if (access == UnitAccess::Ready) {
        WaitCursor wait(op_);
        delivered = DeliverUserCode(link_, UserCodeWord(code)).Accepted();
    }
    link_.CloseIfOpen();
    if (!delivered)
        Refuse(strings::CantConnect, strings::ErrorCaption);
    return delivered;
}

void UserCodeDialog::Refuse(const std::string& message, const char* caption) {
    op_.ShowMessage(message, caption, MessageIcon::Exclamation);
}

} // namespace zeb40
