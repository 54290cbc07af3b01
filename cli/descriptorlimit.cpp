#include "descriptorlimit.h"

#include <algorithm>
#include <dirent.h>
#include <sys/resource.h>

namespace cli {
namespace {

// An image file, the sub-folder it goes in, a font file while it is opened.
constexpr rlim_t kPerThread = 3;
// The list being read and the descriptor the threads tell their ends on.
constexpr rlim_t kForTheRun = 2;

rlim_t descriptorsOpen() {
    DIR* listing = ::opendir("/proc/self/fd");
    if (!listing)
        return 16; // a guess, on the high side of what a run holds
    rlim_t open = 0;
    while (const dirent* entry = ::readdir(listing))
        open += entry->d_name[0] != '.';
    ::closedir(listing);
    return open - 1; // the listing's own
}

} // namespace

int JobsWithinDescriptorLimit(int asked) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return asked;
    const rlim_t used = descriptorsOpen() + kForTheRun;
    const rlim_t room = limit.rlim_cur > used ? (limit.rlim_cur - used) / kPerThread : 0;
    return int(std::clamp<rlim_t>(room, 1, rlim_t(asked)));
}

} // namespace cli
