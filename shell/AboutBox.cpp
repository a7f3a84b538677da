#include "shell/AboutBox.h"

#include "resources/Strings.h"
#include "shell/shared/LogoPicture.h"
#include "shell/shared/ProgramIcon.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace zeb40 {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About ZEB40"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* version = new QLabel(QString::fromLatin1(strings::VersionLine), this);
    auto* notice = new QLabel(QString::fromLatin1(MakersNotice), this);
    auto* logo = new LogoPicture(LogoPicture::WideLogo(), this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setFixedSize(logo->sizeHint());
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(14);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(notice, 1, 1);
    layout->addWidget(logo, 2, 1, Qt::AlignLeft | Qt::AlignBottom);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zeb40
