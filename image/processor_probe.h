// Which vector instruction sets the processor offers and the system lets
// run, for the gray gain step of the 32-bit builds.
#pragma once

#include "image/processor_info.h"

namespace lumvex {

// Clears and fills the record; returns the reported mask (0 without CPUID).
unsigned ProbeProcessor(CPUINFO& info);

}  // namespace lumvex
