/*
 * Control of the simulated camera, exported only by the simulated variant
 * of each SDK DLL (the same file name in its own folder). The simulated
 * variant runs the library's real driver channel, device object and
 * transfer engine against a camera and driver simulated inside the DLL;
 * without any call here device 0 is plugged, shows the built-in pattern and
 * free-runs at its natural frame rate.
 *
 * The built-in pattern: a ramp over the sensor (each position its own
 * value), a square moving 4 pixels a frame, and the frame counter in the
 * first sample of every line. Pattern values scale with the exposure
 * register (unscaled at the model's default exposure) and clip at full
 * scale; a loaded scene is sent as it is.
 *
 * All functions are safe to call from any thread. Device numbers are 0-7.
 */
#ifndef LUMVEX_SIM_H
#define LUMVEX_SIM_H

#ifdef __cplusplus
extern "C" {
#endif

#ifndef LUMVEX_SIM_API
#define LUMVEX_SIM_API __declspec(dllimport)
#endif
#define LUMVEX_SIM_CALL __cdecl

/* Kinds of request for fault injection. */
#define LUMVEXSIM_OPEN    0 /* opening the device path */
#define LUMVEXSIM_COMMAND 1 /* command packets on pipe 0 */
#define LUMVEXSIM_REPLY   2 /* replies on pipe 1 */
#define LUMVEXSIM_FRAME   3 /* frame data on pipe 2 */

/* One request as the driver saw it. */
#define LUMVEXSIM_OP_OPEN  0
#define LUMVEXSIM_OP_IOCTL 1
#define LUMVEXSIM_OP_CLOSE 2
typedef struct LUMVEXSIM_REQUEST {
    unsigned long long timeUs; /* microseconds on the simulator's clock */
    int device;                /* -1: no device behind the path or handle */
    int op;                    /* LUMVEXSIM_OP_* */
    unsigned code;             /* I/O control code */
    unsigned pipe;
    unsigned length;           /* output buffer length */
    unsigned moved;            /* bytes the driver reported moved */
    int ok;                    /* the request succeeded */
    unsigned char data[64];    /* the command packet (pipe 0), reply (pipe 1),
                                  parameter input, or device path (open) */
} LUMVEXSIM_REQUEST;

/* Everything back to the start state; the log is cleared. */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_Reset(void);
/* Plugs or unplugs a device. Handles open at an unplug stay dead; a device
 * plugged in again starts from its power-up state. */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_SetPlugged(int device, int plugged);
/* Microseconds between frames; 0 delivers frames as fast as asked. */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_SetFrameInterval(int device, unsigned intervalUs);
/* A full-sensor image of width x height samples at the sample depth. */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_LoadScene(int device, const unsigned short *samples);
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_UsePattern(int device);
/* The 12-bit temperature reading (registers 26 and 27). */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_SetTemperatureRaw(int device, int raw);
/* Serial ROM bytes: area 0x18 (ID area) or 0x19 (identity area). */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_SetSromByte(int device, int area, int address, int value);
LUMVEX_SIM_API int LUMVEX_SIM_CALL LumvexSim_GetSromByte(int device, int area, int address);
/* Register files, read and written as the camera holds them. */
LUMVEX_SIM_API int LUMVEX_SIM_CALL LumvexSim_GetFpgaRegister(int device, int reg);
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_SetFpgaRegister(int device, int reg, int value);
LUMVEX_SIM_API int LUMVEX_SIM_CALL LumvexSim_GetCameraRegister(int device, int reg);
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_SetCameraRegister(int device, int reg, int value);
/* In trigger mode a frame request waits for one of these. */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_FireTrigger(int device);
/* Faults: the next count requests of a kind fail; the next request of a
 * kind completes with only bytes moved; a stalled camera sends no frames
 * (requests fail after the driver's time-out). */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_FailNext(int device, int kind, int count);
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_ShortenNext(int device, int kind, unsigned bytes);
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_SetStalled(int device, int stalled);
/* The driver's time-out for a waiting frame request, in milliseconds; 0
 * goes back to the value the library sends as driver parameter 1. */
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_SetTimeout(unsigned milliseconds);
/* Frames delivered so far, and the frame counter the pattern shows next. */
LUMVEX_SIM_API unsigned LUMVEX_SIM_CALL LumvexSim_FramesDelivered(int device);
LUMVEX_SIM_API unsigned LUMVEX_SIM_CALL LumvexSim_OpenHandles(int device);
/* The request log (every open, request and close, oldest first). */
LUMVEX_SIM_API int LUMVEX_SIM_CALL LumvexSim_LogCount(void);
LUMVEX_SIM_API int LUMVEX_SIM_CALL LumvexSim_GetLogEntry(int index, LUMVEXSIM_REQUEST *entry);
LUMVEX_SIM_API void LUMVEX_SIM_CALL LumvexSim_ClearLog(void);

#ifdef __cplusplus
}
#endif

#endif /* LUMVEX_SIM_H */
