#include "link/net/RawTcpTransport.h"

#include "link/net/SessionTimes.h"

namespace zeb40 {

bool RawTcpTransport::StartSession() {
    // A server that cannot give the port says so in text and closes the
    // connection at once; bytes the unit sent earlier are not for us.
    if (!DiscardUntilQuiet(session_times::Quiet + RoundTrip(),
                           Clock::now() + session_times::QuietLimit)) {
        FailOpen("the server closed the connection");
        return false;
    }
    return true;
}

} // namespace zeb40
