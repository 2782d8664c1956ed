#include "output/print/PrintInfo.h"

#include <QPrinter>
#include <vector>

namespace {
std::vector<std::unique_ptr<QPrinter>> &setUps()
{
    static std::vector<std::unique_ptr<QPrinter>> all;
    return all;
}
}  // namespace

QPrinter &printInfo()
{
    if (setUps().empty())
        setUps().push_back(std::make_unique<QPrinter>(QPrinter::HighResolution));
    return *setUps().back();
}

void setPrintInfo(std::unique_ptr<QPrinter> printer)
{
    if (printer)
        setUps().push_back(std::move(printer));
}
