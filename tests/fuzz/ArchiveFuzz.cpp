// One control's archive, as undo, backups and design records read it: a control that archives
// again, or nothing.
#include "FuzzSupport.h"
#include "core/ControlArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::unique_ptr<SKTGraphic> graphic = Unarchive_Graphic(Fuzz_Input(data, size));
    if (graphic && Archive_Graphic(*graphic).isEmpty())
        std::abort();
    return 0;
}
