#include "imageops/ImageOpsLog.h"

Q_LOGGING_CATEGORY(lcImageOps, "badgeloom.imageops")
