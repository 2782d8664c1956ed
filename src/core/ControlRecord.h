#pragma once
// The record of one control inside a design file: an array that starts with the type letter
// of the control's exact class ("L" line, "T" text, "D" shape, "I" image, "B" barcode,
// "S" signature) and carries its fields as strings, a barcode's picture as data.
//
// Record lengths: line 24, shape 25, signature 22, text 39, image 42, barcode 65 entries.
// Older, shorter records are read too: a line of 22 entries (no arrow flags) and an image of
// 40 or 41 entries (no value text, no shadow flag). Any other length, an entry of the wrong
// kind or an unknown letter refuses the record.

#include "core/SKTGraphic.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>

// The letter of a kind; empty for a kind no record can hold.
QString Control_Record_Letter(SKTGraphicKind kind);

// The record of the control. With `unbound`, the record says the control has no data binding
// (what a template stores) while the control itself keeps its binding. None, with the reason
// in *error, when a value cannot be stored (a control of no storable class, a number that is
// not finite): the caller must not write a partial design.
std::optional<QVariantList> Get_Control_Prop_To_Array(const SKTGraphic &graphic, bool unbound = false,
                                                      QString *error = nullptr);

// A new control of the record's class with the record's values; every field the record does
// not hold keeps the class's initial value. A barcode keeps the archived picture and takes its
// picture frame from its bounds; when the record holds no picture (Barcode_Needs_Image) the
// caller rebuilds it. nullptr, with the reason in *error, for a record that is not sound.
// Pictures found in `decoded` (by their stored bytes) are taken as they are, not decoded again.
// For a record that fails after its letter, `partial` (when given) receives the control as far
// as the record filled it, the fields after the failing one keeping a new control's values.
using Decoded_Pictures = QHash<QByteArray, QImage>;
std::unique_ptr<SKTGraphic> Create_Control_From_Array(const QVariantList &record, QString *error = nullptr,
                                                      const Decoded_Pictures *decoded = nullptr,
                                                      std::unique_ptr<SKTGraphic> *partial = nullptr);

// True for a barcode control that has no picture to show.
bool Barcode_Needs_Image(const SKTGraphic &graphic);

// The value a barcode's picture is rebuilt from: the trimmed first value of its series
// (source type 1) or of its spreadsheet column (source type 2); when unbound or that value is
// empty, its own trimmed 2-D or linear value text.
QString Barcode_Value_For_Rebuild(const SKTGraphic &graphic,
                                  const std::function<QString(const QString &seriesName)> &firstSeriesValue,
                                  const std::function<QString(int column)> &firstColumnValue);
