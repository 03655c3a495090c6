#include "tests/update/test_servers_win32.h"

#include <sstream>

#include "tests/support/file_helpers_win32.h"
#include "tests/support/test_installation_win32.h"

std::map<std::string, int> TestServerPorts() {
    std::istringstream lines(ReadFileBytes(BuildTreeFolder(u"http-servers\\ports.env")));
    std::map<std::string, int> ports;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            ports[line.substr(0, equals)] = std::stoi(line.substr(equals + 1));
        }
    }
    return ports;
}
