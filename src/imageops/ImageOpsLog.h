#pragma once
#include <QLoggingCategory>

// Failures of the image operations go to the log: they answer what they hold instead of
// interrupting the drawing that asked for them.
Q_DECLARE_LOGGING_CATEGORY(lcImageOps)
