#include "core/SKTDocument.h"

#include "core/SKTRenderingView.h"
#include "platform/Plist.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace {

SKTDocument::WindowControllerFactory &windowFactory()
{
    static SKTDocument::WindowControllerFactory factory;
    return factory;
}

// Main window controllers made in this run: there is one main window per run.
int g_windowControllersMade = 0;

// Ascending, without repeats and negatives.
std::vector<int> normalisedIndexes(std::vector<int> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    std::erase_if(indexes, [](int i) { return i < 0; });
    return indexes;
}

// Inserts each control at its index in ascending order; a pair whose index lies beyond the
// array at its turn is skipped. Answers the pairs actually inserted.
std::pair<SKTGraphicArray, std::vector<int>> insertAt(SKTGraphicArray &array, const SKTGraphicArray &graphics,
                                                       const std::vector<int> &indexes)
{
    std::vector<std::pair<int, SKTGraphicPtr>> pairs;
    for (std::size_t i = 0; i < graphics.size() && i < indexes.size(); ++i) {
        if (graphics[i])
            pairs.emplace_back(indexes[i], graphics[i]);
    }
    std::stable_sort(pairs.begin(), pairs.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    SKTGraphicArray inserted;
    std::vector<int> at;
    for (const auto &[index, graphic] : pairs) {
        if (index < 0 || index > int(array.size()) || (!at.empty() && at.back() == index))
            continue;
        array.insert(array.begin() + index, graphic);
        inserted.push_back(graphic);
        at.push_back(index);
    }
    return {inserted, at};
}

// Removes the controls at the indexes (those inside the array) and answers them with their
// indexes, ascending.
std::pair<SKTGraphicArray, std::vector<int>> removeAt(SKTGraphicArray &array, const std::vector<int> &indexes)
{
    SKTGraphicArray removed;
    std::vector<int> at;
    for (int index : normalisedIndexes(indexes)) {
        if (index < int(array.size())) {
            removed.push_back(array[std::size_t(index)]);
            at.push_back(index);
        }
    }
    for (auto it = at.rbegin(); it != at.rend(); ++it)
        array.erase(array.begin() + *it);
    return {removed, at};
}

std::vector<int> allIndexes(const SKTGraphicArray &array)
{
    std::vector<int> indexes(array.size());
    for (std::size_t i = 0; i < indexes.size(); ++i)
        indexes[i] = int(i);
    return indexes;
}

QVariantMap archivePrintInfo(const QPageLayout &layout)
{
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    return {
        {QStringLiteral("paperName"), layout.pageSize().name()},
        {QStringLiteral("paperWidth"), paper.width()},
        {QStringLiteral("paperHeight"), paper.height()},
        {QStringLiteral("orientation"), layout.orientation() == QPageLayout::Landscape ? 1 : 0},
        {QStringLiteral("margins"), QVariantList{margins.left(), margins.top(), margins.right(), margins.bottom()}},
    };
}

}  // namespace

QVariantMap &SKTMapTableOwner::propertiesOf(const SKTGraphicPtr &graphic)
{
    for (Entry &entry : m_entries) {
        if (entry.first == graphic)
            return entry.second;
    }
    m_entries.emplace_back(graphic, QVariantMap());
    return m_entries.back().second;
}

SKTDocument::SKTDocument()
    : m_printInfo(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(72, 72, 72, 72), QPageLayout::Point)
{
    m_checkpointObserver = m_undoManager.addCheckpointObserver([this] { observeUndoManagerCheckpoint(); });
}

SKTDocument::~SKTDocument()
{
    Clear_All_Undo_Redo();
    stopObservingGraphics(_graphics_back);
    stopObservingGraphics(_graphics_temp);
    stopObservingGraphics(_graphics);
    m_undoManager.removeCheckpointObserver(m_checkpointObserver);
}

// --- arrays ---

void SKTDocument::insertGraphics(const SKTGraphicArray &graphics, const std::vector<int> &indexes)
{
    auto [inserted, at] = insertAt(_graphics, graphics, indexes);
    if (inserted.empty())
        return;
    for (const SKTGraphicPtr &g : inserted)
        g->setScriptingContainer(this);
    m_undoManager.registerUndo([this, at = at] { removeGraphicsAtIndexes(at); });
    if (m_undoManager.isUndoRegistrationEnabled()) {
        for (const SKTGraphicPtr &g : inserted)
            _undoGroupInsertedGraphics.insert(g.get());
    }
    startObservingGraphics(inserted);
    notify(SKTDocumentGraphicsKey);
}

void SKTDocument::removeGraphicsAtIndexes(const std::vector<int> &indexes)
{
    auto [removed, at] = removeAt(_graphics, indexes);
    if (removed.empty())
        return;
    stopObservingGraphics(removed);
    m_undoManager.registerUndo([this, removed = removed, at = at] { insertGraphics(removed, at); });
    for (const SKTGraphicPtr &g : removed)
        g->setScriptingContainer(nullptr);
    notify(SKTDocumentGraphicsKey);
}

void SKTDocument::insertGraphic(const SKTGraphicPtr &graphic, int index) { insertGraphics({graphic}, {index}); }

void SKTDocument::removeGraphicAtIndex(int index) { removeGraphicsAtIndexes({index}); }

void SKTDocument::addInGraphics(const SKTGraphicPtr &graphic) { insertGraphic(graphic, int(_graphics.size())); }

SKTGraphicArray SKTDocument::graphicsWithClass(SKTGraphicKind kind) const
{
    SKTGraphicArray out;
    for (const SKTGraphicPtr &g : _graphics) {
        if (g->kind() == kind)
            out.push_back(g);
    }
    return out;
}

// --- sides ---

SKTGraphicArray &SKTDocument::mutableSide(int side)
{
    if (side == 1)
        return _graphics_back;
    if (side == 2)
        return _graphics_temp;
    return _graphics;
}

const SKTGraphicArray &SKTDocument::graphicsOfSide(int side) const
{
    return const_cast<SKTDocument *>(this)->mutableSide(side);
}

void SKTDocument::insertGraphicsOnSide(int side, const SKTGraphicArray &graphics, const std::vector<int> &indexes)
{
    if (side != 1 && side != 2) {
        insertGraphics(graphics, indexes);
        return;
    }
    insertAt(mutableSide(side), graphics, indexes);
    notify(side == 1 ? SKTDocumentGraphicsKey_back : SKTDocumentGraphicsKey_temp);
}

void SKTDocument::removeGraphicsOnSide(int side, const std::vector<int> &indexes)
{
    if (side != 1 && side != 2) {
        removeGraphicsAtIndexes(indexes);
        return;
    }
    removeAt(mutableSide(side), indexes);
    notify(side == 1 ? SKTDocumentGraphicsKey_back : SKTDocumentGraphicsKey_temp);
}

void SKTDocument::removeAllGraphicsOnSide(int side) { removeGraphicsOnSide(side, allIndexes(graphicsOfSide(side))); }

void SKTDocument::appendGraphicOnSide(int side, const SKTGraphicPtr &graphic)
{
    insertGraphicsOnSide(side, {graphic}, {int(graphicsOfSide(side).size())});
}

int SKTDocument::addDocumentObserver(std::function<void(const QString &)> observer)
{
    const int id = m_nextDocumentObserver++;
    m_documentObservers.emplace_back(id, std::move(observer));
    return id;
}

void SKTDocument::removeDocumentObserver(int id)
{
    std::erase_if(m_documentObservers, [id](const auto &entry) { return entry.first == id; });
}

void SKTDocument::notify(const QString &key)
{
    const auto observers = m_documentObservers;
    for (const auto &entry : observers)
        entry.second(key);
}

// --- undo ---

void SKTDocument::Enable_Disable_Undo_Registraion(bool on)
{
    if (on)
        m_undoManager.enableUndoRegistration();
    else
        m_undoManager.disableUndoRegistration();
}

void SKTDocument::Clear_All_Undo_Redo()
{
    m_undoManager.removeAllActions();
    Enable_Disable_Undo_Registraion(false);
    removeGraphicsAtIndexes(allIndexes(_graphics));
    insertGraphics({}, {});
    Enable_Disable_Undo_Registraion(true);
}

void SKTDocument::startObservingGraphics(const SKTGraphicArray &graphics)
{
    for (const SKTGraphicPtr &g : graphics) {
        if (!g || m_observed.count(g.get()))
            continue;
        const int id = g->addObserver([this](SKTGraphic &graphic, const QString &key, const QVariant &oldValue,
                                             const QVariant &newValue) {
            observeValueChange(graphic, key, oldValue, newValue);
        });
        m_observed[g.get()] = Observation{id, g};
    }
}

void SKTDocument::stopObservingGraphics(const SKTGraphicArray &graphics)
{
    for (const SKTGraphicPtr &g : graphics) {
        if (!g)
            continue;
        auto it = m_observed.find(g.get());
        if (it == m_observed.end())
            continue;
        g->removeObserver(it->second.id);
        m_observed.erase(it);
    }
}

void SKTDocument::observeValueChange(SKTGraphic &graphic, const QString &key, const QVariant &oldValue,
                                     const QVariant &newValue)
{
    // The set of observed keys is asked at each change, so a control whose set changes is
    // followed without re-registering.
    if (!graphic.keysForValuesToObserveForUndo().contains(key))
        return;
    if (_undoGroupInsertedGraphics.contains(&graphic) || oldValue == newValue)
        return;
    auto found = m_observed.find(&graphic);
    if (found == m_observed.end())
        return;
    const SKTGraphicPtr owner = found->second.graphic.lock();
    if (!owner)
        return;
    if (!_undoGroupOldPropertiesPerGraphic) {
        _undoGroupOldPropertiesPerGraphic = std::make_shared<SKTMapTableOwner>();
        m_undoManager.registerUndo(
            [this, map = _undoGroupOldPropertiesPerGraphic] { setGraphicProperties(map); });
    }
    QVariantMap &oldProperties = _undoGroupOldPropertiesPerGraphic->propertiesOf(owner);
    if (!oldProperties.contains(key))
        oldProperties.insert(key, oldValue);
    if (!m_undoManager.isUndoing() && !m_undoManager.isRedoing()) {
        const QString name = graphic.presentablePropertyNameForKey(key);
        if (!_undoGroupHasChangesToMultipleProperties && _undoGroupPresentablePropertyName.isNull()) {
            _undoGroupPresentablePropertyName = name.isNull() ? QStringLiteral("") : name;
            m_undoManager.setActionName(_undoGroupPresentablePropertyName);
        } else if (name != _undoGroupPresentablePropertyName) {
            _undoGroupHasChangesToMultipleProperties = true;
            _undoGroupPresentablePropertyName.clear();
            m_undoManager.setActionName(QString());
        }
    }
}

void SKTDocument::observeUndoManagerCheckpoint()
{
    _undoGroupHasChangesToMultipleProperties = false;
    _undoGroupPresentablePropertyName = QString();
    _undoGroupOldPropertiesPerGraphic.reset();
    _undoGroupInsertedGraphics.clear();
}

void SKTDocument::setGraphicProperties(const std::shared_ptr<SKTMapTableOwner> &propertiesPerGraphic)
{
    if (!propertiesPerGraphic)
        return;
    for (const auto &[graphic, properties] : propertiesPerGraphic->mapTable()) {
        for (auto it = properties.cbegin(); it != properties.cend(); ++it)
            graphic->setValueForKey(it.key(), it.value());
    }
}

// --- document machinery ---

void SKTDocument::setWindowControllerFactory(WindowControllerFactory factory)
{
    windowFactory() = std::move(factory);
    g_windowControllersMade = 0;
}

void SKTDocument::makeWindowControllers()
{
    if (g_windowControllersMade != 0 || !windowFactory())
        return;
    m_window = windowFactory()(*this);
    ++g_windowControllersMade;
}

QString SKTDocument::displayName() const
{
    const QString app = m_window ? m_window->App_Name() : QCoreApplication::applicationName();
    const QString card = m_window ? m_window->Front_Card_Name() : QStringLiteral("Untitled");
    const QString path = m_window ? m_window->Project_File_Name() : QString();
    if (!path.isEmpty() && QFileInfo(path).isFile())
        return QStringLiteral("%1 ( %2 - %3 )").arg(app, card, QFileInfo(path).fileName());
    return QStringLiteral("%1 ( %2 )").arg(app, card);
}

bool SKTDocument::readFromData(const QByteArray &, const QString &, SKTError *) { return false; }

std::optional<QByteArray> SKTDocument::dataOfType(const QString &typeName, SKTError *error)
{
    if (typeName == SKTDocumentNewTypeName || typeName == SKTDocumentOldTypeName) {
        bool ok = false;
        const QByteArray printInfo =
            platform::plistSerialize(archivePrintInfo(m_printInfo), platform::PlistFormat::Binary, &ok);
        QVariantMap data;
        data.insert(SKTDocumentVersionKey, SKTDocumentCurrentVersion);
        data.insert(SKTDocumentGraphicsKey, propertiesWithGraphics(Graphic_Pointers(_graphics)));
        data.insert(SKTDocumentPrintInfoKey, printInfo);
        const QByteArray bytes = platform::plistSerialize(data, platform::PlistFormat::Binary, &ok);
        if (ok)
            return bytes;
    } else if (typeName == SKTDocumentPDFTypeName) {
        const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(
            CardSide::copyOfList(QRectF(QPointF(0, 0), canvasSize(true, {})), nullptr, Graphic_Pointers(_graphics)));
        if (!pdf.isEmpty())
            return pdf;
    } else if (typeName == SKTDocumentTIFFTypeName) {
        int code = 0;
        const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics(Graphic_Pointers(_graphics), &code);
        if (!tiff.isEmpty())
            return tiff;
        if (error)
            *error = SKTErrorWithCode(code ? code : SKTWriteCouldntMakeTIFFError);
        return std::nullopt;
    }
    // Any other type is not a form of this document: refused rather than asserted.
    if (error)
        *error = SKTErrorWithCode(0);
    return std::nullopt;
}

void SKTDocument::setPrintInfo(const QPageLayout &layout)
{
    notify(SKTDocumentCanvasSizeKey);
    m_printInfo = layout;
    notify(SKTDocumentCanvasSizeKey);
}

bool SKTDocument::printOperationWithSettings(QPrinter &printer, SKTError *error)
{
    const QSizeF card = canvasSize(true, {});
    const SKTRenderingView view(CardSide::copyOfList(QRectF(QPointF(0, 0), card), nullptr, Graphic_Pointers(_graphics)),
                                displayName());
    printer.setDocName(view.printJobTitle());
    printer.setPageLayout(m_printInfo);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = SKTErrorWithCode(0);
        return false;
    }
    // The painter starts at the top-left of the printable area, in device pixels.
    const double scale = printer.resolution() / 72.0;
    view.drawInto(painter, QRectF(0, 0, card.width() * scale, card.height() * scale));
    return painter.end();
}

QSizeF SKTDocument::canvasSize(bool useDefault, const QSizeF &size_val)
{
    return useDefault ? QSizeF(243, 154) : size_val;
}
