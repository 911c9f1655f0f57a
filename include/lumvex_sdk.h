/*
 * Lumvex SDK: host interface of the QV640, QV320 and QV128 near-infrared
 * USB cameras.
 *
 * One DLL per camera model (LumvexSdk_QV640.dll, 64-bit; LumvexSdk_QV320.dll
 * and LumvexSdk_QV128.dll, 32-bit), all with this interface. Every function
 * uses the C calling convention; every argument and result is a 32-bit
 * integer or a pointer. Results are 1 for success and 0 for failure unless
 * a value is named.
 *
 * A camera is named by the handle Lumvex_Initialize returns. An unknown or
 * released handle makes every function return at once with its failure
 * value (0, or -1 for Lumvex_GetColorMode, Lumvex_GetSubSample and
 * Lumvex_GetWaitTime) and report nothing.
 *
 * Errors are kept in a history of the 20 newest codes per camera, read
 * newest first by Lumvex_GetLastError, and posted as WM_CAMERA_ERROR to the
 * window given to Lumvex_Initialize (when it is not NULL).
 *
 * The library takes no lock of its own around its handle table: a host that
 * calls it from several threads must not overlap the calls.
 */
#ifndef LUMVEX_SDK_H
#define LUMVEX_SDK_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef LUMVEX_API
#define LUMVEX_API __declspec(dllimport)
#endif
#define LUMVEX_CALL __cdecl

/* Window messages. Both are posted, never sent. */
/* wParam: address of the camera's FRAMEINFO, lParam 0: a frame was delivered.
 * wParam 0, lParam 5, 8 or 13: the frame stream failed with that error. */
#define WM_CAMERA_FRAME (WM_APP + 2)
/* wParam 0, lParam: error code. */
#define WM_CAMERA_ERROR (WM_APP + 3)

/* The record WM_CAMERA_FRAME points to. It belongs to the camera and is
 * rewritten for every frame; it stays valid until Lumvex_Release. */
typedef struct FRAMEINFO {
    int size;           /* sizeof(FRAMEINFO): 32 in 64-bit, 24 in 32-bit builds */
    int width;          /* image width in pixels */
    int height;         /* image height in lines */
    int bitCount;       /* 8, 16, 24, 32, 48 or 64 */
    int frameRate;      /* tenths of frames per second; 0 in trigger mode */
    unsigned char *buffer; /* host buffer the frame was copied into, or NULL */
} FRAMEINFO;

/* The record Lumvex_GetCameraInfo fills. Set size first: at least 36. */
typedef struct LUMVEX_CAMERAINFO {
    int size;
    int sensorWidth, sensorHeight;
    int globalGainMin, globalGainMax;
    int colorGainMin, colorGainMax; /* colorGainMax is 255 */
    int exposureMin, exposureMax;   /* exposure in line clocks */
} LUMVEX_CAMERAINFO;

/* Bits per pixel accepted by Lumvex_SetColorMode. */
#define LUMVEX_COLOR_GRAY8    8   /* 8-bit gray */
#define LUMVEX_COLOR_GRAY16   16  /* sensor depth in the low bits of 16 */
#define LUMVEX_COLOR_PSEUDO24 24  /* pseudo-colour B, G, R */
#define LUMVEX_COLOR_PSEUDO32 32  /* pseudo-colour B, G, R, 0 */
#define LUMVEX_COLOR_PSEUDO48 48  /* pseudo-colour, 16 bits per channel */
#define LUMVEX_COLOR_PSEUDO64 64  /* pseudo-colour, 16 bits per channel, 4 channels */

/* Error codes (Lumvex_GetLastError, WM_CAMERA_ERROR). */
#define LUMVEX_ERROR_NO_DEVICE      1  /* no device object, wrong acquisition mode, preparation failed */
#define LUMVEX_ERROR_DEVICE_BUSY    2  /* device not present, not selectable, or owned elsewhere */
#define LUMVEX_ERROR_THREAD         3  /* an event or a thread could not be created */
#define LUMVEX_ERROR_WINDOW         4  /* the preview window could not be made; size preset missing */
#define LUMVEX_ERROR_MEMORY         5  /* shared memory, allocation, image or host buffer too small */
#define LUMVEX_ERROR_REGISTER       6  /* a device register exchange failed */
#define LUMVEX_ERROR_GEOMETRY       7  /* the capture window is invalid */
#define LUMVEX_ERROR_FRAME          8  /* a frame could not be read or copied */
#define LUMVEX_ERROR_ARGUMENT       9  /* an argument is out of range */
#define LUMVEX_ERROR_NOT_SUPPORTED  11 /* the function is not supported by this model */
#define LUMVEX_ERROR_FILE           12 /* a file name could not be converted, or the film not opened */
#define LUMVEX_ERROR_TIMEOUT        13 /* no frame arrived in time, or the transfer failed */
#define LUMVEX_ERROR_MASK_FILE      14 /* a mask file could not be read or written */

/* Filter identifiers of Lumvex_SetFilterValue and Lumvex_GetFilterValue. */
#define LUMVEX_FILTER_BRIGHTNESS        1
#define LUMVEX_FILTER_CONTRAST          2
#define LUMVEX_FILTER_HUE               3
#define LUMVEX_FILTER_SATURATION        4
#define LUMVEX_FILTER_SHARPNESS         5
#define LUMVEX_FILTER_BAYER_GAIN_RGB    6
#define LUMVEX_FILTER_BAYER_GAIN_RED    7
#define LUMVEX_FILTER_BAYER_GAIN_GREEN  8
#define LUMVEX_FILTER_BAYER_GAIN_BLUE   9
#define LUMVEX_FILTER_BAYER_GAIN_AUTO   10
#define LUMVEX_FILTER_GAMMA             11
#define LUMVEX_FILTER_BAYER_MODE        12
#define LUMVEX_FILTER_GLOBAL_GAIN       13
#define LUMVEX_FILTER_COLOR_GAIN_RED    14
#define LUMVEX_FILTER_COLOR_GAIN_GREEN1 15
#define LUMVEX_FILTER_COLOR_GAIN_GREEN2 16
#define LUMVEX_FILTER_COLOR_GAIN_BLUE   17
#define LUMVEX_FILTER_EXPOSURE_TIME     18
#define LUMVEX_FILTER_GRAY_MODE         19
#define LUMVEX_FILTER_GRAY_GAIN_R       20
#define LUMVEX_FILTER_GRAY_GAIN_G1      21
#define LUMVEX_FILTER_GRAY_GAIN_G2      22
#define LUMVEX_FILTER_GRAY_GAIN_B       23
#define LUMVEX_FILTER_GRAY_OFFSET_R     24
#define LUMVEX_FILTER_GRAY_OFFSET_G1    25
#define LUMVEX_FILTER_GRAY_OFFSET_G2    26
#define LUMVEX_FILTER_GRAY_OFFSET_B     27
#define LUMVEX_FILTER_PELTIER           100
#define LUMVEX_FILTER_TEMPERATURE       101
#define LUMVEX_FILTER_DOT_FILTER        102
#define LUMVEX_FILTER_MASK_FILTER       103

/* Library and camera object. */

/* High 16 bits: model (127 QV640, 126 QV320, 128 QV128); low 16 bits 1300. */
LUMVEX_API int LUMVEX_CALL Lumvex_GetDllVersion(void);
/* Opens a camera; notifyWindow (may be NULL) receives WM_CAMERA_ERROR.
 * Returns the handle even when the camera could not be started: the reason
 * is then in the error history. 0 only when no camera object could be made. */
LUMVEX_API int LUMVEX_CALL Lumvex_Initialize(HWND notifyWindow);
/* Closes the camera and forgets the handle: 1, or 0 for an unknown handle. */
LUMVEX_API int LUMVEX_CALL Lumvex_Release(int handle);
/* Newest error code, removed from the history; 0 when none is left. */
LUMVEX_API int LUMVEX_CALL Lumvex_GetLastError(int handle);
/* Always 0 for a known handle; the argument is not used. */
LUMVEX_API int LUMVEX_CALL Lumvex_GetStatus(int handle, int reserved);

/* Capture format and timing. */

/* bitsPerPixel: one of the LUMVEX_COLOR_* values, else error 9. Takes
 * effect at the next start of acquisition. */
LUMVEX_API int LUMVEX_CALL Lumvex_SetColorMode(int handle, int bitsPerPixel);
/* 8, 16-bit modes report the sensor depth (12 QV640, 14 QV320/QV128),
 * 24, 32, and 48/64 less the unused bits (44/60 QV640, 46/62 others). */
LUMVEX_API int LUMVEX_CALL Lumvex_GetColorMode(int handle);
/* mode 0 to 2; other values return 0 without an error. */
LUMVEX_API int LUMVEX_CALL Lumvex_SetSubSample(int handle, int mode);
LUMVEX_API int LUMVEX_CALL Lumvex_GetSubSample(int handle);
/* Milliseconds the acquisition thread sleeps before waiting for each frame;
 * a negative value returns 0 without an error. */
LUMVEX_API int LUMVEX_CALL Lumvex_SetWaitTime(int handle, int milliseconds);
LUMVEX_API int LUMVEX_CALL Lumvex_GetWaitTime(int handle);
/* Stored and sent to the camera at the next start of acquisition. */
LUMVEX_API int LUMVEX_CALL Lumvex_SetHalfClock(int handle, int value);

/* Camera settings. */

/* Automatic exposure: 0 off, 1 and 2 on; other values post error 9. */
LUMVEX_API int LUMVEX_CALL Lumvex_SetAutoIris(int handle, int mode);
LUMVEX_API int LUMVEX_CALL Lumvex_GetAutoIris(int handle, int *ok);

/* Capture window. A valid window lies inside the sensor, is at least 4 x 3
 * and needs sub-sample mode 0; an invalid one gives error 7. */
LUMVEX_API int LUMVEX_CALL Lumvex_Width(int handle);
LUMVEX_API int LUMVEX_CALL Lumvex_Height(int handle);
/* Selects the stored size preset ("Size_NN" under the camera's registry key
 * "Camera_NN") of that width and height; error 4 when there is none. */
LUMVEX_API int LUMVEX_CALL Lumvex_SetCaptureWindow(int handle, int width, int height);
/* Not supported by the QV128 (posts error 11). */
LUMVEX_API int LUMVEX_CALL Lumvex_SetCaptureWindowEx(int handle, int totalWidth, int startX, int width,
                                                     int totalHeight, int startY, int height);
/* Any pointer may be NULL. */
LUMVEX_API int LUMVEX_CALL Lumvex_GetCaptureWindowEx(int handle, int *totalWidth, int *startX, int *width,
                                                     int *totalHeight, int *startY, int *height);

/* Registers and ports. The success flags (may be NULL) receive 1 when the
 * value is valid. Failed exchanges give error 6, no device error 1. The QV128
 * has no camera registers: reads give 0, writes succeed, without traffic. */
LUMVEX_API int LUMVEX_CALL Lumvex_ReadRegister(int handle, int reg, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_WriteRegister(int handle, int reg, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_Fpga_ReadRegister(int handle, int reg, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_Fpga_WriteRegister(int handle, int reg, int value);
/* Serial ROM ID area, byte by byte; failures post error 1. */
LUMVEX_API int LUMVEX_CALL Lumvex_ReadSromID(int handle, int index, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_WriteSromID(int handle, int index, int value);
/* The IO port byte; the last two arguments are not used. */
LUMVEX_API int LUMVEX_CALL Lumvex_GetIOPort(int handle, unsigned char *value, int reserved1, int reserved2);
LUMVEX_API int LUMVEX_CALL Lumvex_SetIOPort(int handle, int value);
/* The camera's half-clock setting; failures post error 1. */
LUMVEX_API int LUMVEX_CALL Lumvex_GetHalfClock(int handle, int *ok);

/* Mirroring is done on the host; the flags are kept per camera. */
LUMVEX_API int LUMVEX_CALL Lumvex_SetMirrorH(int handle, int flag);
LUMVEX_API int LUMVEX_CALL Lumvex_GetMirrorH(int handle);
LUMVEX_API int LUMVEX_CALL Lumvex_SetMirrorV(int handle, int flag);
LUMVEX_API int LUMVEX_CALL Lumvex_GetMirrorV(int handle);

/* Sensor size and setting limits: error 9 for NULL, 5 for a size below 36. */
LUMVEX_API int LUMVEX_CALL Lumvex_GetCameraInfo(int handle, LUMVEX_CAMERAINFO *info);
/* The exposure as a time in microseconds, from the capture width and the
 * exposure in line clocks. Setting it outside the model's range: error 9. */
LUMVEX_API int LUMVEX_CALL Lumvex_GetRealExposureTime(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetRealExposureTime(int handle, int microseconds);

/* Filter values by identifier (LUMVEX_FILTER_*): error 9 for an unknown
 * identifier or a value out of its range, error 1 without a device. Ids
 * 13-18 and 100-101 reach the camera; 101 (temperature, QV640 only) is read
 * only. Each named pair below forwards with its identifier. */
LUMVEX_API int LUMVEX_CALL Lumvex_SetFilterValue(int handle, int id, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetFilterValue(int handle, int id, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_GetBrightness(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetBrightness(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetContrast(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetContrast(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetHue(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetHue(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetSaturation(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetSaturation(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetSharpness(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetSharpness(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetBayerGainRGB(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetBayerGainRGB(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetBayerGainRed(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetBayerGainRed(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetBayerGainGreen(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetBayerGainGreen(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetBayerGainBlue(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetBayerGainBlue(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetBayerGainAuto(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetBayerGainAuto(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGamma(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGamma(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetBayerMode(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetBayerMode(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGlobalGain(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGlobalGain(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetColorGainRed(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetColorGainRed(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetColorGainGreen1(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetColorGainGreen1(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetColorGainGreen2(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetColorGainGreen2(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetColorGainBlue(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetColorGainBlue(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetExposureTime(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetExposureTime(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayMode(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayMode(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayGainR(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayGainR(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayGainG1(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayGainG1(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayGainG2(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayGainG2(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayGainB(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayGainB(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayOffsetR(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayOffsetR(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayOffsetG1(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayOffsetG1(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayOffsetG2(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayOffsetG2(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetGrayOffsetB(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetGrayOffsetB(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetPeltier(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetPeltier(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetTemperature(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_GetDotFilter(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetDotFilter(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetMaskFilter(int handle, int *ok);
LUMVEX_API int LUMVEX_CALL Lumvex_SetMaskFilter(int handle, int value);

/* The current frame becomes the dark (0) or white (1) reference frame when
 * the capture window is the full sensor; the defect maps are derived anew
 * either way. Another index: error 12. */
LUMVEX_API int LUMVEX_CALL Lumvex_UpdateMaskData(int handle, int which);

/* Not supported by these cameras: return 0. The setters post error 11;
 * the getters write 0 through the pointer when it is not NULL. */
LUMVEX_API int LUMVEX_CALL Lumvex_Fps(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_SetSamplingRate(int handle, int value);
LUMVEX_API int LUMVEX_CALL Lumvex_SetCrossbar(int handle, int input, int output);
LUMVEX_API int LUMVEX_CALL Lumvex_GetSamplingRate(int handle, int *value);
LUMVEX_API int LUMVEX_CALL Lumvex_GetVideoFormat(int handle, int *value);

#ifdef __cplusplus
}
#endif

#endif /* LUMVEX_SDK_H */
