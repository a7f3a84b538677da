// One QApplication for a whole test program with windows: on the offscreen
// platform, with ~/.config pointing into a folder of its own, so that no test
// reads the user's port or Auto Apply setting or writes over them.

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
        qputenv("XDG_CONFIG_HOME", configHome_.path().toLocal8Bit());
        app_ = std::make_unique<QApplication>(argc_, argv_);
        QApplication::setOrganizationName("VELOR");
        QApplication::setApplicationName("zeb40-test");
    }
    void TearDown() override { app_.reset(); }

  private:
    QTemporaryDir configHome_;
    int argc_ = 1;
    char name_[16] = "zeb40-test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);

} // namespace
} // namespace zeb40::test
