#include "resources/Strings.h"
#include "tests/shell/MainWindowFixture.h"

#include <QCheckBox>
#include <QPushButton>

namespace zeb40 {
namespace {

using Command = MainWindow::Command;
using sim::Fault;

class MainWindowConnectTest : public test::MainWindowFixture {
  protected:
    void ExpectOneError(const char* text) {
        ASSERT_EQ(op.messages.size(), 1u);
        EXPECT_EQ(op.messages[0].text, text);
        EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");
        EXPECT_EQ(op.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_FALSE(window->ConnectBox().isChecked());
    }
    void ExpectMenusForClosedLink() {
        EXPECT_FALSE(Enabled(Command::LoadProfile));
        EXPECT_TRUE(Enabled(Command::FlashUpdate));
    }
};

TEST_F(MainWindowConnectTest, StartsDisconnectedWithEmptyInfo) {
    EXPECT_EQ(window->windowTitle(), "VELOR ZEB40");
    EXPECT_FALSE(window->ConnectBox().isChecked());
    EXPECT_TRUE(window->VersionShown().isEmpty());
    ExpectMenusForClosedLink();
    EXPECT_TRUE(window->ConfigButton().isDefault());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(MainWindowConnectTest, ConnectShowsTheUnitAndReadsItsSettings) {
    {
        auto lock = unit.Lock();
        unit.State().items[12] = 3;
        unit.State().items[96] = 1;
    }
    ConnectToUnit();
    EXPECT_TRUE(op.messages.empty()) << op.Texts().front();
    EXPECT_TRUE(window->ConnectBox().isChecked());
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(window->VersionShown(), "3.46\t\tUnique ID:  0000002A");
    EXPECT_EQ(window->ConfigShown(), "006F407F / 006F407F");
    EXPECT_TRUE(window->OptionsShown().startsWith("Video Channel with BNC connectors\n"));
    EXPECT_TRUE(window->OptionsShown().endsWith("Function Keys\nLED Display\n"));
    EXPECT_EQ(config.table[12], 3);
    EXPECT_EQ(config.table[96], 1);
    EXPECT_FALSE(config.modified);

    std::vector<std::string> received = ReceivedTexts();
    ASSERT_EQ(received.size(), 5u + 45u);
    EXPECT_EQ(std::vector<std::string>(received.begin(), received.begin() + 6),
              (std::vector<std::string>{"\b", "e98", "e97", "e96", "e99", "cC"}));
    EXPECT_TRUE(Enabled(Command::LoadProfile));
    EXPECT_FALSE(Enabled(Command::FlashUpdate));
    EXPECT_EQ(op.waitDepth, 0);
}

TEST_F(MainWindowConnectTest, IdentifierAndOptionWordsAsTheUnitReportsThem) {
    unit.Configure("identifier", "FFFFFFFF");
    unit.Configure("option1", "00020001");
    unit.Configure("option2", "00020003");
    ConnectToUnit();
    EXPECT_EQ(window->VersionShown(), "3.46");
    EXPECT_EQ(window->ConfigShown(), "00020001 / 00020003");
    EXPECT_EQ(window->OptionsShown(), "Video Channel with Cinch connectors\n");
}

TEST_F(MainWindowConnectTest, EmptyPortNameOpensNothing) {
    ConnectTo("");
    ExpectOneError("Please select a port name");
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(ReceivedTexts().empty());
}

TEST_F(MainWindowConnectTest, MissingPortCannotBeOpened) {
    ConnectTo("/dev/zeb40-no-such-port");
    ExpectOneError("Can't open port");
    EXPECT_EQ(op.messages[0].detail, "/dev/zeb40-no-such-port: No such file or directory.");
    EXPECT_FALSE(link.IsOpen());
    ExpectMenusForClosedLink();
}

TEST_F(MainWindowConnectTest, SilentPortOrAnIdentifierThatIsNoNumberMeansNoUnit) {
    unit.AddFault(Fault::Of(Fault::Kind::Silent, '\b', 1));
    ConnectToUnit();
    ExpectOneError("Can't connect to ZEB40.  Please check cable and port name");
    EXPECT_FALSE(link.IsOpen());

    op.messages.clear();
    unit.AddFault(Fault::Refuse('e', "PR").OnValue(0x98));
    ConnectToUnit();
    ExpectOneError("Can't connect to ZEB40.  Please check cable and port name");
    EXPECT_FALSE(link.IsOpen());
    ExpectMenusForClosedLink();
}

TEST_F(MainWindowConnectTest, FailureAfterTheIdentifierLeavesThePortOpenAndTheMenus) {
    unit.AddFault(Fault::Refuse('e', "PR", 1).OnValue(0x96));
    ConnectToUnit();
    ExpectOneError("Communication error");
    EXPECT_TRUE(link.IsOpen());
    ExpectMenusForClosedLink();
    EXPECT_TRUE(window->VersionShown().isEmpty());

    // Checking the box again starts afresh on a newly opened port.
    op.messages.clear();
    unit.ClearReceived();
    window->ConnectBox().click();
    EXPECT_TRUE(op.messages.empty());
    EXPECT_TRUE(window->ConnectBox().isChecked());
    EXPECT_EQ(ReceivedTexts().front(), "\b");
}

TEST_F(MainWindowConnectTest, FailedReadOfTheSettingsClearsTheBoxButKeepsTheConnection) {
    unit.AddFault(Fault::Of(Fault::Kind::Silent, 'c').After(10));
    ConnectToUnit();
    ExpectOneError("Communication error");
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(window->VersionShown(), "3.46\t\tUnique ID:  0000002A");
    EXPECT_TRUE(Enabled(Command::LoadProfile));
    EXPECT_FALSE(Enabled(Command::FlashUpdate));
}

TEST_F(MainWindowConnectTest, DisconnectClosesTheLinkAndClearsTheInfo) {
    ConnectToUnit();
    ASSERT_TRUE(window->ConnectBox().isChecked());
    window->ConnectBox().click();
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(window->VersionShown().isEmpty());
    EXPECT_TRUE(window->ConfigShown().isEmpty());
    EXPECT_TRUE(window->OptionsShown().isEmpty());
    ExpectMenusForClosedLink();
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(MainWindowConnectTest, OpenConfigurationFileKeepsItsSettingsOnConnect) {
    test::TempDir folder;
    config.table[12] = 2;
    op.files.push_back(ChosenFile{folder.File("studio.zeb"), "studio"});
    window->MenuAction(Command::SaveAs).trigger();
    ASSERT_EQ(window->windowTitle(), "studio - VELOR ZEB40");
    {
        auto lock = unit.Lock();
        unit.State().items[12] = 5;
    }
    ConnectToUnit();
    EXPECT_TRUE(window->ConnectBox().isChecked());
    EXPECT_EQ(window->VersionShown(), "3.46\t\tUnique ID:  0000002A");
    EXPECT_EQ(config.table[12], 2);
    EXPECT_EQ(ReceivedTexts().size(), 5u);
}

TEST_F(MainWindowConnectTest, FlashUpdateWithoutPortNameClearsTheBoxAndEnablesTheWindow) {
    window->MenuAction(Command::FlashUpdate).trigger();
    ExpectOneError("Please select a port name");
    EXPECT_TRUE(window->isEnabled());
}

} // namespace
} // namespace zeb40
