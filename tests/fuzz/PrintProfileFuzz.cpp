// Print profiles from anywhere: whatever the bytes, a profile is refused with a reason or read
// as 26 to 32 texts, and loading those into the print window's state leaves a state that saves
// as a whole profile again; never a crash or a hang.
#include "FuzzSupport.h"
#include "output/print/PrintWindowState.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = Fuzz_Input(data, size);
    QLoggingCategory::setFilterRules(QStringLiteral("badgeloom.info=false"));
    static QTemporaryDir dir;
    {
        QFile f(Print_Profile_Path(dir.path(), QStringLiteral("Fuzz")));
        if (!f.open(QIODevice::WriteOnly) || f.write(input) != input.size())
            std::abort();
    }
    QString refusal;
    const QStringList items = Read_Print_Profile(dir.path(), QStringLiteral("Fuzz"), &refusal);
    if (items.isEmpty() == refusal.isEmpty())
        std::abort();
    if (items.isEmpty())
        return 0;
    if (items.size() < 26 || items.size() > 32)
        std::abort();
    PrintWindowState state;
    const QStringList before = Print_Profile_Items(state, QStringLiteral("Printer"));
    if (!Read_and_load_profile_info(state, items))
        std::abort();
    state.Check_Max_Cell_Value();
    const QStringList after = Print_Profile_Items(state, QStringLiteral("Printer"));
    if (after.size() != before.size())
        std::abort();
    QString why;
    (void)state.Execute_Printing(&why);
    return 0;
}
