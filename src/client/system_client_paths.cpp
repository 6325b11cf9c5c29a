#include "client/system_client_paths.h"

#include <oleacc.h>

#include "access/acc_element.h"

namespace client {

const ClientPaths& systemClientPaths() {
    static const ClientPaths paths = clientPathsFor(systemRoleText(ROLE_SYSTEM_CLIENT), systemStateText(0));
    return paths;
}

}  // namespace client
