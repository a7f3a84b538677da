// One QApplication for the whole fault suite: windows on the offscreen
// platform, settings in a folder of their own so the user's are never touched.

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace zeb40::test {
namespace {

class QtTestApplication : public ::testing::Environment {
  public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", settingsHome_.path().toLocal8Bit());
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setOrganizationName("VELOR");
        QApplication::setApplicationName("zeb40-faults");
    }
    void TearDown() override { app_.reset(); }

  private:
    QTemporaryDir settingsHome_;
    int argc_ = 1;
    char name_[16] = "test_faults";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);

} // namespace
} // namespace zeb40::test
