#include "FuzzCheck.h"

#include <sys/stat.h>
#include <unistd.h>

namespace fuzz {

std::string ScratchDir() {
    // Never destroyed: the clean-up at exit still needs it.
    static const std::string *const dir = [] {
        auto *path = new std::string("/dev/shm/ventrose-fuzz-" + std::to_string(::getpid()));
        if (::mkdir(path->c_str(), 0700) != 0) {
            *path = "/tmp/ventrose-fuzz-" + std::to_string(::getpid());
            ::mkdir(path->c_str(), 0700);
        }
        std::atexit([] { std::system(("rm -rf '" + ScratchDir() + "'").c_str()); });
        return path;
    }();
    return *dir;
}

} // namespace fuzz
