// Full-window 16-bit frames streamed through the transfer engine from the
// simulated camera with pacing off: frames per second, CPU time per frame of
// the transfer thread and of the reader, beside a plain copy of one frame.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "device/model_device.h"
#include "lumvex_sim.h"

namespace {

double CpuMicroseconds(HANDLE thread)
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(thread, &created, &exited, &kernel, &user);
    auto us = [](FILETIME t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 10.0; };
    return us(kernel) + us(user);
}

}  // namespace

int main(int argc, char** argv)
{
    using lumvex::CModelDevice;
    const int frames = argc > 1 ? std::atoi(argv[1]) : 1000;
    LumvexSim_SetFrameInterval(0, 0);
    CModelDevice device;
    device.SetSampleWidth(1);
    device.SetWindow(0, 0, lumvex::ModelProfile::kSensorWidth, lumvex::ModelProfile::kSensorHeight, 0);
    const size_t bytes = static_cast<size_t>(device.FrameBytes());
    std::vector<uint8_t> image(bytes);
    std::vector<std::vector<uint8_t>> sources(4, std::vector<uint8_t>(bytes, 0x5A));

    // The reference: one frame copied from a ring of four, as the reader's
    // copy does.
    const int copies = 2000;
    const auto c0 = std::chrono::steady_clock::now();
    for (int i = 0; i < copies; ++i) {
        std::vector<uint8_t>& source = sources[i % 4];
        source[i % bytes] = static_cast<uint8_t>(i);
        std::memcpy(image.data(), source.data(), bytes);
    }
    const double copyUs = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - c0).count() / copies;

    if (device.StartStream() != 0) {
        std::printf("stream did not start\n");
        return 1;
    }
    HANDLE reader = GetCurrentThread();
    const double readerCpu0 = CpuMicroseconds(reader);
    const double transferCpu0 = CpuMicroseconds(device.TransferThread());
    const unsigned delivered0 = LumvexSim_FramesDelivered(0);
    const auto t0 = std::chrono::steady_clock::now();
    int copied = 0;
    while (copied < frames) {
        const int r = device.WaitFrame();
        if (r == lumvex::FRAME_READY) {
            device.CopyFrame(image.data());
            ++copied;
        } else if (r != lumvex::FRAME_AGAIN) {
            std::printf("stream failed (%d)\n", r);
            return 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const unsigned transferred = LumvexSim_FramesDelivered(0) - delivered0;
    const double transferCpu = CpuMicroseconds(device.TransferThread()) - transferCpu0;
    const double readerCpu = CpuMicroseconds(reader) - readerCpu0;
    device.StopStream();

    std::printf("model %s, %dx%d 16-bit, frame %zu bytes\n", LUMVEX_MODEL_NAME, lumvex::ModelProfile::kSensorWidth,
                lumvex::ModelProfile::kSensorHeight, bytes);
    std::printf("memcpy of one frame:            %8.1f us\n", copyUs);
    std::printf("frames transferred:             %8u in %.2f s = %.0f frames/s\n", transferred, seconds,
                transferred / seconds);
    std::printf("frames copied by the reader:    %8d = %.0f frames/s\n", copied, copied / seconds);
    std::printf("transfer thread CPU per frame:  %8.1f us (simulated camera and driver included)\n",
                transferCpu / transferred);
    std::printf("reader CPU per frame copied:    %8.1f us\n", readerCpu / copied);
    return 0;
}
