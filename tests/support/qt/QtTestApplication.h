#pragma once
// One QApplication for a whole test program with windows: on the offscreen
// platform, with ~/.config pointing into a folder of its own, so that no test
// reads the user's port or Auto Apply setting or writes over them.

#include <QString>

namespace zeb40::test {

// The folder that stands in for ~/.config during the tests.
QString TestConfigHome();

} // namespace zeb40::test
