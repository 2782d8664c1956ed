// A design file from anyone, opened and its front side rendered as an export would.
#include "FuzzSupport.h"
#include "core/DesignFile.h"
#include "core/SKTRenderingView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const DesignReadResult read = Design_From_Bytes(Fuzz_Input(data, size));
    if (read.ok() == !read.error.isEmpty())
        std::abort();
    if (read.ok())
        (void)SKTRenderingView({0, 0, 243, 154}, Graphic_Pointers(read.design->frontControls), {}).imageInsideRect({0, 0, 243, 154}, 36);
    return 0;
}
