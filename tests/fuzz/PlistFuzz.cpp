// Property lists from files and the clipboard: whatever the bytes, a value or a reason.
#include "FuzzSupport.h"
#include "platform/Plist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    const QVariant value = platform::plistParse(Fuzz_Input(data, size), &error);
    if (value.isValid() == !error.isEmpty())
        std::abort();
    return 0;
}
