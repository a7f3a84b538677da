#pragma once
// A test with an emulated unit on a real pseudo-terminal and the program's
// link opened on it.

#include "link/UnitLink.h"
#include "sim/Emulator.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zeb40::test {

class EmulatorFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the link on the emulator's terminal (closing it first).
    bool OpenLink();
    // The commands the unit received, as their text ("P3E", "CA", "O").
    std::vector<std::string> ReceivedTexts();

    sim::Emulator unit;
    UnitLink link;
};

// A scratch folder that is removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

} // namespace zeb40::test
