// The cross-process block "VELDRA_USBCAMERA": a named, paging-file backed
// mapping that every camera object of every build and process maps whole.
// Each build keeps its device-owner table in it.
#pragma once

#include <cstddef>

#include <windows.h>

namespace lumvex {

class CSharedBlock {
public:
    CSharedBlock() = default;
    ~CSharedBlock() { CloseSharedBlock(); }
    CSharedBlock(const CSharedBlock&) = delete;
    CSharedBlock& operator=(const CSharedBlock&) = delete;

    // 1 when an existing mapping of that name was opened and mapped.
    int OpenSharedBlock(const char* name);
    // 1 when a mapping was opened or created and mapped. Only a mapping this
    // call really created has its first 0x8000 bytes zeroed: one that
    // appeared meanwhile belongs to someone else and keeps its records.
    int CreateSharedBlock(const char* name, unsigned size);
    void CloseSharedBlock();

    unsigned char* View() const { return m_view; }
    // Bytes of the mapped view (whole pages), 0 without a view.
    size_t ViewSize() const { return m_viewSize; }

    static constexpr size_t kZeroedBytes = 0x8000;

private:
    bool MapWhole();

    HANDLE m_mapping = nullptr;
    unsigned char* m_view = nullptr;
    size_t m_viewSize = 0;
};

}  // namespace lumvex
