#include "operator/PortRefusal.h"

#include "link/PortAccess.h"
#include "resources/Strings.h"

namespace zeb40 {

void ShowCantOpenPort(Operator& op, const SerialPort& port) {
    op.ShowMessageWithDetail(strings::CantOpenPort, strings::ErrorCaption, MessageIcon::Exclamation,
                             OpenFailureDetail(port));
}

} // namespace zeb40
