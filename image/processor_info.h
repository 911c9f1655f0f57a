// What the processor offers for the vector forms of the pixel routines.
// Filled once per camera object by the processor probe of the 32-bit builds.
#pragma once

namespace lumvex {

enum ProcessorFeature : unsigned {
    CPU_MMX = 0x01,
    CPU_SSE = 0x02,
    CPU_SSE2 = 0x04,
    CPU_3DNOW = 0x08,
    CPU_SSE3 = 0x10,
    CPU_LEAF1_ECX8 = 0x20,
};

struct CPUINFO {
    unsigned reported;   // features whose CPUID flag is set
    unsigned usable;     // reported features whose test instruction ran
    char vendor[16];     // CPUID leaf 0 vendor text
    unsigned signature;  // CPUID leaf 1 EAX
};

}  // namespace lumvex
