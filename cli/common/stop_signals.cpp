#include "cli/common/stop_signals.h"

#include <signal.h>

namespace orbex {

void InstallStopSignals(void (*onStop)(int)) {
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

}  // namespace orbex
