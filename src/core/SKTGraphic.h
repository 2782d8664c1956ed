#pragma once
// The card control base: one flat set of fields that every kind of control is stored, copied,
// archived and edited through, plus the geometry every kind shares (handles, hit-testing,
// resizing, drawing bounds) and the path painting of lines and shapes.
//
// A plain copyable class. The copy constructor copies every field (a whole control, as the
// archive restores it) but never the observers; copyWithZone() is the narrower copy the
// canvas's duplicate makes. Kinds are told apart by their exact class through kind().

#include "core/PathGeometry.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QCursor;
class SKTDocument;
class SKTGraphic;

// The exact class of a control; a kind passes its own to the base constructor, which takes
// the kind-specific defaults from it.
enum class SKTGraphicKind { Graphic, Text, Image, Line, Barcode, Signature, Shape };

// Change-notification keys.
inline const QString SKTGraphicCanSetDrawingFillKey = QStringLiteral("canSetDrawingFill");
inline const QString SKTGraphicCanSetDrawingStrokeKey = QStringLiteral("canSetDrawingStroke");
inline const QString SKTGraphicIsDrawingFillKey = QStringLiteral("drawingFill");
inline const QString SKTGraphicFillColorKey = QStringLiteral("fillColor");
inline const QString SKTGraphicIsDrawingStrokeKey = QStringLiteral("drawingStroke");
inline const QString SKTGraphicStrokeColorKey = QStringLiteral("strokeColor");
inline const QString SKTGraphicStrokeWidthKey = QStringLiteral("strokeWidth");
inline const QString SKTGraphicXPositionKey = QStringLiteral("xPosition");
inline const QString SKTGraphicYPositionKey = QStringLiteral("yPosition");
inline const QString SKTGraphicWidthKey = QStringLiteral("width");
inline const QString SKTGraphicHeightKey = QStringLiteral("height");
inline const QString SKTGraphicBoundsKey = QStringLiteral("bounds");
inline const QString SKTGraphicDrawingBoundsKey = QStringLiteral("drawingBounds");
inline const QString SKTGraphicDrawingContentsKey = QStringLiteral("drawingContents");
inline const QString SKTGraphicKeysForValuesToObserveForUndoKey = QStringLiteral("keysForValuesToObserveForUndo");
inline const QString SKTGraphicClassNameKey = QStringLiteral("className");

inline constexpr double SKTGraphicHandleWidth = 8.0;
inline constexpr double SKTGraphicHandleHalfWidth = 4.0;
inline constexpr qint64 SKTGraphicNoHandle = 0;

// The styled text of a text control: its string and the attributes it was made with.
struct SKTTextStorage {
    QString string;
    QFont font;
    QColor foregroundColor = Qt::black;
};

// Called after an observed key changed: the control, the key, the old and the new value.
using SKTGraphicObserver =
    std::function<void(SKTGraphic &graphic, const QString &key, const QVariant &oldValue, const QVariant &newValue)>;

class SKTGraphic {
public:
    SKTGraphic();
    virtual ~SKTGraphic();
    SKTGraphic(const SKTGraphic &other);
    SKTGraphic &operator=(const SKTGraphic &other);

    SKTGraphicKind kind() const { return m_kind; }
    // "SKTGraphic", "SKTText", "SKTImage", "SKTLine", "SKTBarcode", "SKTSignature", "Shape_Control".
    QString className() const;
    static QString classNameForKind(SKTGraphicKind kind);

    // A whole copy with every field, of the same class.
    virtual std::unique_ptr<SKTGraphic> clone() const;
    // A fresh control of the same class with every default.
    virtual std::unique_ptr<SKTGraphic> makeEmpty() const;
    // Same class, defaults, then the fields the kind's field table marks as copied (bounds,
    // fill, stroke, gradient, hatch, binding and value text; a line's direction, an image's
    // pictures) taken from this control.
    std::unique_ptr<SKTGraphic> copyWithZone() const;

    // --- fields, public: panel, design file, barcode window and batch code use them by name ---
    bool _boundsBeingChangedToMatchContents = false;
    QRectF _bounds;
    bool _isDrawingFill = true;
    QColor _fillColor = Qt::white;
    bool _isDrawingStroke = true;
    QColor _strokeColor = Qt::black;
    double _strokeWidth = 1.0;
    QString _stroke_border_type = QStringLiteral("S");
    QString _fill_type = QStringLiteral("S");
    QColor _fill_Grad_clr1 = Qt::white;
    QColor _fill_Grad_clr2 = Qt::white;
    double _fill_grad_angle = 0;
    QColor _fill_htch_clr = Qt::white;
    QString _fill_hatch_type;
    bool _isFlippedHorizontally = false;
    bool _isFlippedVertically = false;
    bool invert_clr = false;
    bool gray_Scale = false;
    bool Sepia = false;
    float img_trnsp_val = 100;
    float hue_val = 0;
    float sat_val = 1;
    float brt_val = 0;
    float con_val = 1;
    float srp_val = 0;
    float ev_val = 0;
    float blr_val = 0;
    int data_source_type = 0;
    QString batch_list_name;
    int batch_list_index = 0;
    float rotate_image = 0;
    QString _file_path;
    SKTDocument *_scriptingContainer = nullptr;  // not owned
    QString sign_or_fingureprint = QStringLiteral("S");
    int _line_ori = 0;
    int _line_cap_style = 0;
    float cor_rad_val = 10;
    float alpha_val = 100;
    float alpha_val_stroke = 100;
    QFont text_ctrl_font;
    QColor txt_clr = Qt::black;
    std::optional<SKTTextStorage> _Text_contents;
    QString _shape_type = QStringLiteral("R");
    QRectF bar_image_ctrl_bounds;
    QImage _barcode_image;
    int linear_or_2d = 0;
    int barcode_font_index = 0;
    QString linear_font_val = QStringLiteral("0123");
    QString two_d_font_val = QStringLiteral("0123");
    QString header_val = QStringLiteral("HEADER");
    QString footer_val = QStringLiteral("FOOTER");
    int show_hide_hdr = 0;
    int show_hide_ftr = 0;
    int show_hide_val = 0;
    int show_val_on_top = 0;
    int align_hdr_index = 1;
    int align_ftr_index = 1;
    float linear_height_val = 6;
    float linear_width_val = 20;
    int qr_size_val = 60;
    int qr_version_index = 0;
    int qr_ec_index = 0;
    int pdf_hgt_val = 20;
    int pdf_wdt_val = 100;
    int pdf_ec_val = 2;
    int dm_module_val = 2;
    int dm_format_index = 0;
    int dm_encoding_index = 0;
    float hdr_margin_val = 1;
    float ftr_margin_val = 1;
    float val_margin_val = 1;
    float TB_marging_val = 1;
    float LR_margin_val = 1;
    QFont value_font_val;
    QFont header_font_val;
    QFont footer_font_val;
    QColor barcode_hdr_clr_val = Qt::black;
    QColor barcode_ftr_clr_val = Qt::black;
    QColor barcode_val_clr_val = Qt::black;
    QColor barcode_back_clr_val = Qt::white;
    QColor barcode_clr_val = Qt::black;
    int dpi_val_index = 0;
    QString dpi_custom_val = QStringLiteral("0");
    int barcode_unit_val = 1;
    int kerning_value = 0;  // a barcode's value drawn close-set (1) or letter-spaced (0)
    bool ctrl_is_locked = false;
    int text_alignmnet = 2;
    int text_alignmnet_Vert = 2;
    int text_transfrom_case = 0;
    float text_kerning = 0;
    int print_object = 0;
    QString control_ID;
    bool excel_binding = false;
    int excel_col_indx = 0;
    QString Text_Value = QStringLiteral("Text here");
    bool ctrl_is_visible = true;
    int double_star_type = 1;
    int polygon_type = 1;
    bool Drawing_Shadow = true;
    QColor Shadow_Color = Qt::blue;
    float Shadow_offset_X = 5;
    float Shadow_offset_Y = 5;
    float Shadow_blur = 0;
    float Shadow_transparency = 50;
    int text_rotation = 0;
    QImage _contents;
    QImage _contents_with_settings;

    // --- plain accessors ---
    void Set_Ctrl_Is_Visible(bool visible) { ctrl_is_visible = visible; }
    bool Is_Control_Locked() const { return ctrl_is_locked; }
    void Set_Barcode_image_control_bounds(const QRectF &r) { bar_image_ctrl_bounds = r; }
    QString Get_shape_type() const { return _shape_type; }
    void Set_Shape_Type(const QString &code) { _shape_type = code; }
    QFont Text_Font_value() const { return text_ctrl_font; }
    QColor Text_Color_Value() const { return txt_clr; }
    int Get_Line_Ori() const { return _line_ori; }
    int Get_Line_Cap_Style() const { return _line_cap_style; }
    void Set_Batch_List_Name(const QString &name) { batch_list_name = name; }
    QString batch_list_name_val() const { return batch_list_name; }
    void Set_Batch_List_Index(int index) { batch_list_index = index; }
    int batch_list_index_val() const { return batch_list_index; }
    int data_source_type_val() const { return data_source_type; }
    void Set_Excel_binding(bool on) { excel_binding = on; }
    void Set_Excel_binding_Index(int index) { excel_col_indx = index; }
    virtual void setFlippedHorizontally(bool on) { _isFlippedHorizontally = on; }
    virtual void setFlippedVertically(bool on) { _isFlippedVertically = on; }
    QString Sign_Or_FP_Val() const { return sign_or_fingureprint; }
    void Set_Sign_Or_FP(const QString &code) { sign_or_fingureprint = code; }
    void Set_Control_File_path(const QString &path) { _file_path = path; }
    QString FilePath() const { return _file_path; }
    QRectF bounds() const { return _bounds; }
    virtual bool isDrawingFill() const { return _isDrawingFill; }
    virtual bool isDrawingStroke() const { return _isDrawingStroke; }
    double strokeWidth() const { return _strokeWidth; }
    QString strokeBorderType() const { return _stroke_border_type; }
    QString fill_type() const { return _fill_type; }
    QString fill_hatch_type() const { return _fill_hatch_type; }
    QColor fill_Grad_clr1() const { return _fill_Grad_clr1; }
    QColor fill_Grad_clr2() const { return _fill_Grad_clr2; }
    double fill_grad_angle() const { return _fill_grad_angle; }
    double Get_Image_Trnsp_val() const { return img_trnsp_val; }
    double Get_Hue_val() const { return hue_val; }
    double xPosition() const { return _bounds.x(); }
    double yPosition() const { return _bounds.y(); }
    double width() const { return _bounds.width(); }
    double height() const { return _bounds.height(); }
    void setScriptingContainer(SKTDocument *container) { _scriptingContainer = container; }

    // --- accessors with side effects ---
    // The stored colour with its opacity replaced by alpha_val (alpha_val_stroke), stored back.
    QColor fillColor();
    QColor strokeColor();
    QColor fill_hatch_bk_clr();
    void setXPosition(double x);
    void setYPosition(double y);
    void setWidth(double w);
    void setHeight(double h);
    // Keeps the picture and sizes the control to it, width first, then height. The size in
    // points follows the resolution the image records (Image_Size_In_Points): a symbol rendered
    // at 300 dpi, 900 pixels wide, is 216 points wide and is drawn at that size, sharp on every
    // device; an image whose resolution was never set counts one pixel a point.
    void Set_Barcode_image(const QImage &image);
    void Set_text_value(const QString &text);
    SKTTextStorage &Text_contents();
    void Set_Data_source_type(int type);
    QString description() const;

    // --- generic access by key, with change notifications ---
    virtual QVariant valueForKey(const QString &key);
    // "drawingFill", "drawingStroke", "fillColor", "strokeColor", "strokeWidth", "bounds" (and
    // what a kind adds); observers hear of the change. False for a key that cannot be set.
    virtual bool setValueForKey(const QString &key, const QVariant &value);
    int addObserver(SKTGraphicObserver observer);
    void removeObserver(int id);
    // Keys whose value follows from `key` ("bounds" moves "xPosition", "drawingBounds", ...).
    virtual QStringList keysAffectedBy(const QString &key) const;
    static bool automaticallyNotifiesObserversForKey(const QString &key);
    virtual QSet<QString> keysForValuesToObserveForUndo() const;
    virtual QString presentablePropertyNameForKey(const QString &key) const;

    // --- scripting, as plain operations: an empty answer is success, else the error text ---
    static constexpr int ScriptErrorNumber = -10000;
    std::optional<QColor> scriptingFillColor();
    std::optional<QColor> scriptingStrokeColor();
    std::optional<double> scriptingStrokeWidth() const;
    QString setScriptingFillColor(const std::optional<QColor> &colour);
    QString setScriptingStrokeColor(const std::optional<QColor> &colour);
    QString setScriptingStrokeWidth(const std::optional<double> &width);

    // --- geometry, handles and hit-testing ---
    QRectF drawingBounds() const;
    QPointF randomPoint(const QRectF &r) const;
    SKTBezierPath Rotated_Control_Path() const;
    virtual SKTBezierPath bezierPathForDrawing() const;
    virtual void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited);
    virtual void drawHandlesInView(QPainter &painter, bool lock_hai) const;
    void drawHandleInView(QPainter &painter, QPointF point, bool lock_hai) const;
    static QCursor creationCursor();
    virtual qint64 creationSizingHandle() const { return 8; }
    virtual bool canSetDrawingFill() const { return true; }
    virtual bool canSetDrawingStroke() const { return true; }
    virtual bool canMakeNaturalSize() const { return _bounds.width() != _bounds.height(); }
    virtual bool isContentsUnderPoint(QPointF point) const;
    virtual qint64 handleUnderPoint(QPointF point) const;
    bool isHandleAtPoint(QPointF handlePoint, QPointF point) const;
    virtual qint64 resizeByMovingHandle(qint64 handle, QPointF point);
    virtual void flipHorizontally() {}
    virtual void flipVertically() {}
    void makeSameAsLabelSize();
    virtual void makeNaturalSize();
    virtual void setBounds(const QRectF &bounds);
    virtual void setColor(const QColor &colour);
    virtual void finalizeEditingView() {}

    // The point of a handle code (1 to 8) on a rectangle.
    static QPointF handlePoint(const QRectF &r, qint64 handle);
    // The rectangle the handles stand on: the bounds, turned for a text control.
    QRectF handleRect() const;

protected:
    explicit SKTGraphic(SKTGraphicKind kind);
    // The whole drawing of a line or a shape: fill, stroke, then the canvas refresh request.
    void paintPath(QPainter &painter);
    // Notifies observers of `key` and its dependents around `change`.
    void changeValueForKey(const QString &key, const std::function<void()> &change);

private:
    void takeCopiedFields(const SKTGraphic &source);

    SKTGraphicKind m_kind = SKTGraphicKind::Graphic;
    struct Observers {
        Observers() = default;
        Observers(const Observers &) {}  // a copy is a new control: nobody watches it yet
        Observers &operator=(const Observers &) { return *this; }
        std::vector<std::pair<int, SKTGraphicObserver>> list;
        int nextId = 1;
    } m_observers;
};
