#include "platform/PictureBudget.h"

#include "platform/RegularFile.h"
#include "platform/ValueBounds.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

namespace platform {

namespace {

struct JpegFrame {
    quint32 width = 0, height = 0;
    int components = 0;
    bool progressive = false;
    bool wholeImageDecode = false;  // the decoder buffers every coefficient
};

// Walks the markers up to the first scan as the decoder does: the frame's size and whether the
// decoder will keep the whole image's coefficients. False for a file that is no JPEG or ends
// first. Bytes between segments and markers without a length are passed over as the decoder
// passes them, so that no padding hides the frame from this walk and not from the decoder.
bool readJpegFrame(QIODevice &in, JpegFrame &frame)
{
    auto byte = [&in](quint8 &b) { char c; return in.getChar(&c) ? (b = quint8(c), true) : false; };
    auto word = [&](quint32 &w) {
        quint8 hi, lo;
        return byte(hi) && byte(lo) ? (w = quint32(hi) << 8 | lo, true) : false;
    };
    quint8 a, b;
    if (!byte(a) || !byte(b) || a != 0xFF || b != 0xD8)
        return false;
    bool seenFrame = false;
    for (;;) {
        quint8 marker = 0;
        do {  // anything up to the next 0xFF, then any fill bytes
            if (!byte(marker))
                return false;
        } while (marker != 0xFF);
        while (marker == 0xFF)
            if (!byte(marker))
                return false;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;  // a stuffed byte, or a marker that has no segment
        quint32 length = 0;
        if (!word(length) || length < 2)
            return false;
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            quint8 precision, count;
            if (!byte(precision) || !word(frame.height) || !word(frame.width) || !byte(count))
                return false;
            frame.components = count;
            frame.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            seenFrame = true;
            if (const qint64 rest = qint64(length) - 8; rest < 0 || in.skip(rest) != rest)
                return false;
        } else if (marker == 0xDA) {
            quint8 inScan = 0;
            if (!seenFrame || !byte(inScan))
                return false;
            frame.wholeImageDecode = frame.progressive || inScan < frame.components;
            return true;
        } else if (in.skip(qint64(length) - 2) != qint64(length) - 2) {
            return false;
        }
    }
}

}  // namespace

QString pictureDecodeRefusal(QIODevice *device)
{
    if (!device || !device->isOpen() || device->isSequential())
        return {};
    const qint64 start = device->pos();
    JpegFrame frame;
    const bool jpeg = readJpegFrame(*device, frame);
    device->seek(start);
    const double pixels = double(frame.width) * frame.height;
    if (!jpeg || !frame.wholeImageDecode || pixels <= bounds::MaxPicturePixels)
        return {};
    return QStringLiteral("it claims %1 by %2 pixels in a JPEG stored in several scans, more than a picture may "
                          "have (%3 million pixels)")
        .arg(frame.width)
        .arg(frame.height)
        .arg(bounds::MaxPicturePixels / 1.0e6);
}

QString pictureDecodeRefusal(const QString &path)
{
    QFile file(path);
    if (!openRegularFile(file))
        return {};
    const QString why = pictureDecodeRefusal(&file);
    return why.isEmpty() ? why : QStringLiteral("The picture \"%1\" was not loaded: %2.").arg(QFileInfo(path).fileName(), why);
}

bool mayDecodePictureFile(const QString &path) { return isRegularFile(path) && pictureDecodeRefusal(path).isEmpty(); }

}  // namespace platform
