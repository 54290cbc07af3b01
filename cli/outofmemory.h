#pragma once

namespace cli {

// Qt reports an allocation that failed (a list of millions joined, an address
// of hundreds of megabytes under ulimit -v) by throwing std::bad_alloc from
// code that cannot pass it on, and the program then aborts. From this call on
// it ends cleanly instead: the run folders removed, one line on standard
// error, exit status 2. Any other unhandled exception ends it as before.
void EndCleanlyWhenMemoryRunsOut();

} // namespace cli
