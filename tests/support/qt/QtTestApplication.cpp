#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace zeb40::test {
namespace {

QTemporaryDir& ConfigHome() {
    static QTemporaryDir folder;
    return folder;
}

class QtTestApplication : public ::testing::Environment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", ConfigHome().path().toLocal8Bit());
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setOrganizationName("VELOR");
        QApplication::setApplicationName("zeb40-test");
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "zeb40-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);

} // namespace

QString TestConfigHome() {
    return ConfigHome().path();
}

} // namespace zeb40::test
