// The error model: a history of the 20 newest codes, newest first, and the
// WM_CAMERA_ERROR notification.
#include "camera/lumvex.h"

namespace lumvex {

int CLumvex::PushError(int code)
{
    for (int i = kHistorySize - 1; i > 0; --i)
        m_errors[i] = m_errors[i - 1];
    m_errors[0] = code;
    if (m_hwndNotify)
        PostMessageA(m_hwndNotify, WM_CAMERA_ERROR, 0, code);
    return 1;
}

void CLumvex::PostError(int code) const
{
    PostMessageA(m_hwndNotify, WM_CAMERA_ERROR, 0, code);
}

int CLumvex::LastError()
{
    const int code = m_errors[0];
    for (int i = 0; i < kHistorySize - 1; ++i)
        m_errors[i] = m_errors[i + 1];
    m_errors[kHistorySize - 1] = 0;
    return code;
}

int CLumvex::GetStatus(int) const
{
    return 0;
}

}  // namespace lumvex
