#pragma once

namespace support {

// Lets the window run its queued events (clicks, repaints, a close) at the
// points where a long command yields.
void ProcessPendingMessages();

} // namespace support
