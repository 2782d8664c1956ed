#include "core/SKTError.h"

#include <QHash>

namespace {

// The "SKTError" table, keyed as the lookup asks for it.
const QHash<QString, QString> &errorTable()
{
    static const QHash<QString, QString> table{
        {QStringLiteral("description2"), QStringLiteral("The controls on the clipboard could not be pasted.")},
        {QStringLiteral("failureReason2"),
         QStringLiteral("The clipboard holds data that is damaged or was not made by this application.")},
        {QStringLiteral("description3"), QStringLiteral("A picture of the card could not be made.")},
        {QStringLiteral("failureReason3"), QStringLiteral("The picture is too large or cannot be drawn.")},
    };
    return table;
}

}  // namespace

SKTError SKTErrorWithCode(int code)
{
    SKTError error;
    error.code = code;
    error.localizedDescription = errorTable().value(
        QStringLiteral("description%1").arg(code),
        QStringLiteral("Sketch could not complete the operation because an unknown error occurred."));
    error.localizedFailureReason = errorTable().value(QStringLiteral("failureReason%1").arg(code),
                                                      QStringLiteral("An unknown error occurred."));
    return error;
}
