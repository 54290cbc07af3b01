#pragma once

namespace cli {

// How many images may be drawn at once under the limit on open files: each
// drawing thread holds a few descriptors, the run a few more. At least one;
// `asked` when the limit allows it.
int JobsWithinDescriptorLimit(int asked);

} // namespace cli
