#include "camera/lumvex.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

#include <mmsystem.h>

#include "image/dib_image.h"
#include "image/processor_probe.h"
#include "model_profile.h"

namespace lumvex {

// The host reads FRAMEINFO through the address WM_CAMERA_FRAME carries: its
// layout is part of the interface in both word sizes.
static_assert(offsetof(FRAMEINFO, frameRate) == 16, "FRAMEINFO layout");
static_assert(sizeof(void*) == 8 ? offsetof(FRAMEINFO, buffer) == 24 && sizeof(FRAMEINFO) == 32
                                 : offsetof(FRAMEINFO, buffer) == 20 && sizeof(FRAMEINFO) == 24,
              "FRAMEINFO layout");

namespace {

constexpr const char* kSharedBlockName = "VELDRA_USBCAMERA";

// A device-owner record: owner window, owner module and a reserved word,
// each pointer-sized, then the library's file name (152 bytes in 64-bit,
// 140 in 32-bit builds). The block must reach past the table of 8 devices.
constexpr size_t kOwnerRecordSize = 3 * sizeof(void*) + 128;
constexpr size_t kOwnerTableEnd = (size_t{ModelProfile::kOwnerTableBase} + 8) * kOwnerRecordSize;
static_assert(kOwnerTableEnd <= ModelProfile::kSharedBlockSize, "owner table outside the block");

}  // namespace

CLumvex::CLumvex()
    : m_cpuInfo{},
      m_totalWidth(ModelProfile::kSensorWidth),
      m_totalHeight(ModelProfile::kSensorHeight),
      m_width(ModelProfile::kSensorWidth),
      m_height(ModelProfile::kSensorHeight),
      m_previewRect{0, 0, ModelProfile::kSensorWidth, ModelProfile::kSensorHeight},
      m_rateStart(timeGetTime())
{
    m_frameInfo.size = sizeof(FRAMEINFO);
    InitializeCriticalSection(&m_frameLock);
    InitializeCriticalSection(&m_maskLock);
}

CDibImage** CLumvex::ImageSlot(int i)
{
    CDibImage** const slots[kImageCount] = {
        &m_image8,    &m_image16,    &m_image24,  &m_image32,    &m_image48,  &m_image64,    &m_filterWork,
        &m_displayImage, &m_rawImage, &m_darkRef8, &m_whiteRef8, &m_darkRef16, &m_whiteRef16, &m_hotMap8,
        &m_deadMap8,  &m_hotMap16,   &m_deadMap16, &m_work8,     &m_work16};
    return slots[i];
}

CLumvex::~CLumvex()
{
    delete m_device;
    m_device = nullptr;
    for (int i = 0; i < kImageCount; ++i) {
        delete *ImageSlot(i);
        *ImageSlot(i) = nullptr;
    }
    delete m_mirrorWork;
    m_mirrorWork = nullptr;
    DeleteCriticalSection(&m_frameLock);
    DeleteCriticalSection(&m_maskLock);
    m_sharedTable.CloseSharedBlock();
}

int CLumvex::Initialize(HWND hwndNotify)
{
    // The notification window first: a failure of any step below reaches it.
    m_hwndNotify = hwndNotify;
    if constexpr (ModelProfile::kProcessorProbe)
        ProbeProcessor(m_cpuInfo);

    // Every camera object of every build and process shares one block; the
    // first one creates it.
    if (!m_sharedTable.OpenSharedBlock(kSharedBlockName))
        m_sharedTable.CreateSharedBlock(kSharedBlockName, ModelProfile::kSharedBlockSize);
    // A mapping of that name too small for this build's owner table (made by
    // something else) is as unusable as none: its records would lie outside.
    if (m_sharedTable.View() && m_sharedTable.ViewSize() < kOwnerTableEnd)
        m_sharedTable.CloseSharedBlock();
    if (!m_sharedTable.View()) {
        PushError(LUMVEX_ERROR_MEMORY);
        return 0;
    }

    // The device object probes the devices and starts device 0.
    m_device = new (std::nothrow) CModelDevice;
    bool complete = m_device != nullptr;
    for (int i = 0; i < kImageCount; ++i) {
        *ImageSlot(i) = new (std::nothrow) CDibImage;
        complete = complete && *ImageSlot(i);
    }
    m_mirrorWork = new (std::nothrow) CDibImage;
    complete = complete && m_mirrorWork;
    if (!complete) {
        PushError(LUMVEX_ERROR_MEMORY);
        return 0;
    }
    if (!CreateFixedImages())
        return 0;

    // The settings of a camera with nothing stored yet: the full sensor,
    // the model's default exposure, no mirrors.
    if (!GeometryValid()) {
        PushError(LUMVEX_ERROR_GEOMETRY);
        ResetGeometryToSensor();
    }
    m_device->SetWindow(m_startX, m_startY, m_width, m_height, m_subSample);
    m_previewRect = RECT{0, 0, m_width, m_height};
    m_exposure = CModelDevice::ExposureDefault();
    m_filter.gamma = 100;
    m_filter.bayerMode = 3;
    m_filter.bayerGainR = m_filter.bayerGainG = m_filter.bayerGainB = 100;
    m_filter.grayGainR = m_filter.grayGainG1 = m_filter.grayGainG2 = m_filter.grayGainB = 128;
    m_device->SetExposure(static_cast<uint16_t>(m_exposure));
    m_device->SetMirrorV(m_mirrorV);
    m_device->SetMirrorH(m_mirrorH);
    return 1;
}

// The reference frames, defect maps and dot-filter masks at sensor size:
// white references at full scale, everything else 0.
int CLumvex::CreateFixedImages()
{
    constexpr int w = ModelProfile::kSensorWidth, h = ModelProfile::kSensorHeight;
    const struct {
        CDibImage* image;
        uint16_t bits;
    } fixed[] = {{m_darkRef8, 8},  {m_whiteRef8, 8},  {m_darkRef16, 16}, {m_whiteRef16, 16}, {m_hotMap8, 8},
                 {m_deadMap8, 8},  {m_hotMap16, 16},  {m_deadMap16, 16}, {m_work8, 8},       {m_work16, 16}};
    for (const auto& f : fixed)
        if (!f.image->Create(w, h, f.bits))
            return 0;
    for (const auto& f : fixed)
        std::memset(f.image->Bits(), 0, f.image->SizeBytes());
    std::memset(m_whiteRef8->Bits(), 255, size_t{w} * h);
    uint16_t* white = reinterpret_cast<uint16_t*>(m_whiteRef16->Bits());
    std::fill(white, white + size_t{w} * h, static_cast<uint16_t>(ModelProfile::kWhiteLevel16));
    return 1;
}

}  // namespace lumvex
