#pragma once
// The design file: an XML property list whose root array holds the signature, the mode
// letter, the 34-string card blocks of the front and the back, the spreadsheet binding, the
// table's column titles and rows, the twelve profile-field columns, and a count plus one
// control record per control for the front and then the back. Design data in, file out, and
// back; nothing here touches a window.

#include "core/DesignData.h"
#include "platform/Plist.h"

#include <QString>
#include <QVariantList>
#include <optional>

// Number of root entries before the first control record (index of the front count + 1).
inline constexpr int Design_First_Record_Index = 87;
// The root entry of the spreadsheet table's rows.
inline constexpr int Design_Table_Rows_Index = 73;

// The largest design file, and the most values outside its table, that a design may have.
// Reading and writing share them: a design that could not be opened again is not saved.
inline constexpr qint64 Design_File_Max_Bytes = platform::kMaxPlistBytes;
inline constexpr qint64 Design_File_Max_Values = 4 * 1024 * 1024;

struct DesignWriteResult {
    // TooLarge: opening would refuse the file (its size, its values or its pictures); nothing
    // was written and the reason says what is too large.
    enum Status { Written, BuildFailed, WriteFailed, TooLarge };
    Status status = Written;
    // BuildFailed: entries collected before the failure; the reason names what failed.
    int collected = 0;
    QString reason;
    bool ok() const { return status == Written; }
    // The one-line report: "%d -- reason" for a design that could not be put together.
    QString message() const;
};

// The root array of the design. As a template: mode letter "T", two empty arrays for the
// table, and records that carry no data binding (the controls themselves keep theirs). A side
// whose fill style is not "I" is stored without a background picture path. None when any
// record fails, with the failure in *result.
std::optional<QVariantList> Design_To_Array(const DesignData &design, bool asTemplate,
                                            DesignWriteResult *result = nullptr);

// Writes the design whole or not at all (the previous file stays when anything fails), as a
// stream: the table is never held as a property-list tree.
DesignWriteResult Write_Design_File(const QString &path, const DesignData &design, bool asTemplate,
                                    qint64 maxBytes = Design_File_Max_Bytes);

struct DesignReadResult {
    std::optional<DesignData> design;
    // For the user: Design_File_Corrupt_Message when refused, else empty.
    QString error;
    // For the log: which entry failed and why.
    QString detail;
    bool ok() const { return design.has_value(); }
};

// Checks the whole array and returns the design, or refuses it. Nothing outside the result
// changes, so a refused file leaves the open design as it was.
DesignReadResult Design_From_Array(const QVariant &root);
// The bytes of a design file: an XML property list. Anything else is refused before it is parsed,
// and so is text that would put a NUL character into a string. Read as a stream: the table's
// rows go straight into the design's compact table.
DesignReadResult Design_From_Bytes(const QByteArray &bytes, qint64 maxBytes = Design_File_Max_Bytes);
DesignReadResult Read_Design_File(const QString &path, qint64 maxBytes = Design_File_Max_Bytes);

// True when the file is a property-list array whose first entry is the signature.
bool Check_for_Valid_Log_File(const QString &path);
