#pragma once
// One QApplication for the whole test program, on the offscreen platform and
// with a settings folder of its own, so tests never touch the user's settings.

#include <QString>

namespace zeb40::test {

// The folder that stands in for ~/.config during the tests.
QString TestConfigHome();

} // namespace zeb40::test
