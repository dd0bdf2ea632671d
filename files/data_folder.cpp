#include "files/data_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

std::string dataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') { // a relative one is to be left alone, as the base directories have it
        return std::string(data) + "/gorvath";
    }
    const char* home = std::getenv("HOME");
    const passwd* user = home && home[0] ? nullptr : getpwuid(getuid());
    return std::string(home && home[0] ? home : user ? user->pw_dir : "") + "/.local/share/gorvath";
}
