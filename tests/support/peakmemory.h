#pragma once

#include <QtGlobal>

namespace PeakMemory {
// This process's peak resident memory in KiB since its exec, 0 when unknown. getrusage's
// peak would also count the parent's memory at the fork.
qint64 kib();
} // namespace PeakMemory
