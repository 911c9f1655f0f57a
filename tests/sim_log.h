// Reading the simulated driver's request log in tests.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "lumvex_sim.h"

inline std::vector<LUMVEXSIM_REQUEST> SimLog()
{
    std::vector<LUMVEXSIM_REQUEST> log(static_cast<size_t>(LumvexSim_LogCount()));
    for (size_t i = 0; i < log.size(); ++i)
        LumvexSim_GetLogEntry(static_cast<int>(i), &log[i]);
    return log;
}

constexpr unsigned kIoctlBulkRead = 0x0022204E;
constexpr unsigned kIoctlBulkWrite = 0x00222051;
constexpr unsigned kIoctlBulkLarge = 0x002220A9;
constexpr unsigned kIoctlParameter = 0x002220A0;

inline bool IsCommand(const LUMVEXSIM_REQUEST& r)
{
    return r.op == LUMVEXSIM_OP_IOCTL && r.pipe == 0 && (r.code == kIoctlBulkWrite || r.code == kIoctlBulkRead)
        && r.ok;
}

// Command packets that reached the camera, in order.
inline std::vector<LUMVEXSIM_REQUEST> SentCommands()
{
    std::vector<LUMVEXSIM_REQUEST> commands;
    for (const LUMVEXSIM_REQUEST& r : SimLog())
        if (IsCommand(r))
            commands.push_back(r);
    return commands;
}

using RegisterWrite = std::pair<int, int>;  // register, value

// FPGA register writes (command 0x25) that reached the camera, in order.
inline std::vector<RegisterWrite> FpgaWrites()
{
    std::vector<RegisterWrite> writes;
    for (const LUMVEXSIM_REQUEST& r : SentCommands())
        if (r.data[0] == 0x25)
            writes.push_back({r.data[1], r.data[2]});
    return writes;
}

inline std::vector<RegisterWrite> FpgaWritesTo(std::initializer_list<int> registers)
{
    std::vector<RegisterWrite> selected;
    for (const RegisterWrite& w : FpgaWrites())
        for (int reg : registers)
            if (w.first == reg)
                selected.push_back(w);
    return selected;
}

inline std::string PathOf(const LUMVEXSIM_REQUEST& open)
{
    return std::string(reinterpret_cast<const char*>(open.data), strnlen(reinterpret_cast<const char*>(open.data), 64));
}

inline std::vector<std::string> OpenedPaths()
{
    std::vector<std::string> paths;
    for (const LUMVEXSIM_REQUEST& r : SimLog())
        if (r.op == LUMVEXSIM_OP_OPEN)
            paths.push_back(PathOf(r));
    return paths;
}
