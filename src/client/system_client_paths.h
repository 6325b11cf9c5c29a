// The client paths for the system the panel runs on, built from its own texts for the client role and
// state 0 (client/client_paths.h).
#pragma once

#include "client/client_paths.h"

namespace client {

// Built on the first call, which the shell makes at start-up, and the same for the rest of the run.
const ClientPaths& systemClientPaths();

}  // namespace client
