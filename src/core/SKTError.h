#pragma once
// Errors of the document layer: domain "SketchErrorDomain" with a numeric code and two texts.

#include <QString>

inline const QString SKTErrorDomain = QStringLiteral("SketchErrorDomain");

// Codes in use.
inline constexpr int SKTUnknownPasteboardReadError = 2;  // clipboard data cannot be read as controls
inline constexpr int SKTWriteCouldntMakeTIFFError = 3;   // a picture of the controls cannot be made

struct SKTError {
    QString domain = SKTErrorDomain;
    int code = 0;
    QString localizedDescription;
    QString localizedFailureReason;
};

// The error of that code with the texts of the "SKTError" table ("description%ld",
// "failureReason%ld"), or the general fallbacks for a code the table does not know.
SKTError SKTErrorWithCode(int code);
