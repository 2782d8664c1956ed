#pragma once
// The signature or fingerprint control ("S" or "F" in `sign_or_fingureprint`): a picture file
// stretched to the bounds, with an optional border. The stored path (`_file_path`) is what the
// design file and the archive keep; the picture follows it at the next drawing.

#include "core/SKTGraphic.h"

class SKTSignature : public SKTGraphic {
public:
    SKTSignature();

    // The kind's sample picture from the resources, centred on the point at the given
    // picture's size.
    static std::unique_ptr<SKTSignature> initWithPosition(QPointF point, const QImage &contents,
                                                          const QString &sign_or_FP);

    std::unique_ptr<SKTGraphic> clone() const override { return std::make_unique<SKTSignature>(*this); }
    std::unique_ptr<SKTGraphic> makeEmpty() const override { return std::make_unique<SKTSignature>(); }

    QImage _contents_img;  // the picture shown
    QString file_path;     // the path the picture was last loaded from

    // "Default" means the kind's sample picture.
    void setFilePath(const QString &path);
    // The sample picture file of a kind: "sign_sample.png" for "S", "fingerprints.png" otherwise.
    static QString Sample_Path_For_Kind(const QString &sign_or_FP);

    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited) override;
    void makeNaturalSize() override;
    bool isDrawingFill() const override { return false; }
};
