// A design file from anyone, opened and both its sides rendered as an export would, with the
// barcodes painted from their stored set-up.
#include "FuzzSupport.h"
#include "barcode/ControlBarcode.h"
#include "core/DesignFile.h"
#include "core/SKTRenderingView.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    barcode::Install_Control_Barcode_Provider();
    const DesignReadResult read = Design_From_Bytes(Fuzz_Input(data, size));
    if (read.ok() == !read.error.isEmpty())
        std::abort();
    if (read.ok())
        for (const auto &[card, controls] : {std::pair(&read.design->front, &read.design->frontControls),
                                             std::pair(&read.design->back, &read.design->backControls)}) {
            const SKTRenderingView view(CardSide::copyOf(*card, *controls), {});
            (void)view.imageInsideRect(view.frame(), 36);
        }
    return 0;
}
