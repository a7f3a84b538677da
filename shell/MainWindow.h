#pragma once
// The main window: port field, Connect box, the unit's information, the menus
// that lead to every feature, and the configuration file it has open.

#include "config/ConfigItemTable.h"
#include "files/ConfigFile.h"
#include "files/FileCommands.h"
#include "flash/PackageIndex.h"
#include "link/UnitLink.h"
#include "operator/Operator.h"

#include <QDialog>
#include <QSettings>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;

namespace zeb40 {

class HelpWindow;
class PortField;

class MainWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Command {
        New,
        Open,
        Save,
        SaveAs,
        FlashUpdate,
        Exit,
        Config,
        LoadProfile,
        HelpTopics,
        About,
    };

    MainWindow(UnitLink& link, ConfigState& config, Operator& op, QSettings& settings,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The Connect box's two actions, as a click runs them.
    void Connect();
    void Disconnect();
    // Reads the unit's settings unless a file is open; on failure shows
    // "Communication error" and clears the Connect box (the link stays open).
    bool ReadConfigFromUnit();
    // After a command: when the unit vanished, "Communication error" (unless
    // the command's window said it already) and the link shown as closed.
    void ShowLinkLost(bool alreadyReported);
    // Shows a help page in the help window; "Failed to launch help." if it
    // cannot be shown.
    void ShowHelp(const QString& page);

    void done(int result) override;
    // Escape and the close box: the save question as for File > Exit; refused
    // while a flash update runs.
    void reject() override;

    PortField& Port() const { return *portField_; }
    QCheckBox& ConnectBox() const { return *connectBox_; }
    QPushButton& ConfigButton() const { return *configButton_; }
    QPushButton& HelpButton() const { return *helpButton_; }
    QAction& MenuAction(Command command) const;
    QString VersionShown() const;
    QString ConfigShown() const;
    QString OptionsShown() const;
    const ConfigDocument& Document() const { return document_; }
    HelpWindow* Help() const { return help_.get(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void BuildMenus();
    void PutAcceleratorsFirst();
    void ShowUnitInfo(const QString& version, const QString& config, const QString& options);
    void UpdateMenus();
    void StorePortName();
    void RunFileCommand(void (FileCommands::*command)());
    void OpenConfigWindow();
    void LoadProfileCommand();
    void FlashUpdateCommand();
    void ExitCommand();
    void ShowAbout();

    UnitLink& link_;
    ConfigState& config_;
    Operator& op_;
    QSettings& settings_;
    ConfigDocument document_;
    FileCommands files_;
    PackageIndex packageIndex_;
    std::unique_ptr<HelpWindow> help_;

    PortField* portField_ = nullptr;
    QCheckBox* connectBox_ = nullptr;
    QPushButton* configButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QLabel* versionText_ = nullptr;
    QLabel* configText_ = nullptr;
    QLabel* optionsText_ = nullptr;
    std::vector<QAction*> actions_;
    bool flashRunning_ = false;
};

} // namespace zeb40
