// One opened camera: its device object, images, capture settings, threads,
// host windows and error history. Created by the handle registry, which runs
// Initialize once and destroys it on Lumvex_Release.
//
// Exported functions call it on the host's thread; the host must not
// overlap calls on one camera.
#pragma once

#include <vector>

#include <windows.h>

#include "lumvex_sdk.h"
#include "camera/shared_block.h"
#include "device/model_device.h"
#include "image/filters.h"
#include "image/processor_info.h"

namespace lumvex {

class CDibImage;
class CAviWriter;


enum AcquisitionMode { MODE_IDLE = 0, MODE_PREVIEW = 1, MODE_CAPTURE = 2, MODE_TRIGGER = 3 };

// The filter record: thirty consecutive 32-bit fields, addressed by
// position by the image dialog and the settings store. The frame
// post-processing reads them on every frame.
struct FilterRecord {
    int brightness, contrast, hue, saturation, sharpness;  // 0-4
    int bayerGainR, bayerGainG, bayerGainB;                // 5-7
    int gamma, bayerMode;                                  // 8, 9
    int unused10;
    int grayMode;                                          // 11
    int grayGainR, grayGainG1, grayGainG2, grayGainB;      // 12-15
    int grayOffsetR, grayOffsetG1, grayOffsetG2, grayOffsetB;  // 16-19
    int unused20[5];
    int bayerGainAuto;                                     // 25
    int whiteBalanceRequest[2];                            // 26, 27
    int unused28;
    int autoGainCount;                                     // 29: 0 off, 1 once, -1 every frame
};
static_assert(sizeof(FilterRecord) == 30 * 4, "thirty fields");

// Five device gains as they were when the analog dialog opened.
struct AnalogSnapshot {
    int globalGain, colorGainR, colorGainG1, colorGainG2, colorGainB;
};

class CLumvex {
public:
    static constexpr int kHistorySize = 20;

    CLumvex();
    virtual ~CLumvex();
    CLumvex(const CLumvex&) = delete;
    CLumvex& operator=(const CLumvex&) = delete;

    // Opens the shared block, makes the device object and images, loads the
    // settings and starts the camera. 1 on success; on failure the reason is
    // in the error history and the object stays usable as far as it got.
    int Initialize(HWND hwndNotify);

    // Records a code in the history and posts WM_CAMERA_ERROR to the
    // notification window when there is one. Always 1.
    int PushError(int code);
    // Posts WM_CAMERA_ERROR without recording it and without a null test:
    // with a null window the post becomes a message to the calling thread.
    void PostError(int code) const;
    // The newest recorded code, removed from the history; 0 when empty.
    int LastError();
    int GetStatus(int reserved) const;

    int SetColorMode(int bitsPerPixel);
    int GetColorMode() const;
    int SetSubSample(int mode);
    int GetSubSample() const { return m_subSample; }
    int SetWaitTime(int milliseconds);
    int GetWaitTime() const { return m_waitTime; }
    int SetHalfClock(int value);
    int SetAutoIris(int mode);
    int GetAutoIris(int* ok) const;

    // Frame post-processing (acquisition thread): the raw frame through
    // exposure control, reference correction, dot filter, mirroring, gray
    // gains or pseudo-colour and the filters into the output image.
    void ProcessFrame();
    int AutoExposeStep(CDibImage* work);
    int RemoveDefects(CDibImage* image, int threshold);
    void CorrectWithReferences(CDibImage& work);
    void Mirror(CDibImage& work);
    // Defect maps from a reference: depth 0 = 8-bit, 1 = 16-bit; which 0 =
    // dark (hot map), 1 = white (dead map). 0 when an argument is above 1.
    int DeriveDefectMaps(int depth, int which);
    // Lumvex_UpdateMaskData: the current frame becomes a reference.
    int UpdateReference(int which);
    CDibImage* WorkImage() const;
    CDibImage* OutputImage() const;

    // Filter values by identifier: ranges per id and model, error 9 for an
    // unknown id or a value out of range; some reach the camera.
    int SetFilterValue(int id, int value);
    int GetFilterValue(int id, int* ok);

    // Registers, serial ROM and IO port of the camera.
    int ReadRegister(int reg, int* ok);
    int WriteRegister(int reg, int value);
    int FpgaReadRegister(int reg, int* ok);
    int FpgaWriteRegister(int reg, int value);
    int ReadSromId(int index, int* ok);
    int WriteSromId(int index, int value);
    int GetIOPort(unsigned char* value);
    int SetIOPort(int value);
    int GetHalfClock(int* ok);

    int SetMirrorH(int flag);
    int GetMirrorH();
    int SetMirrorV(int flag);
    int GetMirrorV();
    int GetCameraInfo(LUMVEX_CAMERAINFO* info);
    int GetRealExposureTime(int* ok);
    int SetRealExposureTime(int microseconds);

    // Capture geometry.
    int SetCaptureWindow(int width, int height);
    int SetCaptureWindowEx(int totalWidth, int startX, int width, int totalHeight, int startY, int height);
    int GetCaptureWindowEx(int* totalWidth, int* startX, int* width, int* totalHeight, int* startY,
                           int* height) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The window rules of the camera: inside the sensor, at least 4 x 3, and
    // no sub-sampling.
    bool GeometryValid() const;

    // Shared resources.
    CPUINFO m_cpuInfo;
    CSharedBlock m_sharedTable;
    CModelDevice* m_device = nullptr;

    // Images, in the order they are created and destroyed.
    CDibImage* m_image8 = nullptr;
    CDibImage* m_image16 = nullptr;
    CDibImage* m_image24 = nullptr;
    CDibImage* m_image32 = nullptr;
    CDibImage* m_image48 = nullptr;
    CDibImage* m_image64 = nullptr;
    CDibImage* m_filterWork = nullptr;
    CDibImage* m_displayImage = nullptr;
    CDibImage* m_rawImage = nullptr;
    CDibImage* m_darkRef8 = nullptr;
    CDibImage* m_whiteRef8 = nullptr;
    CDibImage* m_darkRef16 = nullptr;
    CDibImage* m_whiteRef16 = nullptr;
    CDibImage* m_hotMap8 = nullptr;
    CDibImage* m_deadMap8 = nullptr;
    CDibImage* m_hotMap16 = nullptr;
    CDibImage* m_deadMap16 = nullptr;
    CDibImage* m_work8 = nullptr;
    CDibImage* m_work16 = nullptr;

    // Preview window.
    HWND m_hwndPreview = nullptr;
    HDC m_hdcPreview = nullptr;
    char m_className[256] = {};

    // Capture geometry.
    int m_totalWidth;
    int m_totalHeight;
    int m_width;
    int m_height;
    int m_startX = 0;
    int m_startY = 0;
    int m_bufferCount = 4;

    // Filters.
    FilterRecord m_filter = {};
    // The device gains as last set: global, then R, G1, G2, B.
    int m_globalGain = 0;
    int m_colorGain[4] = {};
    void* m_imageDialog = nullptr;

    // Analog settings and the last exposure computation.
    AnalogSnapshot m_analogSnapshot = {};
    int m_exposure = 0;
    int m_mirrorV = 0;
    int m_mirrorH = 0;
    int m_autoIris = 0;
    int m_peltier = 0;
    void* m_analogDialog = nullptr;
    unsigned short m_lineClocks = 0;
    short m_lineClocksHigh = 0;  // kept 0
    double m_exposureLines = 1.0;
    double m_clockPeriod = 1.0;
    int m_realExposure = 0;

    // Recording.
    volatile LONG m_recording = 0;
    CAviWriter* m_aviWriter = nullptr;
    DWORD m_recordStart = 0;
    DWORD m_recordEnd = 0;
    volatile LONG m_frameForRecord = 0;
    HANDLE m_hRecordThread = nullptr;
    DWORD m_recordThreadId = 0;
    HANDLE m_hRecordDone = nullptr;

    // Acquisition thread: m_run is 0 stop, 1 run, 2 paused.
    volatile LONG m_run = 0;
    HANDLE m_hThread = nullptr;
    DWORD m_threadId = 0;
    HANDLE m_hThreadDone = nullptr;

    // Host interface.
    HWND m_hwndParent = nullptr;
    RECT m_previewRect;
    HWND m_hwndNotify = nullptr;
    HWND m_hwndFrame = nullptr;
    unsigned char* m_hostBuffer = nullptr;
    int m_hostBufferSize = 0;
    int m_hostRowOrder = 0;
    FRAMEINFO m_frameInfo = {};

    // Modes and settings.
    volatile LONG m_mode = MODE_IDLE;
    int m_colorMode = 0;
    int m_subSample = 0;
    int m_waitTime = 10;
    int m_halfClock = 0;
    int m_frameRate = 0;
    int m_frameCount = 0;
    DWORD m_rateStart;

    // Error history, newest first.
    int m_errors[kHistorySize] = {};

    // Further settings.
    int m_timeout = 3000;
    int m_deviceNumber = 0;
    int m_dotFilter = 0;
    int m_maskFilter = 0;

    // Locks: never held together.
    CRITICAL_SECTION m_frameLock;
    CRITICAL_SECTION m_maskLock;
    volatile LONG m_maskUpdating = 0;

    // Scratch of the frame post-processing, kept between frames so that no
    // frame allocates: the mirroring image and the 16-bit filter tables.
    CDibImage* m_mirrorWork = nullptr;
    FilterTables m_filterTables;
    std::vector<int> m_defectScratch, m_defectAbove, m_defectLeft, m_defectRight;

private:
    static constexpr int kImageCount = 19;
    // The image pointers in the order they are made and destroyed.
    CDibImage** ImageSlot(int i);
    int CreateFixedImages();
    void ResetGeometryToSensor();
    // Sends the stored window to the device unless a stream may be using
    // the transfer buffers; then the next capture preparation sends it.
    void ApplyWindow();
};

}  // namespace lumvex
