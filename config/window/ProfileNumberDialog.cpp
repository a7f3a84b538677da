#include "config/window/ProfileNumberDialog.h"

#include "resources/Strings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <optional>

namespace zeb40 {
namespace {

const char* const NotPositive = "Please enter a positive integer.";
const char* const IntegerBetween = "Please enter an integer between %1 and %2.";

// Blanks around decimal digits; nothing else.
std::optional<qulonglong> ParseUnsigned(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (QChar c : trimmed) {
        if (!(c.isDigit() && c.unicode() < 128))
            return std::nullopt;
    }
    bool converted = false;
    const qulonglong value = trimmed.toULongLong(&converted);
    if (!converted)
        return std::nullopt;
    return value;
}

} // namespace

ProfileNumberDialog::ProfileNumberDialog(const Texts& texts, Operator& op, QWidget* parent)
    : QDialog(parent), op_(op), field_(new QLineEdit("0")), maximum_(texts.maximum) {
    setWindowTitle(texts.caption);
    field_->setObjectName("edit1074");
    auto* prompt = new QLabel(texts.prompt);
    prompt->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(texts.label, field_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addSpacing(6);
    layout->addLayout(form);
    layout->addWidget(buttons);
    field_->selectAll();
    setMinimumWidth(300);
}

int ProfileNumberDialog::Run() {
    return exec() == QDialog::Accepted ? number_ : Cancelled;
}

void ProfileNumberDialog::accept() {
    const auto value = ParseUnsigned(field_->text());
    std::string failure;
    if (!value)
        failure = NotPositive;
    else if (*value > static_cast<qulonglong>(maximum_))
        failure = QString(IntegerBetween).arg(0).arg(maximum_).toStdString();
    if (!failure.empty()) {
        op_.ShowMessage(failure, strings::ApplicationName, MessageIcon::Exclamation);
        field_->setFocus(Qt::OtherFocusReason);
        field_->selectAll();
        return;
    }
    number_ = static_cast<int>(*value);
    QDialog::accept();
}

} // namespace zeb40
