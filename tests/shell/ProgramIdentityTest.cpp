// The window program's settings store, named after the program rather than
// after its file: the port it stores is the one zeb40ctl reads.

#include "resources/ProgramIdentity.h"

#include "link/discovery/StoredPort.h"
#include "shell/Application.h"

#include <QCoreApplication>
#include <QSettings>
#include <gtest/gtest.h>

namespace zeb40 {
namespace {

class ProgramIdentity : public ::testing::Test {
  protected:
    ~ProgramIdentity() override {
        QSettings().remove(identity::Port.key);
        QCoreApplication::setApplicationName(testName_);
    }

  private:
    QString testName_ = QCoreApplication::applicationName();
};

TEST_F(ProgramIdentity, ARenamedProgramStoresThePortWhereZeb40ctlReadsIt) {
    // What Qt makes of a copy of the program started as "zeb40-old".
    QCoreApplication::setApplicationName("zeb40-old");
    UseProgramIdentity();
    QSettings settings;
    settings.setValue(identity::Port.key, "ttyUSB7");
    settings.sync();
    EXPECT_TRUE(settings.fileName().endsWith(QString::fromStdString(identity::StoreFile())))
        << settings.fileName().toStdString();
    EXPECT_EQ(PortStoredByWindow(), "ttyUSB7");
}

} // namespace
} // namespace zeb40
