// Second process of the shared block tests: opens a camera while the test
// process holds the block, and reports whether the block kept the byte the
// test wrote into it.
//   second_camera OFFSET VALUE
// Exit codes: 0 kept, 1 usage, 2 no block before the camera, 3 byte lost,
// 4 no camera.
#include <cstdlib>

#include "api/shared_block.h"
#include "lumvex_sdk.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 1;
    const size_t offset = std::strtoul(argv[1], nullptr, 0);
    const int value = static_cast<int>(std::strtol(argv[2], nullptr, 0));

    BlockView before;
    if (!before.bytes())
        return 2;
    const int camera = Lumvex_Initialize(nullptr);
    if (camera == 0)
        return 4;
    const bool kept = before.bytes()[offset] == value;
    Lumvex_Release(camera);
    return kept ? 0 : 3;
}
