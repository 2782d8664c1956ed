#pragma once
// The card document: it owns the controls of the open card in three ordered arrays, the front
// side (`graphics`), the back side (`graphics_back`) and the temporary design side
// (`graphics_temp`); index 0 is drawn on top. The front array's insertions, removals and
// property changes are recorded with the document's own undo manager, on which the canvas
// builds its cancellable creation of controls. The back and temp arrays change through their
// canvases without any undo registration.
//
// The document is not the design file (the main window saves and opens those). Its own data
// form is written only on request, reading it is refused, and it never reports unsaved changes.

#include "core/ControlArchive.h"
#include "core/SKTError.h"
#include "core/SKTUndoManager.h"

#include <QByteArray>
#include <QPageLayout>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class QPrinter;

inline const QString SKTDocumentGraphicsKey = QStringLiteral("graphics");
inline const QString SKTDocumentGraphicsKey_back = QStringLiteral("graphics_back");
inline const QString SKTDocumentGraphicsKey_temp = QStringLiteral("graphics_temp");
inline const QString SKTDocumentCanvasSizeKey = QStringLiteral("canvasSize");
inline const QString SKTDocumentNewTypeName = QStringLiteral("com.velkworks.badgeloom");
inline const QString SKTDocumentOldTypeName = QStringLiteral("VELK Card document");
inline constexpr int SKTDocumentCurrentVersion = 2;
inline const QString SKTDocumentVersionKey = QStringLiteral("version");
inline const QString SKTDocumentPrintInfoKey = QStringLiteral("printInfo");
// Type names of the picture forms of the document data.
inline const QString SKTDocumentPDFTypeName = QStringLiteral("com.adobe.pdf");
inline const QString SKTDocumentTIFFTypeName = QStringLiteral("public.tiff");

// For each control changed since the last undo checkpoint, the value each changed property had
// before its first change; handed to the undo manager as the one action of the group.
class SKTMapTableOwner {
public:
    using Entry = std::pair<SKTGraphicPtr, QVariantMap>;
    std::vector<Entry> &mapTable() { return m_entries; }
    const std::vector<Entry> &mapTable() const { return m_entries; }
    // The dictionary of the control, made empty when missing.
    QVariantMap &propertiesOf(const SKTGraphicPtr &graphic);

private:
    std::vector<Entry> m_entries;  // in order of first change
};

// What the document asks of the main window controller, which the document makes once per run.
class SKTDocumentWindow {
public:
    virtual ~SKTDocumentWindow() = default;
    virtual QString App_Name() const = 0;
    // The name of the front card (`Card_Name` of the front card properties).
    virtual QString Front_Card_Name() const = 0;
    // The path of the open design; empty for an unsaved design.
    virtual QString Project_File_Name() const = 0;
};

class SKTDocument {
public:
    // Makes the main window controller for a document; the document does not own it.
    using WindowControllerFactory = std::function<SKTDocumentWindow *(SKTDocument &)>;

    SKTDocument();
    ~SKTDocument();
    SKTDocument(const SKTDocument &) = delete;
    SKTDocument &operator=(const SKTDocument &) = delete;

    // --- arrays ---
    const SKTGraphicArray &graphics() const { return _graphics; }
    const SKTGraphicArray &graphics_back() const { return _graphics_back; }
    const SKTGraphicArray &graphics_temp() const { return _graphics_temp; }

    // Front array only: the controls go to the indexes (ascending; each no larger than the
    // array's length at its turn, others are skipped), the inverse is registered for undo and
    // the controls are observed for undo.
    void insertGraphics(const SKTGraphicArray &graphics, const std::vector<int> &indexes);
    void removeGraphicsAtIndexes(const std::vector<int> &indexes);
    void insertGraphic(const SKTGraphicPtr &graphic, int index);
    void removeGraphicAtIndex(int index);
    void addInGraphics(const SKTGraphicPtr &graphic);

    // Controls of the front array of that kind, in array order.
    SKTGraphicArray graphicsWithClass(SKTGraphicKind kind) const;
    SKTGraphicArray rectangles() const { return graphicsWithClass(SKTGraphicKind::Shape); }
    SKTGraphicArray circles() const { return graphicsWithClass(SKTGraphicKind::Shape); }
    SKTGraphicArray rectangles_round() const { return graphicsWithClass(SKTGraphicKind::Shape); }
    SKTGraphicArray lines() const { return graphicsWithClass(SKTGraphicKind::Line); }
    SKTGraphicArray textAreas() const { return graphicsWithClass(SKTGraphicKind::Text); }
    SKTGraphicArray images() const { return graphicsWithClass(SKTGraphicKind::Image); }

    // --- a side's array as its canvas changes it (0 front, 1 back, 2 temp) ---
    // The front goes through the undo-recording operations above; back and temp change plainly.
    const SKTGraphicArray &graphicsOfSide(int side) const;
    void insertGraphicsOnSide(int side, const SKTGraphicArray &graphics, const std::vector<int> &indexes);
    void removeGraphicsOnSide(int side, const std::vector<int> &indexes);
    void removeAllGraphicsOnSide(int side);
    void appendGraphicOnSide(int side, const SKTGraphicPtr &graphic);
    // Hears of every change of an array ("graphics", "graphics_back", "graphics_temp") and of
    // the canvas size ("canvasSize").
    int addDocumentObserver(std::function<void(const QString &key)> observer);
    void removeDocumentObserver(int id);

    // --- undo ---
    SKTUndoManager &undoManager() { return m_undoManager; }
    void Enable_Disable_Undo_Registraion(bool on);
    // Forgets every undo and redo action and empties the front array without recording it.
    void Clear_All_Undo_Redo();
    void startObservingGraphics(const SKTGraphicArray &graphics);
    void stopObservingGraphics(const SKTGraphicArray &graphics);
    // Sets every property of the map on its control.
    void setGraphicProperties(const std::shared_ptr<SKTMapTableOwner> &propertiesPerGraphic);
    void observeUndoManagerCheckpoint();

    // --- document machinery ---
    // Installs the maker of the main window controller and starts the run's count afresh.
    static void setWindowControllerFactory(WindowControllerFactory factory);
    // Makes the main window controller when no document of this run has made one yet.
    void makeWindowControllers();
    SKTDocumentWindow *windowController() const { return m_window; }
    // "App ( Card - design.did )" for a saved design, "App ( Card )" otherwise.
    QString displayName() const;
    static bool canConcurrentlyReadDocumentsOfType(const QString &) { return true; }
    // The document never reads its own data.
    bool readFromData(const QByteArray &data, const QString &typeName, SKTError *error = nullptr);
    bool isDocumentEdited() const { return false; }
    // The document data: for the document type a binary property list with "version" 2, the
    // front controls' archives under "graphics" and the print settings under "printInfo"; for
    // the PDF and TIFF types a picture of the front controls. None, with an error, otherwise.
    std::optional<QByteArray> dataOfType(const QString &typeName, SKTError *error = nullptr);
    const QPageLayout &printInfo() const { return m_printInfo; }
    void setPrintInfo(const QPageLayout &layout);
    // The platform's print command of the document: the front side at the default card size,
    // drawn at the top-left of the page within the print settings' margins, the job named
    // after the document. False (nothing printed) when the printer cannot be painted on.
    bool printOperationWithSettings(QPrinter &printer, SKTError *error = nullptr);
    // YES: the default card of 243 by 154 points; NO: the size given.
    static QSizeF canvasSize(bool useDefault, const QSizeF &size_val);

private:
    void notify(const QString &key);
    SKTGraphicArray &mutableSide(int side);
    void observeValueChange(SKTGraphic &graphic, const QString &key, const QVariant &oldValue,
                            const QVariant &newValue);

    SKTGraphicArray _graphics;
    SKTGraphicArray _graphics_back;
    SKTGraphicArray _graphics_temp;
    QSet<SKTGraphic *> _undoGroupInsertedGraphics;
    std::shared_ptr<SKTMapTableOwner> _undoGroupOldPropertiesPerGraphic;
    QString _undoGroupPresentablePropertyName;
    bool _undoGroupHasChangesToMultipleProperties = false;

    SKTUndoManager m_undoManager;
    int m_checkpointObserver = 0;
    struct Observation {
        int id = 0;
        std::weak_ptr<SKTGraphic> graphic;
    };
    std::unordered_map<SKTGraphic *, Observation> m_observed;
    std::vector<std::pair<int, std::function<void(const QString &)>>> m_documentObservers;
    int m_nextDocumentObserver = 1;
    SKTDocumentWindow *m_window = nullptr;
    QPageLayout m_printInfo;
};
