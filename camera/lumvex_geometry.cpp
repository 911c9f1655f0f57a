// The capture window: its rules, the size presets in the registry and the
// window commands of the interface.
#include <cstdio>

#include "camera/lumvex.h"
#include "model_profile.h"

namespace lumvex {

namespace {

using P = ModelProfile;

constexpr int kMaxSizeEntries = 100;

// Reads one REG_DWORD value; a missing or mistyped value leaves target.
void ReadDword(HKEY key, const char* name, int* target)
{
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS
        && type == REG_DWORD && size == sizeof value)
        *target = static_cast<int>(value);
}

struct SizeEntry {
    int totalWidth = -1, totalHeight = -1, width = -1, height = -1, startX = 0, startY = 0, bufferCount = 4;
};

}  // namespace

bool CLumvex::GeometryValid() const
{
    const bool subSampled = m_subSample == 1 || m_subSample == 2 || m_subSample == 3 || m_subSample == 17
                         || m_subSample == 18 || m_subSample == 19;
    return m_startX >= 0 && m_startY >= 0 && m_width >= 4 && m_height >= 3 && m_width <= P::kSensorWidth
        && m_startX <= P::kSensorWidth && m_height <= P::kSensorHeight && m_startY <= P::kSensorHeight
        && m_startX + m_width <= P::kSensorWidth && m_startY + m_height <= P::kSensorHeight && !subSampled;
}

void CLumvex::ResetGeometryToSensor()
{
    m_totalWidth = m_width = P::kSensorWidth;
    m_totalHeight = m_height = P::kSensorHeight;
    m_startX = m_startY = 0;
}

void CLumvex::ApplyWindow()
{
    if (m_mode == MODE_IDLE && m_device->StreamStopped())
        m_device->SetWindow(m_startX, m_startY, m_width, m_height, m_subSample);
}

int CLumvex::SetCaptureWindowEx(int totalWidth, int startX, int width, int totalHeight, int startY, int height)
{
    if constexpr (!P::kCaptureWindowEx) {
        PostError(LUMVEX_ERROR_NOT_SUPPORTED);
        return 0;
    }
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    m_totalWidth = totalWidth;
    m_startX = startX;
    m_width = width;
    m_totalHeight = totalHeight;
    m_startY = startY;
    m_height = height;
    // An invalid window stays stored: the next acquisition start refuses it
    // too. The device keeps its previous window.
    if (!GeometryValid()) {
        PushError(LUMVEX_ERROR_GEOMETRY);
        return 0;
    }
    ApplyWindow();
    return 1;
}

int CLumvex::GetCaptureWindowEx(int* totalWidth, int* startX, int* width, int* totalHeight, int* startY,
                                int* height) const
{
    const struct {
        int* target;
        int value;
    } fields[] = {{totalWidth, m_totalWidth}, {startX, m_startX}, {width, m_width},
                  {totalHeight, m_totalHeight}, {startY, m_startY}, {height, m_height}};
    for (const auto& f : fields)
        if (f.target)
            *f.target = f.value;
    return 1;
}

// The size presets are searched under this camera's own key,
// "Camera_%02d" of its device number, where the settings store keeps them.
int CLumvex::SetCaptureWindow(int width, int height)
{
    if (!m_device) {
        PushError(LUMVEX_ERROR_NO_DEVICE);
        return 0;
    }
    char path[160];
    std::snprintf(path, sizeof path, "%s\\Camera_%02d", P::kRegistryKey, m_deviceNumber);
    HKEY camera = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &camera) != ERROR_SUCCESS) {
        PushError(LUMVEX_ERROR_WINDOW);
        return 0;
    }
    bool found = false;
    SizeEntry entry;
    for (int i = 0; i < kMaxSizeEntries && !found; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "Size_%02d", i);
        HKEY key = nullptr;
        if (RegOpenKeyExA(camera, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
            break;
        SizeEntry e;
        ReadDword(key, "TH", &e.totalWidth);
        ReadDword(key, "TV", &e.totalHeight);
        ReadDword(key, "EH", &e.width);
        ReadDword(key, "EV", &e.height);
        ReadDword(key, "EHS", &e.startX);
        ReadDword(key, "EVS", &e.startY);
        ReadDword(key, "Buf", &e.bufferCount);
        RegCloseKey(key);
        if (e.width == width && e.height == height) {
            entry = e;
            found = true;
        }
    }
    RegCloseKey(camera);
    if (!found) {
        PushError(LUMVEX_ERROR_WINDOW);
        return 0;
    }
    m_totalWidth = entry.totalWidth;
    m_totalHeight = entry.totalHeight;
    m_width = entry.width;
    m_height = entry.height;
    m_startX = entry.startX;
    m_startY = entry.startY;
    m_bufferCount = entry.bufferCount;
    if (!GeometryValid()) {
        PushError(LUMVEX_ERROR_GEOMETRY);
        ResetGeometryToSensor();
    }
    ApplyWindow();
    return 1;
}

}  // namespace lumvex
