#pragma once
// What the design core asks of the main window controller. The controller sits at the top of
// the layering, so the core talks to it only through this interface: the controller installs
// its implementation at start-up, tests install fakes, and without one the core falls back to
// harmless defaults (no panel to update, no canvas to refresh, no card to paint).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

class QAbstractButton;
class QPainter;
class QWidget;
class SKTGraphic;
class Card_Property;

// A path as the controls build it: the outline plus the stroke settings that travel with it.
// Filled and hit-tested by the non-zero winding rule.
struct SKTBezierPath {
    QPainterPath path;
    double lineWidth = 1.0;
    int lineCapStyle = 0;  // 0 butt, 1 round, 2 projecting square

    SKTBezierPath() { path.setFillRule(Qt::WindingFill); }
    bool isEmpty() const { return path.isEmpty(); }  // nothing but a lone move
};

// The bounding box of the rectangle turned by `angle` degrees about its centre (the centre
// rounded to single precision). Angle 0 answers the rectangle itself.
QRectF Rotated_Path_Rect(const QRectF &rect, float angle);
// The path turned by `angle` degrees about the point (a positive angle turns clockwise on the
// y-down canvas); angle 0 answers the path unchanged. Line width and cap are kept.
SKTBezierPath rotatedPath(const SKTBezierPath &path, double angle, QPointF aboutPoint);

class CoreHub {
public:
    virtual ~CoreHub() = default;

    // Marks the current side's canvas for redisplay.
    virtual void Refresh_Canvas() {}
    // Shows a control's position and size in the property panel; called at every bounds change.
    virtual void Set_Control_Pos_And_Size(SKTGraphic *) {}
    virtual QRectF Rotated_Path_Rect(const QRectF &rect, float angle) { return ::Rotated_Path_Rect(rect, angle); }
    virtual SKTBezierPath rotatedPath(const SKTBezierPath &path, double angle, QPointF aboutPoint)
    {
        return ::rotatedPath(path, angle, aboutPoint);
    }
    // Bounds of the front canvas: the card's rectangle at the origin. Empty when there is none.
    virtual QRectF frontCanvasBounds() { return {}; }
    // The main window's current text font and colour, which new controls take.
    virtual QFont All_Text_font();
    virtual QColor All_Text_clr() { return Qt::black; }

    // Picture services of the image, signature and barcode controls.
    // The picture of a file as the controls load it (longer side at most 500 pixels, the file's
    // orientation applied); a null image when no picture can be read there.
    virtual QImage Get_Image_For_Path(const QString &path, bool asIcon);
    // A stored path made to point into this installation's resources; by default only trimmed.
    virtual QString Check_Path_For_App_Resources(const QString &path);
    // The image control's loaded picture through the filter chain with the control's settings.
    virtual QImage Get_Image_With_Update_Settings(SKTGraphic &control);
    // Puts the property panel's image controls back to their defaults.
    virtual void Reset_Image_Editing_Controls() {}

    // --- what the canvas asks of the main window ---
    // Pushes an undo snapshot of the current side.
    virtual void Insert_In_Undo_Redo() {}
    // Fills the property panel for the control; nullptr clears the current control and the
    // current side's selection and shows the card's properties.
    virtual void Show_RHS_Properties(SKTGraphic *) {}
    // The drawing tool (0 arrow, 1 line, 2 text, 3-7 and 13-15 shapes, 8 and 9 images,
    // 10 barcode, 11 signature, 12 fingerprint).
    virtual int Selected_Control_Tool() { return 0; }
    virtual void Set_Selected_Control_Tool(int) {}
    // Set while profile values are being filled in: no undo snapshots then.
    virtual bool Fill_User_Profile() { return false; }
    virtual void Open_Barcode_Window() {}
    virtual void Set_Paste_Button_Status() {}
    // Same width / same height toolbar buttons.
    virtual void Enable_Same_Size_Buttons(bool) {}
    // Natural-size and fit-to-label buttons.
    virtual void Enable_Natural_Size_Buttons(bool) {}
    // The Align-with-grid button follows whether the grid is shown.
    virtual void Enable_Align_With_Grid_Button(bool) {}
    virtual void Undo_Action_Perform() {}
    virtual void Redo_Action_Perform() {}
    // Commands of the canvas's context menu that belong to the main window.
    virtual void Lock_Clicked() {}
    virtual void Unlock_Clicked() {}
    virtual void Card_Prop_Clicked() {}
    virtual void Card_Bckgrnd_Clicked() {}
    virtual void Export_Button() {}
    virtual void Export_As_Template_Clicked() {}
    virtual void Mail_Button() {}
    virtual void Print_Button() {}

    // --- visitor and group mode entry panels ---
    // The entry field and its check box of a control id on the current side; nullptr when the
    // panel has none.
    virtual QWidget *Get_text_box_of_visitor_mode(const QString &) { return nullptr; }
    virtual QAbstractButton *Get_chk_box_of_visitor_mode(const QString &) { return nullptr; }
    // Shows a picture in the photo box of the side's profile panel (0 front, 1 back); an empty
    // path, a null picture and an empty id clear it.
    virtual void Set_User_Image_Control(int, const QString &, const QImage &, const QString &) {}
    // Group mode: the batch value filling works on that side's array from now on.
    virtual void Set_Graphics_array_Batch(int) {}
    // Group mode: the spreadsheet column bound to a profile id, -1 when unbound.
    virtual int Get_Excel_Coulmn_Index_According_ID(const QString &) { return -1; }
};

// Builds the picture of a barcode control from its stored settings. The barcode library
// installs one; without it the canvas shows the stored sample picture.
class BarcodeImageProvider {
public:
    virtual ~BarcodeImageProvider() = default;
    // Encodes `value` with the control's settings and stores the picture in it
    // (Set_Barcode_image). A refused value leaves the control with no picture and answers false:
    // a batch must never print the barcode of the row before.
    virtual bool Build_Barcode_Image(SKTGraphic &control, const QString &value) = 0;
    // Paints the control's barcode from its stored set-up at `topLeft` (points of the painter)
    // at the resolution of the painter's device. False when nothing was painted. Called on any
    // thread: it reads the control only.
    virtual bool Paint_Barcode(const SKTGraphic &control, QPainter &painter, QPointF topLeft) const = 0;
};
// The installed provider or nullptr.
BarcodeImageProvider *barcodeImageProvider();
// Installs a provider (not owned) and returns the previous one.
BarcodeImageProvider *setBarcodeImageProvider(BarcodeImageProvider *provider);

// The installed hub, or the built-in fallback.
CoreHub &coreHub();
// Installs a hub (not owned) and returns the previous one (nullptr for the fallback).
CoreHub *setCoreHub(CoreHub *hub);
