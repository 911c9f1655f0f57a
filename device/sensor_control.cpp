// Device-side settings every model shares: defaults, the capture window's
// common steps, mirrors, half clock and sample width.
#include "device/qvm_sdk_lib.h"

namespace lumvex {

CQVMSdkLib::CQVMSdkLib()
{
    ResetStream();
}

CQVMSdkLib::~CQVMSdkLib()
{
    StopStream();
    CloseFrameHandle();
    FreeBuffers();
}

void CQVMSdkLib::ResetDefaults()
{
    m_wideSamples = 0;
    m_triggerMode = 0;
    m_subSampleMode = 0;
    m_driverParameter = 3000;
}

int CQVMSdkLib::SetSampleWidth(int wide)
{
    m_wideSamples = wide;
    SendSampleWidth(wide ? 1 : 0);
    return 1;
}

int CQVMSdkLib::SetMirrorH(int flag)
{
    m_mirrorH = flag;
    return 0;
}

int CQVMSdkLib::SetMirrorV(int flag)
{
    m_mirrorV = flag;
    return 0;
}

int CQVMSdkLib::GetHalfClock(uint8_t* value)
{
    return ReadFpgaRegister(15, value);
}

int CQVMSdkLib::SetHalfClock(int)
{
    return 0;  // the half clock is only read; nothing is sent
}

bool CQVMSdkLib::WindowAccepted(int x, int y, int width, int height, int sub, int sensorWidth, int sensorHeight)
{
    const bool subAccepted = sub == 0 || sub == 1 || sub == 2 || sub == 3 || sub == 17 || sub == 18;
    return x >= 0 && y >= 0 && width >= 4 && height >= 3 && x + width <= sensorWidth && y + height <= sensorHeight
        && subAccepted;
}

void CQVMSdkLib::StoreWindow(int x, int y, int width, int height, int sub)
{
    m_subSampleMode = sub;
    m_windowX = x;
    m_windowY = y;
    m_windowWidth = width;
    m_windowHeight = height;
    LayoutBuffers(width, height);
}

void CQVMSdkLib::FinishWindow()
{
    Sleep(100);  // the camera settles on the new transfer length
    m_largeTransfer = m_transferLength >= 3072000;
}

}  // namespace lumvex
