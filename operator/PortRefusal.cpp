#include "operator/PortRefusal.h"

#include "resources/Strings.h"

namespace zeb40 {

void ShowCantOpenPort(Operator& op, const UnitLink& link) {
    op.ShowMessageWithDetail(strings::CantOpenPort, strings::ErrorCaption, MessageIcon::Exclamation,
                             link.OpenFailureDetail());
}

} // namespace zeb40
