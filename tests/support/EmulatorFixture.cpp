#include "tests/support/EmulatorFixture.h"

#include <cstdlib>
#include <filesystem>

namespace zeb40::test {

void EmulatorFixture::SetUp() {
    ASSERT_TRUE(unit.Start()) << "no pseudo-terminal";
}

void EmulatorFixture::TearDown() {
    link.CloseIfOpen();
    unit.Stop();
}

bool EmulatorFixture::OpenLink() {
    link.CloseIfOpen();
    return link.OpenByName(unit.DevicePath());
}

std::vector<std::string> EmulatorFixture::ReceivedTexts() {
    std::vector<std::string> texts;
    for (const auto& command : unit.Received())
        texts.push_back(command.text);
    return texts;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zeb40-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (made)
        path_ = made;
}

TempDir::~TempDir() {
    if (path_.empty())
        return;
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace zeb40::test
