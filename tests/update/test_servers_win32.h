#pragma once
// The ports of the web servers CTest started for the version check's tests
// (tests/update/http_servers.sh), read from the build tree.
#include <map>
#include <string>

#include "update/http_target.h"

// NAME -> port; empty when the servers were not started.
std::map<std::string, int> TestServerPorts();

// The version file on 127.0.0.1 at the given port.
inline HttpTarget VersionFileAt(int port) {
    return {"127.0.0.1", "/download/Camfolio.latest", port};
}
