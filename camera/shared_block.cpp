#include "shared_block.h"

#include <cstring>

namespace lumvex {

bool CSharedBlock::MapWhole()
{
    void* view = MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!view) {
        CloseHandle(m_mapping);
        m_mapping = nullptr;
        return false;
    }
    MEMORY_BASIC_INFORMATION info{};
    VirtualQuery(view, &info, sizeof info);
    m_view = static_cast<unsigned char*>(view);
    m_viewSize = info.RegionSize;
    return true;
}

int CSharedBlock::OpenSharedBlock(const char* name)
{
    CloseSharedBlock();
    m_mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    return m_mapping && MapWhole() ? 1 : 0;
}

int CSharedBlock::CreateSharedBlock(const char* name, unsigned size)
{
    if (OpenSharedBlock(name))
        return 1;
    m_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name);
    if (!m_mapping)
        return 0;
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    if (!MapWhole())
        return 0;
    if (created)
        std::memset(m_view, 0, kZeroedBytes < m_viewSize ? kZeroedBytes : m_viewSize);
    return 1;
}

void CSharedBlock::CloseSharedBlock()
{
    if (m_view)
        UnmapViewOfFile(m_view);
    if (m_mapping)
        CloseHandle(m_mapping);
    m_view = nullptr;
    m_mapping = nullptr;
    m_viewSize = 0;
}

}  // namespace lumvex
