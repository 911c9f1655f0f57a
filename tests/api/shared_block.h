// The test's own view of the named block the cameras share.
#pragma once

#include <windows.h>

constexpr const char* kBlockName = "VELDRA_USBCAMERA";

class BlockView {
public:
    BlockView()
    {
        m_mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kBlockName);
        if (m_mapping)
            m_bytes = static_cast<unsigned char*>(MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    }
    ~BlockView()
    {
        if (m_bytes)
            UnmapViewOfFile(m_bytes);
        if (m_mapping)
            CloseHandle(m_mapping);
    }
    BlockView(const BlockView&) = delete;
    BlockView& operator=(const BlockView&) = delete;

    unsigned char* bytes() const { return m_bytes; }
    SIZE_T size() const
    {
        MEMORY_BASIC_INFORMATION info{};
        return m_bytes && VirtualQuery(m_bytes, &info, sizeof info) ? info.RegionSize : 0;
    }

private:
    HANDLE m_mapping = nullptr;
    unsigned char* m_bytes = nullptr;
};
