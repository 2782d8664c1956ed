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
        (void)SKTRenderingView::image_From_Card_Graphics(Graphic_Pointers(read.design->frontControls), 36);
    return 0;
}
