#include "link/posix/PortAccess.h"

#include "tests/support/EmulatorFixture.h"

#include <cerrno>
#include <grp.h>
#include <sys/stat.h>

namespace zeb40 {
namespace {

TEST(PortAccess, PermissionDeniedNamesTheGroupAndHowToJoinIt) {
    test::TempDir dir;
    std::string device = dir.File("ttyFAKE0");
    FILE* file = std::fopen(device.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    struct stat info {};
    ASSERT_EQ(stat(device.c_str(), &info), 0);
    const group* owner = getgrgid(info.st_gid);
    ASSERT_NE(owner, nullptr);

    std::string detail = PortOpenFailureDetail(device, EACCES);
    EXPECT_NE(detail.find("Permission denied"), std::string::npos) << detail;
    if (std::string(owner->gr_name) != "root") {
        EXPECT_NE(detail.find("sudo usermod -aG " + std::string(owner->gr_name)), std::string::npos)
            << detail;
    }
}

TEST(PortAccess, OtherReasonsAreTheSystemsWords) {
    std::string detail = PortOpenFailureDetail("/dev/ttyUSB9", ENOENT);
    EXPECT_EQ(detail, "/dev/ttyUSB9: No such file or directory.");
    EXPECT_EQ(PortOpenFailureReason("/dev/ttyUSB9", ENOENT), "No such file or directory.");
    EXPECT_NE(PortOpenFailureDetail("/dev/ttyUSB9", EBUSY).find("Another program"),
              std::string::npos);
}

} // namespace
} // namespace zeb40
