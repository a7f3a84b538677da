#include "shell/MainWindow.h"

#include "config/ConfigEditor.h"
#include "config/window/ConfigDialog.h"
#include "config/window/LoadProfileDialog.h"
#include "flash/FlashUpdate.h"
#include "resources/ProgramIdentity.h"
#include "resources/Strings.h"
#include "services/UnitConnection.h"
#include "shell/AboutBox.h"
#include "shell/HelpWindow.h"
#include "shell/PortField.h"
#include "shell/shared/LogoPicture.h"
#include "shell/shared/ProgramIcon.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <utility>

namespace zeb40 {
namespace {

constexpr const char* PortSetting = identity::Port.key;
constexpr const char* MainWindowHelpPage = "main-window.html";
// Room for every line the option table can produce.
constexpr int OptionLines = 15;

QLabel* InfoText(QWidget* parent, int lines) {
    auto* text = new QLabel(parent);
    text->setTextFormat(Qt::PlainText);
    // The operator copies the unique identifier from here.
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setMinimumWidth(270);
    text->setFixedHeight(text->fontMetrics().lineSpacing() * lines + 2);
    return text;
}

} // namespace

MainWindow::MainWindow(UnitLink& link, ConfigState& config, Operator& op, QSettings& settings,
                       QWidget* parent)
    // A plain window, not a dialog: window managers give dialogs no minimise box.
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      link_(link), config_(config), op_(op), settings_(settings), files_(document_, config, op) {
    BuildControls();
    BuildMenus();
    PutAcceleratorsFirst();
    setWindowIcon(ProgramIcon());
    portField_->setEditText(settings_.value(PortSetting, QString()).toString());
    setWindowTitle(QString::fromLatin1(strings::AppCaption));
    UpdateMenus();
    layout()->activate();
}

MainWindow::~MainWindow() {
    // The port field loses the focus while the window is taken apart.
    disconnect(portField_, nullptr, this, nullptr);
}

void MainWindow::BuildControls() {
    auto* portLabel = new QLabel(QStringLiteral("&Port"), this);
    portField_ = new PortField(this);
    portField_->setMinimumWidth(200);
    portLabel->setBuddy(portField_);
    portField_->setAccessibleName(QStringLiteral("Port"));
    helpButton_ = new QPushButton(QStringLiteral("&Help"), this);
    helpButton_->setAutoDefault(false);
    connectBox_ = new QCheckBox(QStringLiteral("Co&nnect"), this);
    configButton_ = new QPushButton(QStringLiteral("&Config..."), this);
    configButton_->setDefault(true);

    auto* info = new QGroupBox(QStringLiteral(" Info "), this);
    versionText_ = InfoText(info, 1);
    configText_ = InfoText(info, 1);
    optionsText_ = InfoText(info, OptionLines);
    auto* infoLayout = new QGridLayout(info);
    int row = 0;
    for (auto [label, text] :
         {std::pair{"Version:", versionText_}, std::pair{"Config:", configText_},
          std::pair{"Options:", optionsText_}}) {
        auto* caption = new QLabel(QString::fromLatin1(label), info);
        caption->setBuddy(text);
        text->setAccessibleName(QString::fromLatin1(label).chopped(1));
        infoLayout->addWidget(caption, row, 0, Qt::AlignTop);
        infoLayout->addWidget(text, row, 1);
        ++row;
    }

    auto* logo = new LogoPicture(LogoPicture::TallLogo(), this);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setAccessibleName(QStringLiteral("VELOR logo"));
    logo->setFixedSize(logo->sizeHint());

    auto* layout = new QGridLayout(this);
    layout->addWidget(portLabel, 0, 0);
    layout->addWidget(portField_, 0, 1);
    layout->addWidget(helpButton_, 0, 2);
    layout->addWidget(connectBox_, 1, 1);
    layout->addWidget(configButton_, 1, 2);
    layout->addWidget(info, 2, 0, 1, 2);
    layout->addWidget(logo, 2, 2, Qt::AlignHCenter | Qt::AlignBottom);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(connectBox_, &QCheckBox::clicked, this,
            [this](bool checked) { checked ? Connect() : Disconnect(); });
    connect(portField_, &PortField::focusLost, this, &MainWindow::StorePortName);
    connect(configButton_, &QPushButton::clicked, this, &MainWindow::OpenConfigWindow);
    connect(helpButton_, &QPushButton::clicked, this,
            [this] { ShowHelp(QString::fromLatin1(MainWindowHelpPage)); });
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { ShowHelp(QString::fromLatin1(MainWindowHelpPage)); });
}

void MainWindow::BuildMenus() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    actions_.resize(static_cast<std::size_t>(Command::About) + 1);
    auto add = [this](QMenu* menu, Command command, const char* text, auto handler,
                      const QKeySequence& keys = {}) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        actions_[static_cast<std::size_t>(command)] = action;
    };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    add(file, Command::New, "&New", [this] { RunFileCommand(&FileCommands::New); });
    add(
        file, Command::Open, "&Open...", [this] { RunFileCommand(&FileCommands::Open); },
        QKeySequence(Qt::CTRL | Qt::Key_O));
    add(
        file, Command::Save, "&Save", [this] { RunFileCommand(&FileCommands::Save); },
        QKeySequence(Qt::CTRL | Qt::Key_S));
    add(file, Command::SaveAs, "Save &As...", [this] { RunFileCommand(&FileCommands::SaveAs); });
    file->addSeparator();
    add(file, Command::FlashUpdate, "Flash &Update...", [this] { FlashUpdateCommand(); });
    file->addSeparator();
    add(
        file, Command::Exit, "E&xit", [this] { ExitCommand(); },
        QKeySequence(Qt::CTRL | Qt::Key_E));

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    add(edit, Command::Config, "&Config...", [this] { OpenConfigWindow(); });
    add(edit, Command::LoadProfile, "&Load Profile...", [this] { LoadProfileCommand(); });

    // Alt+H belongs to the Help button.
    QMenu* help = bar->addMenu(QStringLiteral("He&lp"));
    add(help, Command::HelpTopics, "&Topics",
        [this] { ShowHelp(QString::fromLatin1(HelpWindow::ContentsPage)); });
    help->addSeparator();
    add(help, Command::About, "&About ZEB40...", [this] { ShowAbout(); });
}

void MainWindow::PutAcceleratorsFirst() {
    // Seen before any control of this window gets a key.
    QCoreApplication::instance()->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The menu's accelerators work whatever control has the focus; otherwise
    // the port field would keep Ctrl+E for moving to the end of its text.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : actions_) {
            if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

QAction& MainWindow::MenuAction(Command command) const {
    return *actions_.at(static_cast<std::size_t>(command));
}

QString MainWindow::VersionShown() const {
    return versionText_->text();
}

QString MainWindow::ConfigShown() const {
    return configText_->text();
}

QString MainWindow::OptionsShown() const {
    return optionsText_->text();
}

void MainWindow::Connect() {
    ConnectResult result = ConnectToUnit(link_, portField_->currentText().toStdString(), op_);
    if (result.outcome != ConnectOutcome::Connected) {
        connectBox_->setChecked(false);
        return;
    }
    ShowUnitInfo(QString::fromStdString(result.info.version),
                 QString::fromStdString(result.info.config),
                 QString::fromStdString(result.info.options));
    ReadConfigFromUnit();
    UpdateMenus();
}

void MainWindow::Disconnect() {
    link_.CloseIfOpen();
    ShowUnitInfo(QString(), QString(), QString());
    UpdateMenus();
}

bool MainWindow::ReadConfigFromUnit() {
    if (!link_.IsOpen() || !document_.path.empty())
        return true;
    bool read = false;
    {
        WaitCursor wait(op_);
        read = zeb40::ReadConfigFromUnit(link_, config_.table, document_.path, op_).IsOk();
    }
    if (!read) {
        op_.ShowMessage(strings::CommunicationError, strings::ErrorCaption,
                        MessageIcon::Exclamation);
        connectBox_->setChecked(false);
    }
    return read;
}

void MainWindow::ShowUnitInfo(const QString& version, const QString& config,
                              const QString& options) {
    versionText_->setText(version);
    configText_->setText(config);
    optionsText_->setText(options);
}

void MainWindow::UpdateMenus() {
    MenuAction(Command::LoadProfile).setEnabled(link_.IsOpen());
    MenuAction(Command::FlashUpdate).setEnabled(!link_.IsOpen());
}

void MainWindow::StorePortName() {
    settings_.setValue(PortSetting, portField_->currentText());
    settings_.sync();
}

void MainWindow::RunFileCommand(void (FileCommands::*command)()) {
    (files_.*command)();
    setWindowTitle(QString::fromStdString(document_.windowTitle));
}

void MainWindow::OpenConfigWindow() {
    ConfigDialog dialog(link_, config_, op_, settings_, this);
    connect(&dialog, &ConfigDialog::helpRequested, this, &MainWindow::ShowHelp);
    // Blocks only this window, so the help window stays usable meanwhile.
    dialog.setWindowModality(Qt::WindowModal);
    dialog.exec();
    ShowLinkLost(dialog.ReportedLostLink());
}

void MainWindow::LoadProfileCommand() {
    if (LoadProfile(link_, op_, this))
        ReadConfigFromUnit();
    ShowLinkLost(false);
}

void MainWindow::ShowLinkLost(bool alreadyReported) {
    // An unplugged unit: say so once and show the link as closed, rather than
    // keep Connect checked over a dead line.
    if (!link_.IsOpen() || !link_.Lost())
        return;
    if (!alreadyReported && connectBox_->isChecked())
        op_.ShowMessage(strings::CommunicationError, strings::ErrorCaption,
                        MessageIcon::Exclamation);
    connectBox_->setChecked(false);
    Disconnect();
}

void MainWindow::FlashUpdateCommand() {
    setEnabled(false);
    flashRunning_ = true;
    const FlashResult result =
        FlashUpdate(link_, portField_->currentText().toStdString(), packageIndex_, op_);
    flashRunning_ = false;
    setEnabled(true);
    if (ClearsConnectBox(result.outcome))
        connectBox_->setChecked(false);
}

void MainWindow::ExitCommand() {
    const bool mayEnd = files_.Exit();
    setWindowTitle(QString::fromStdString(document_.windowTitle));
    if (mayEnd)
        accept();
}

void MainWindow::reject() {
    // The update must end with the unit's new firmware started, and the
    // program ends with this window: it stays until the update is done.
    if (flashRunning_)
        return;
    const bool mayEnd = files_.Exit();
    setWindowTitle(QString::fromStdString(document_.windowTitle));
    if (mayEnd)
        QDialog::reject();
}

void MainWindow::ShowHelp(const QString& page) {
    if (!help_)
        help_ = std::make_unique<HelpWindow>();
    if (!help_->ShowPage(page))
        op_.ShowMessage(strings::FailedToLaunchHelp, strings::ApplicationName,
                        MessageIcon::Exclamation);
}

void MainWindow::ShowAbout() {
    AboutBox about(this);
    about.exec();
}

void MainWindow::done(int result) {
    // Closing the window takes the focus from the port field too.
    if (portField_->hasFocus())
        StorePortName();
    if (help_)
        help_->close();
    QDialog::done(result);
}

} // namespace zeb40
