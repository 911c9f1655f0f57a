#include "image/processor_probe.h"

#include <cpuid.h>
#include <cstring>

#include <windows.h>

namespace lumvex {

namespace {

// Whether the system runs the instruction set: its own processor-feature
// query stands in for executing a test instruction under an exception
// handler. Bits without an entry count as usable.
bool SystemRuns(unsigned feature)
{
    switch (feature) {
    case CPU_MMX: return IsProcessorFeaturePresent(PF_MMX_INSTRUCTIONS_AVAILABLE);
    case CPU_3DNOW: return IsProcessorFeaturePresent(PF_3DNOW_INSTRUCTIONS_AVAILABLE);
    case CPU_SSE: return IsProcessorFeaturePresent(PF_XMMI_INSTRUCTIONS_AVAILABLE);
    case CPU_SSE2: return IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE);
    default: return true;
    }
}

}  // namespace

unsigned ProbeProcessor(CPUINFO& info)
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(0, &a, &b, &c, &d))
        return 0;
    char vendor[16] = {};
    std::memcpy(vendor, &b, 4);
    std::memcpy(vendor + 4, &d, 4);
    std::memcpy(vendor + 8, &c, 4);

    unsigned signature = 0, ecx1 = 0, edx1 = 0;
    __get_cpuid(1, &signature, &b, &ecx1, &edx1);
    unsigned edxExt = 0;
    if (__get_cpuid(0x80000000, &a, &b, &c, &d) && a >= 0x80000001)
        __get_cpuid(0x80000001, &a, &b, &c, &edxExt);

    const struct {
        unsigned feature;
        unsigned flag;
    } features[] = {{CPU_MMX, (edx1 >> 23) & 1},        {CPU_3DNOW, (edxExt >> 31) & 1},
                    {CPU_SSE, (edx1 >> 25) & 1},        {CPU_SSE2, (edx1 >> 26) & 1},
                    {CPU_SSE3, ecx1 & 1},               {CPU_LEAF1_ECX8, (ecx1 >> 8) & 1}};
    unsigned reported = 0, usable = 0;
    for (const auto& f : features) {
        if (!f.flag)
            continue;
        reported |= f.feature;
        if (SystemRuns(f.feature))
            usable |= f.feature;
    }
    info = CPUINFO{};
    info.reported = reported;
    info.usable = usable;
    std::memcpy(info.vendor, vendor, sizeof info.vendor);
    info.signature = signature;
    return reported;
}

}  // namespace lumvex
