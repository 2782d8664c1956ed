// The canvas's creation of controls and its commands: clipboard, menu validation, alignment,
// order, sizes, selection, and the look-ups by control id.

#include "core/ControlArchive.h"
#include "canvas/SKTGraphicView.h"

#include "core/ControllerImageFiles.h"
#include "canvas/CanvasRequests.h"
#include "canvas/LiveModePanel.h"
#include "core/CoreHub.h"
#include "core/Globals.h"
#include "core/SKTBarcode.h"
#include "core/SKTDocument.h"
#include "canvas/SKTGrid.h"
#include "core/SKTImage.h"
#include "core/SKTLine.h"
#include "core/SKTSignature.h"
#include "core/SKTText.h"
#include "canvas/SKTZoomingScrollView.h"
#include "core/Shape_Control.h"
#include "core/Utilities.h"
#include "platform/Paths.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

namespace {

const QString kLockedMessage = QStringLiteral("Selected control is locked.");

// A control placed on the card takes the window's text font and colour of this moment.
void takeWindowTextStyle(SKTGraphic &control)
{
    control.text_ctrl_font = canvasRequests().All_Text_font();
    control.txt_clr = canvasRequests().All_Text_clr();
}

QString shapeCodeForTool(int tool)
{
    switch (tool) {
    case 3: return QStringLiteral("R");
    case 4: return QStringLiteral("C");
    case 5: return QStringLiteral("RR");
    case 6: return QStringLiteral("T");
    case 7: return QStringLiteral("D");
    case 13: return QStringLiteral("S");
    case 14: return QStringLiteral("DS");
    case 15: return QStringLiteral("P");
    default: return {};
    }
}

bool isTextOrImage(const SKTGraphic &g)
{
    return g.kind() == SKTGraphicKind::Text || g.kind() == SKTGraphicKind::Image;
}

bool fileExists(const QString &path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

double displayUnitToPoints(double value, int unit)
{
    if (unit == 0)
        return value * 72.0;
    if (unit == 1)
        return value * 72.0 / 2.54;
    return double(MM_to_Points_Convert(float(value)));
}

// "Differs" as the edge alignments test it: a NaN coordinate always differs.
bool differs(double a, double b) { return !(a == b); }

const QStringList &profileValueIds()
{
    static const QStringList ids{QStringLiteral("Fup_Name"),     QStringLiteral("Fup_Title"),
                                 QStringLiteral("Fup_Company"),  QStringLiteral("Fup_CompanySlogan"),
                                 QStringLiteral("Fup_Address"),  QStringLiteral("Fup_PhoneNO"),
                                 QStringLiteral("Fup_FaxNo"),    QStringLiteral("Fup_EmailID"),
                                 QStringLiteral("Fup_Website"),  QStringLiteral("Fup_UniqueNo"),
                                 QStringLiteral("Fup_Photo"),    QStringLiteral("Fup_Date"),
                                 QStringLiteral("Fup_Time")};
    return ids;
}

// The value ids without the photo, and every label id.
QStringList profileFieldIdsToHide()
{
    QStringList ids;
    for (const QString &id : profileValueIds()) {
        if (id != QLatin1String("Fup_Photo"))
            ids << id;
    }
    for (const QString &id : profileValueIds())
        ids << QString(id).replace(QLatin1String("Fup_"), QLatin1String("Fup_lbl_"));
    return ids;
}

}  // namespace

QImage SKTGraphicView::sampleImage(const QString &name) const
{
    return QImage(platform::joinPath(Resource_Path, name));
}

// --- creating ---

void SKTGraphicView::createGraphicOfClass(SKTGraphicKind kind, const QPointF *eventPoint, bool use_rect,
                                          const QRectF &bound_rect, const QString &card_side,
                                          const QString &ctrl_value, const QString &ctrl_ID)
{
    if (!_document || Selcect_Ctrl_With_ID(ctrl_ID))
        return;
    CanvasRequests &requests = canvasRequests();
    const bool record = !requests.Fill_User_Profile();
    if (record)
        requests.Insert_In_Undo_Redo();
    if (kind == SKTGraphicKind::Text)
        requests.Set_Selected_Control_Tool(2);
    SKTUndoManager &undo = _document->undoManager();
    undo.closeImplicitGroup();
    undo.beginUndoGrouping();
    changeSelectionIndexes({});

    const bool text = kind == SKTGraphicKind::Text;
    QRectF frame;
    if (eventPoint) {
        frame = QRectF(_grid ? _grid->constrainedPoint(*eventPoint) : *eventPoint, QSizeF(0, 0));
    } else {
        if (use_rect) {
            frame = bound_rect;
            if (text)
                frame.setSize(QSizeF(70, 20));
            if (ctrl_ID.isEmpty())
                frame.moveTopLeft(archiveHub().Control_New_Point(card_side));
        } else {
            frame = QRectF(archiveHub().Control_New_Point(card_side), text ? QSizeF(70, 20) : QSizeF(50, 50));
        }
        if (_grid) {
            const QPointF origin = _grid->constrainedPoint(frame.topLeft());
            const QPointF far = _grid->constrainedPoint(origin + QPointF(frame.width(), frame.height()));
            frame = QRectF(origin, QSizeF(far.x() - origin.x(), far.y() - origin.y()));
        }
    }

    const int tool = requests.Selected_Control_Tool();
    const QPointF origin = frame.topLeft();
    std::unique_ptr<SKTGraphic> made;
    if (tool == 1) {
        made = std::make_unique<SKTLine>();
    } else if (tool == 2) {
        made = std::make_unique<SKTText>();
    } else if (!shapeCodeForTool(tool).isEmpty()) {
        made = std::make_unique<Shape_Control>();
        made->Set_Shape_Type(shapeCodeForTool(tool));
    } else if (tool == 8) {
        if (fileExists(Library_Selected_Image)) {
            made = SKTImage::initWithPath(origin, Library_Selected_Image);
        } else if (fileExists(ctrl_value)) {
            made = SKTImage::initWithPath_With_ID(origin, ctrl_value, ctrl_ID);
        } else {
            made = SKTImage::initWithPosition(origin, sampleImage(QStringLiteral("no.png")));
            if (!Library_Selected_Image.isEmpty())
                made->Set_text_value(Library_Selected_Image);
        }
    } else if (tool == 9) {
        made = SKTImage::initWithPath(origin, Library_Selected_Image);
    } else if (tool == 10) {
        made = SKTBarcode::initWithPosition(origin, sampleImage(QStringLiteral("barcode_sample.png")));
    } else if (tool == 11) {
        Library_Selected_Image = platform::joinPath(Resource_Path, QStringLiteral("sign_sample.png"));
        made = SKTSignature::initWithPosition(origin, sampleImage(QStringLiteral("sign_sample.png")), QStringLiteral("S"));
    } else if (tool == 12) {
        made = SKTSignature::initWithPosition(origin, sampleImage(QStringLiteral("fingerprints.png")), QStringLiteral("F"));
    } else {
        made = Make_Graphic_Of_Kind(kind);
    }

    takeWindowTextStyle(*made);
    if (made->kind() == SKTGraphicKind::Text && !ctrl_value.isEmpty()) {
        made->Set_text_value(ctrl_value);
        made->_isDrawingStroke = false;
        made->_isDrawingFill = false;
        if (Start_Card_Option == QLatin1String("G")
            && (ctrl_ID.contains(QLatin1String("Fup_")) || ctrl_ID.contains(QLatin1String("_field")))
            && !ctrl_ID.contains(QLatin1String("_Photo"))) {
            const int column = liveModePanel().Get_Excel_Coulmn_Index_According_ID(ctrl_ID);
            if (column != -1) {
                made->Set_Data_source_type(2);
                made->Set_Excel_binding(true);
                made->Set_Excel_binding_Index(column);
            }
        }
        if (ctrl_ID.contains(QLatin1String("PARTY_"))) {
            static const QStringList centred{QStringLiteral("PARTY_TITLE"), QStringLiteral("PARTY_DATE"),
                                             QStringLiteral("PARTY_TIME"), QStringLiteral("PARTY_VENUE"),
                                             QStringLiteral("PARTY_MARRINGE_INFO")};
            if (centred.contains(ctrl_ID))
                made->text_alignmnet = 2;
            else if (ctrl_ID == QLatin1String("PARTY_FROM"))
                made->text_alignmnet = 1;
            if (ctrl_ID == QLatin1String("PARTY_TITLE") || ctrl_ID == QLatin1String("PARTY_MARRINGE_INFO"))
                made->text_ctrl_font = QFont(QStringLiteral(".AppleSystemUIFont"), 18);
        }
    }

    made->control_ID = ctrl_ID;
    made->setBounds(frame);
    _creatingGraphic = SKTGraphicPtr(std::move(made));
    insertGraphics({_creatingGraphic}, {0});

    _track = Tracking{};
    _track.tool = tool;
    if (eventPoint) {
        _track.mode = Track::Create;
        startResize(_creatingGraphic, _creatingGraphic->creationSizingHandle(), *eventPoint);
        return;  // the drag sizes it; the release finishes the creation
    }
    finishCreation();
}

void SKTGraphicView::finishCreation()
{
    CanvasRequests &requests = canvasRequests();
    const SKTGraphicPtr made = _creatingGraphic;
    const int tool = _track.tool;
    _track.mode = Track::None;
    SKTUndoManager &undo = _document->undoManager();
    if (made && made->bounds().width() == 0 && made->bounds().height() == 0) {
        // A click without a drag made nothing: take the insertion back on every side.
        undo.endUndoGrouping();
        if (_side == 0) {
            undo.disableUndoRegistration();
            undo.undo();
            undo.enableUndoRegistration();
        }
        const int at = indexOf(made.get());
        if (at >= 0) {
            undo.disableUndoRegistration();
            removeGraphics({at});
            undo.enableUndoRegistration();
        }
        changeSelectionIndexes({});
    } else {
        changeSelectionIndexes({indexOf(made.get())});
        startEditingGraphic(made.get());
        undo.endUndoGrouping();
    }
    const bool inList = made && indexOf(made.get()) >= 0;
    _Selected_Graphic = inList ? made.get() : nullptr;
    if (tool == 10 && inList) {
        // The sample value until the barcode window changes it.
        BarcodeImageProvider *provider = barcodeImageProvider();
        if (!provider || !provider->Build_Barcode_Image(*made, QStringLiteral("0123")))
            made->Set_Barcode_image(sampleImage(QStringLiteral("barcode_sample.png")));
        check_barcode_and_set_control_bounds(made.get());
    }
    requests.Enable_Natural_Size_Buttons(tool != 10);
    _creatingGraphic.reset();
    requests.Set_Selected_Control_Tool(0);
    if (!requests.Fill_User_Profile())
        requests.Insert_In_Undo_Redo();
}

void SKTGraphicView::ReplaceGraphicText(SKTGraphicKind kind, bool use_rect, const QRectF &bound_rect,
                                        const QString &card_side, const QString &ctrl_value, const QString &ctrl_ID)
{
    SKTGraphic *found = Selcect_Ctrl_With_ID(ctrl_ID);
    if (!found) {
        createGraphicOfClass(kind, nullptr, use_rect, bound_rect, card_side, ctrl_value, ctrl_ID);
        return;
    }
    found->Set_Ctrl_Is_Visible(true);
    if (kind == SKTGraphicKind::Text && !ctrl_value.isEmpty()) {
        found->Set_text_value(ctrl_value);
        found->_isDrawingStroke = false;
        found->_isDrawingFill = false;
    } else if (kind == SKTGraphicKind::Image && found->kind() == SKTGraphicKind::Image) {
        static_cast<SKTImage *>(found)->setFilePath(ctrl_value, true);
    }
    setNeedsDisplayInRect(found->drawingBounds());
    startEditingGraphic(found);
    _Selected_Graphic = found;
    if (!canvasRequests().Fill_User_Profile())
        canvasRequests().Insert_In_Undo_Redo();
}

// --- clipboard ---

void SKTGraphicView::copy()
{
    _paste.didCopy(Copy_Graphics_To_Pasteboard(Graphic_Pointers(selectedGraphics()), canvasBounds(), _cardProperty));
    canvasRequests().Set_Paste_Button_Status();
}

void SKTGraphicView::cut()
{
    if (There_Is_Any_Lock_Contrl()) {
        Show_MessageBox(kLockedMessage);
        return;
    }
    copy();
    deleteSelection();
}

void SKTGraphicView::paste()
{
    if (!_document)
        return;
    snapshot();
    const QMimeData *data = QGuiApplication::clipboard() ? QGuiApplication::clipboard()->mimeData() : nullptr;
    const SKTPasteboardContent type = Pasteboard_Available_Type(data);
    if (type == SKTPasteboardContent::Graphics) {
        SKTPasteOutcome outcome = Graphics_For_Paste(data, Pasteboard_Change_Count(), _paste, sideCode());
        if (outcome.error) {
            Show_MessageBox(outcome.error->localizedDescription);
            return;
        }
        if (outcome.graphics.empty())
            return;
        std::vector<int> indexes;
        for (std::size_t i = 0; i < outcome.graphics.size(); ++i)
            indexes.push_back(int(i));
        insertGraphics(outcome.graphics, indexes);
        changeSelectionIndexes(indexes);
        _Selected_Graphic = outcome.graphics.front().get();
        canvasRequests().Show_RHS_Properties(_Selected_Graphic);
    } else if (type != SKTPasteboardContent::FileNames) {
        makeNewImageFromPasteboard(data);
    }
}

bool SKTGraphicView::makeNewImageFromPasteboard(const QMimeData *data)
{
    if (!_document || !data || !data->hasImage())
        return false;
    const QImage picture = qvariant_cast<QImage>(data->imageData());
    if (picture.isNull())
        return false;
    // The control keeps a path, so the picture is written where the user's pictures live and the
    // path names that file.
    const QString folder = platform::joinPath(Created_Resource_Path, QStringLiteral("Images_save_by_user"));
    Create_Folder(folder);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmsszzz"));
    QString path = platform::joinPath(folder, QStringLiteral("Pasted_%1.png").arg(stamp));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = platform::joinPath(folder, QStringLiteral("Pasted_%1_%2.png").arg(stamp).arg(n));
    QString error;
    if (!Save_gen_image(picture, path, &error)) {
        Show_MessageBox(error);
        return false;
    }
    const QPointF point = archiveHub().Control_New_Point(sideCode());
    std::unique_ptr<SKTImage> image = SKTImage::initWithPath(point, path);
    takeWindowTextStyle(*image);
    image->setBounds(QRectF(point, image->bounds().size()));
    const SKTGraphicPtr made(std::move(image));
    insertGraphics({made}, {0});
    changeSelectionIndexes({0});
    _Selected_Graphic = made.get();
    return true;
}

bool SKTGraphicView::makeNewImageFromContentsOfFile(const QString &path, QPointF point)
{
    const QByteArray format = QImageReader::imageFormat(path);
    if (!_document || format.isEmpty())
        return false;
    const QImage picture(path);
    if (picture.isNull())
        return false;
    const SKTGraphicPtr made(SKTImage::initWithPosition(point, picture));
    takeWindowTextStyle(*made);
    insertGraphics({made}, {0});
    changeSelectionIndexes({0});
    return true;
}

// --- validation ---

bool SKTGraphicView::validateMenuItem(const QString &action, QString *title) const
{
    const std::size_t count = _selection.size();
    if (_Selected_Graphic) {
        static const QStringList lockedOff{QStringLiteral("cut:"),         QStringLiteral("paste:"),
                                           QStringLiteral("delete:"),      QStringLiteral("bringToFront:"),
                                           QStringLiteral("sendToBack:"),  QStringLiteral("lock_ctrl:")};
        if (_Selected_Graphic->ctrl_is_locked && lockedOff.contains(action))
            return false;
        if (!_Selected_Graphic->ctrl_is_locked && action == QLatin1String("unlock_ctrl:"))
            return false;
    }
    if (action == QLatin1String("makeNaturalSize:")) {
        const SKTGraphicArray selected = selectedGraphics();
        return std::any_of(selected.begin(), selected.end(), [](const SKTGraphicPtr &g) { return g->canMakeNaturalSize(); });
    }
    if (action == QLatin1String("paste:")) {
        const QMimeData *data = QGuiApplication::clipboard() ? QGuiApplication::clipboard()->mimeData() : nullptr;
        return Pasteboard_Available_Type(data) == SKTPasteboardContent::Graphics;
    }
    static const QStringList oneOrMore{QStringLiteral("alignWithGrid:"), QStringLiteral("delete:"),
                                       QStringLiteral("bringToFront:"),  QStringLiteral("sendToBack:"),
                                       QStringLiteral("cut:"),           QStringLiteral("copy:"),
                                       QStringLiteral("lock_ctrl:"),     QStringLiteral("unlock_ctrl:")};
    if (oneOrMore.contains(action)) {
        if (action == QLatin1String("alignWithGrid:") && !(_grid && _grid->canAlign()))
            return false;
        return count >= 1;
    }
    static const QStringList twoOrMore{
        QStringLiteral("alignLeftEdges:"),         QStringLiteral("alignRightEdges:"),
        QStringLiteral("alignTopEdges:"),          QStringLiteral("alignBottomEdges:"),
        QStringLiteral("alignHorizontalCenters:"), QStringLiteral("alignVerticalCenters:"),
        QStringLiteral("makeSameWidth:"),          QStringLiteral("makeSameHeight:")};
    if (twoOrMore.contains(action))
        return count >= 2;
    if (action == QLatin1String("showOrHideRulers:")) {
        if (title)
            *title = rulersVisible() ? tr("Hide Ruler") : tr("Show Ruler");
        return true;
    }
    return true;
}

void SKTGraphicView::undo() { canvasRequests().Undo_Action_Perform(); }
void SKTGraphicView::redo() { canvasRequests().Redo_Action_Perform(); }

// --- alignment ---

void SKTGraphicView::alignSelection(bool fromSecond,
                                    const std::function<QPointF(const QRectF &, const QRectF &, int)> &place)
{
    const SKTGraphicArray selected = selectedGraphics();
    if (selected.empty())
        return;
    const int n = int(selected.size());
    const QRectF reference = selected.front()->bounds();
    for (int i = (n >= 2 && fromSecond) ? 1 : 0; i < n; ++i) {
        SKTGraphic *g = selected[std::size_t(i)].get();
        if (g->ctrl_is_locked)
            continue;
        const QRectF b = g->bounds();
        const QPointF origin = place(reference, b, n);
        if (origin == b.topLeft())
            continue;
        g->setBounds(QRectF(origin, b.size()));
        check_barcode_and_set_control_bounds(g);
    }
}

void SKTGraphicView::alignformCenter()
{
    const QRectF c = canvasBounds();
    alignSelection(false, [c](const QRectF &, const QRectF &b, int) {
        return QPointF(c.width() / 2 - b.width() / 2, c.height() / 2 - b.height() / 2);
    });
}

void SKTGraphicView::alignLeftEdges()
{
    alignSelection(true, [](const QRectF &r, const QRectF &b, int n) {
        if (n == 1)
            return QPointF(0, b.y());
        return differs(b.x(), r.x()) ? QPointF(r.x(), b.y()) : b.topLeft();
    });
}

void SKTGraphicView::alignRightEdges()
{
    const QRectF c = canvasBounds();
    alignSelection(true, [c](const QRectF &r, const QRectF &b, int n) {
        if (n == 1)
            return QPointF(c.width() - b.width(), b.y());
        return differs(b.x() + b.width(), r.x() + r.width()) ? QPointF(r.x() + r.width() - b.width(), b.y())
                                                             : b.topLeft();
    });
}

void SKTGraphicView::alignTopEdges()
{
    alignSelection(true, [](const QRectF &r, const QRectF &b, int n) {
        if (n == 1)
            return QPointF(b.x(), 0);
        return differs(b.y(), r.y()) ? QPointF(b.x(), r.y()) : b.topLeft();
    });
}

void SKTGraphicView::alignBottomEdges()
{
    const QRectF c = canvasBounds();
    alignSelection(true, [c](const QRectF &r, const QRectF &b, int n) {
        if (n == 1)
            return QPointF(b.x(), c.height() - b.height());
        return differs(b.y() + b.height(), r.y() + r.height()) ? QPointF(b.x(), r.y() + r.height() - b.height())
                                                               : b.topLeft();
    });
}

void SKTGraphicView::alignHorizontalCenters()
{
    const QRectF c = canvasBounds();
    alignSelection(false, [c](const QRectF &, const QRectF &b, int) {
        return QPointF(c.x() + c.width() / 2 - b.width() / 2, b.y());
    });
}

void SKTGraphicView::alignVerticalCenters()
{
    const QRectF c = canvasBounds();
    alignSelection(false, [c](const QRectF &, const QRectF &b, int) {
        return QPointF(b.x(), c.y() + c.height() / 2 - b.height() / 2);
    });
}

void SKTGraphicView::alignWithGrid()
{
    if (!_grid)
        return;
    for (const SKTGraphicPtr &g : selectedGraphics()) {
        if (g->ctrl_is_locked)
            continue;
        g->setBounds(_grid->alignedRect(g->bounds()));
        check_barcode_and_set_control_bounds(g.get());
    }
}

void SKTGraphicView::print_contol_or_not(int flag)
{
    for (const SKTGraphicPtr &g : selectedGraphics()) {
        if (!g->ctrl_is_locked)
            g->print_object = flag;
    }
}

// --- order ---

void SKTGraphicView::reorderSelection(bool toFront)
{
    const SKTGraphicArray block = selectedGraphics();
    if (block.empty())
        return;
    if (There_Is_Any_Lock_Contrl()) {
        Show_MessageBox(kLockedMessage);
        return;
    }
    removeGraphics(_selection);
    const int start = toFront ? 0 : int(graphics().size());
    std::vector<int> indexes;
    for (std::size_t i = 0; i < block.size(); ++i)
        indexes.push_back(start + int(i));
    insertGraphics(block, indexes);
    changeSelectionIndexes(indexes);
}

void SKTGraphicView::bringToFront() { reorderSelection(true); }
void SKTGraphicView::sendToBack() { reorderSelection(false); }

// --- frame fields and sizes ---

void SKTGraphicView::Frame_main_Pic_X_Pos_Changed(double points)
{
    for (const SKTGraphicPtr &g : selectedGraphics()) {
        if (!g->ctrl_is_locked)
            g->setXPosition(points);
    }
}

void SKTGraphicView::Frame_main_Pic_Y_Pos_Changed(double points)
{
    for (const SKTGraphicPtr &g : selectedGraphics()) {
        if (!g->ctrl_is_locked)
            g->setYPosition(points);
    }
}

void SKTGraphicView::Frame_main_Pic_Wdith_Changed(double value, int unit)
{
    const double points = displayUnitToPoints(value, unit);
    for (const SKTGraphicPtr &g : selectedGraphics()) {
        if (!g->ctrl_is_locked && g->kind() != SKTGraphicKind::Barcode)
            g->setWidth(points);
    }
}

void SKTGraphicView::Frame_main_Pic_Height_Changed(double value, int unit)
{
    const double points = displayUnitToPoints(value, unit);
    for (const SKTGraphicPtr &g : selectedGraphics()) {
        if (!g->ctrl_is_locked && g->kind() != SKTGraphicKind::Barcode)
            g->setHeight(points);
    }
}

void SKTGraphicView::makeSameWidth()
{
    const SKTGraphicArray selected = selectedGraphics();
    if (selected.size() < 2)
        return;
    const double width = selected.front()->width();
    for (std::size_t i = 1; i < selected.size(); ++i) {
        SKTGraphic *g = selected[i].get();
        if (!g->ctrl_is_locked && g->kind() != SKTGraphicKind::Barcode && g->width() != width)
            g->setBounds(QRectF(g->bounds().topLeft(), QSizeF(width, g->height())));
    }
}

void SKTGraphicView::makeSameHeight()
{
    const SKTGraphicArray selected = selectedGraphics();
    if (selected.size() < 2)
        return;
    const double height = selected.front()->height();
    for (std::size_t i = 1; i < selected.size(); ++i) {
        SKTGraphic *g = selected[i].get();
        if (!g->ctrl_is_locked && g->kind() != SKTGraphicKind::Barcode && g->height() != height)
            g->setBounds(QRectF(g->bounds().topLeft(), QSizeF(g->width(), height)));
    }
}

void SKTGraphicView::makeNaturalSize()
{
    for (const SKTGraphicPtr &g : selectedGraphics())
        g->makeNaturalSize();
}

void SKTGraphicView::makeSameAsLabelSize()
{
    for (const SKTGraphicPtr &g : selectedGraphics())
        g->makeSameAsLabelSize();
}

// --- selection, rulers, removal ---

void SKTGraphicView::selectAll()
{
    std::vector<int> all(graphics().size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    changeSelectionIndexes(all);
}

void SKTGraphicView::deselectAll() { changeSelectionIndexes({}); }

void SKTGraphicView::Refresh_ScrollView()
{
    if (SKTZoomingScrollView *view = zoomingScrollView())
        view->viewport()->update();
    update();
}

bool SKTGraphicView::rulersVisible() const
{
    const SKTZoomingScrollView *view = zoomingScrollView();
    return view && view->rulersVisible();
}

void SKTGraphicView::showOrHideRulers()
{
    if (SKTZoomingScrollView *view = zoomingScrollView())
        view->setRulersVisible(!view->rulersVisible());
}

void SKTGraphicView::delete_all_control()
{
    std::vector<int> all(graphics().size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = int(i);
    removeGraphics(all);
}

void SKTGraphicView::delete_all_Text_control()
{
    const SKTGraphicArray list = graphics();
    std::vector<int> doomed;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (isTextOrImage(*list[i]))
            doomed.push_back(int(i));
    }
    removeGraphics(doomed);
}

void SKTGraphicView::show_hide_grid_lines()
{
    if (_grid)
        _grid->setAlwaysShown(!_grid->isAlwaysShown());
}

// --- look-ups by id ---

SKTGraphic *SKTGraphicView::Selcect_Ctrl_With_ID(const QString &ID) const
{
    if (ID.isEmpty())
        return nullptr;
    for (const SKTGraphicPtr &g : graphics()) {
        if (isTextOrImage(*g) && g->control_ID == ID)
            return g.get();
    }
    return nullptr;
}

void SKTGraphicView::Set_Selection_Index_According_ID(const QString &ID)
{
    const SKTGraphicArray &list = graphics();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]->control_ID == ID) {
            _Selected_Graphic = list[i].get();
            changeSelectionIndexes({int(i)});
            return;
        }
    }
    _Selected_Graphic = nullptr;
}

void SKTGraphicView::Hide_all_Text_control_FUP_Control()
{
    const QStringList ids = profileFieldIdsToHide();
    for (const SKTGraphicPtr &g : graphics()) {
        if (isTextOrImage(*g) && ids.contains(g->control_ID)) {
            g->Set_Ctrl_Is_Visible(false);
            setNeedsDisplayInRect(g->drawingBounds());
        }
    }
}

void SKTGraphicView::Hide_all_Value_control_FUP_Control()
{
    for (const SKTGraphicPtr &g : graphics()) {
        if (isTextOrImage(*g) && profileValueIds().contains(g->control_ID)) {
            g->Set_Ctrl_Is_Visible(false);
            setNeedsDisplayInRect(g->drawingBounds());
        }
    }
}

bool SKTGraphicView::There_Is_Frame_Pic_Or_Frame_Photo() const
{
    const SKTGraphicArray selected = selectedGraphics();
    return std::any_of(selected.begin(), selected.end(), [](const SKTGraphicPtr &g) {
        return g->control_ID == QLatin1String("PARTY_IMAGE") || g->control_ID == QLatin1String("PARTY_IMAGE_BG");
    });
}

// --- context menu ---

QMenu *SKTGraphicView::contextMenu()
{
    struct Item {
        const char *title;
        const char *action;
        std::function<void()> run;
    };
    const std::vector<Item> items{
        {"Cut", "cut:", [this] { cut(); }},
        {"Copy", "copy:", [this] { copy(); }},
        // Pasted from here, no window command records the change after it, as the toolbar's does.
        {"Paste", "paste:", [this] { paste(); snapshot(); }},
        {nullptr, nullptr, {}},
        {"Delete", "delete:", [this] { deleteSelection(); }},
        {nullptr, nullptr, {}},
        {"Bring to Front", "bringToFront:", [this] { bringToFront(); }},
        {"Send to Back", "sendToBack:", [this] { sendToBack(); }},
        {nullptr, nullptr, {}},
        {"Lock", "lock_ctrl:", [] { canvasRequests().Lock_Clicked(); }},
        {"Unlock", "unlock_ctrl:", [] { canvasRequests().Unlock_Clicked(); }},
        {nullptr, nullptr, {}},
        {"Card Properties", "card_properties:", [] { canvasRequests().Card_Prop_Clicked(); }},
        {"Card Background", "select_card:", [] { canvasRequests().Card_Bckgrnd_Clicked(); }},
        {nullptr, nullptr, {}},
        {"Show/Hide Grid", "show_hide_grid_lines:", [this] { show_hide_grid_lines(); }},
        {nullptr, nullptr, {}},
        {"Export ID Card", "export_id_card:", [] { canvasRequests().Export_Button(); }},
        {"Export as Template", "export_as_template:", [] { canvasRequests().Export_As_Template_Clicked(); }},
        {"Mail ID Card", "mail_id_card:", [] { canvasRequests().Mail_Button(); }},
        {"Print ID Card", "print_id_card:", [] { canvasRequests().Print_Button(); }},
    };
    auto *menu = new QMenu(QStringLiteral("Contextual Menu"), this);
    for (const Item &item : items) {
        if (!item.action) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(tr(item.title));
        const QString name = QString::fromLatin1(item.action);
        action->setObjectName(name);
        // A window command whose window is not there yet is shown unavailable, not silent.
        static const QStringList ofWindow{QStringLiteral("card_properties:"),    QStringLiteral("select_card:"),
                                          QStringLiteral("export_id_card:"),     QStringLiteral("export_as_template:"),
                                          QStringLiteral("mail_id_card:"),       QStringLiteral("print_id_card:")};
        action->setEnabled(validateMenuItem(name) && (!ofWindow.contains(name) || canvasRequests().Window_Command_Available(name)));
        connect(action, &QAction::triggered, this, item.run);
    }
    return menu;
}
