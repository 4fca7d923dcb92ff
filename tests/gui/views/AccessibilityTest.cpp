#include "GuiHelpers.h"
#include "diagram/TVertex.h"
#include "gui/app/TSpecMDI.h"
#include "gui/compare/TDisplayDifferences.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/support/Bytes.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayWindow.h"
#include "gui/views/TSpecTree.h"
#include "gui/views/TTreeChild.h"
#include "model/TDefBase.h"
#include "model/TScriptPiece.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QIcon>
#include <QImage>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

// The screen reader's part: every accessibility event, by type, while it lives. Events reach it
// only while accessibility is active, which takes a platform with a screen reader's bridge
// (accessible_xvfb.sh runs these tests so, and sets STEMLOOK_ACCESSIBILITY_BRIDGE); offscreen,
// Active() is false and the tests check what a reader would ask for, not what it is told.
class TEvents {
public:
    TEvents()
    {
        seen().clear();
        before = QAccessible::installUpdateHandler(&Record);
        // The bridge turns accessibility on once it has connected to the bus.
        if (qEnvironmentVariableIsSet("STEMLOOK_ACCESSIBILITY_BRIDGE"))
            for (int wait = 0; wait < 100 && !QAccessible::isActive(); ++wait)
                QTest::qWait(50);
    }
    bool Active() const
    {
        EXPECT_TRUE(QAccessible::isActive() ||
                    !qEnvironmentVariableIsSet("STEMLOOK_ACCESSIBILITY_BRIDGE"));
        return QAccessible::isActive();
    }
    ~TEvents() { QAccessible::installUpdateHandler(before); }

    struct TSeen {
        QAccessible::Event type;
        QAccessibleInterface* target;
        int start = -1, end = -1, cursor = -1;
    };
    static std::vector<TSeen>& seen()
    {
        static std::vector<TSeen> events;
        return events;
    }
    // The last event of the type; null when there was none.
    static const TSeen* Last(QAccessible::Event type)
    {
        for (auto e = seen().rbegin(); e != seen().rend(); ++e)
            if (e->type == type)
                return &*e;
        return nullptr;
    }

private:
    static void Record(QAccessibleEvent* event)
    {
        TSeen s{event->type(), event->accessibleInterface()};
        if (event->type() == QAccessible::TextSelectionChanged) {
            const auto* selection = static_cast<QAccessibleTextSelectionEvent*>(event);
            s.start = selection->selectionStart();
            s.end = selection->selectionEnd();
        }
        if (event->type() == QAccessible::TextCaretMoved)
            s.cursor = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
        seen().push_back(s);
    }

    QAccessible::UpdateHandler before = nullptr;
};

// The names of the interface and its descendants, as far as a reader walking it reaches.
void Names(QAccessibleInterface* iface, std::set<QString>& names, int depth = 0)
{
    if (!iface || depth > 4)
        return;
    names.insert(iface->text(QAccessible::Name));
    for (int i = 0; i < std::min(iface->childCount(), 400); ++i)
        Names(iface->child(i), names, depth + 1);
}

// Every row the view shows at first, up to 30, has its text among the accessible names.
void ExpectRowsNamed(QAbstractItemView& view, const std::string& what)
{
    std::set<QString> names;
    Names(QAccessible::queryAccessibleInterface(&view), names);
    const QAbstractItemModel& model = *view.model();
    ASSERT_GT(model.rowCount(), 0) << what;
    for (int row = 0; row < std::min(model.rowCount(), 30); ++row)
        for (int column = 0; column < model.columnCount(); ++column) {
            const QString text = model.index(row, column).data().toString();
            if (text.isEmpty())
                continue;
            EXPECT_TRUE(names.count(text)) << what << ": row " << row << " " << text.toStdString();
        }
}

// The text the layout draws for the piece at this rectangle.
QString PieceText(const TPaneLayout& layout, const TPieceRect& piece)
{
    for (const TPaneText& text : layout.texts)
        if (text.piece == piece.piece && text.x == piece.rect.left && text.y == piece.rect.top)
            return bytes::ToText(text.text, text.utf8);
    return {};
}

// Whether the icon puts any ink on the screen (a blank one keeps the rows' texts in line).
bool Visible(const QIcon& icon)
{
    const QImage image = icon.pixmap(16, 16).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
    return false;
}

// In a list whose small pictures mean something, a row with one says in words what it means, and
// a row without one says nothing more. Returns how many rows have one.
int ExpectMarksDescribed(QAbstractItemView& view, const std::string& what)
{
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(&view)->tableInterface();
    EXPECT_NE(table, nullptr) << what;
    if (!table)
        return 0;
    const QAbstractItemModel& model = *view.model();
    int marked = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const bool mark = Visible(model.index(row, 0).data(Qt::DecorationRole).value<QIcon>());
        QAccessibleInterface* cell = table->cellAt(row, 0);
        EXPECT_NE(cell, nullptr) << what;
        if (!cell)
            return marked;
        EXPECT_EQ(cell->text(QAccessible::Description).isEmpty(), !mark)
            << what << ": row " << row << " " << cell->text(QAccessible::Name).toStdString();
        marked += mark ? 1 : 0;
    }
    return marked;
}

} // namespace

TEST(Accessibility, DefinitionPanesReadLineByLineAndFollowTheSelection)
{
    TFamilyFrame d;
    TSpecMDI& mdi = d.Mdi();
    TEvents events;
    std::set<TPaneKind> kinds;
    for (const auto& element : mdi.Document().db.Definitions()) {
        TPaneKind kind;
        if (!element->PaneKind(kind) || !kinds.insert(kind).second)
            continue;
        mdi.OpenPane(*element, kind);
        auto* pane = ActivePane<TDisplayWindow>(mdi);
        ASSERT_NE(pane, nullptr) << element->Title();
        const std::string what = element->Title();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(pane);
        ASSERT_NE(iface, nullptr) << what;
        EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), what);
        EXPECT_TRUE(iface->state().readOnly) << what;
        QAccessibleTextInterface* text = iface->textInterface();
        ASSERT_NE(text, nullptr) << what;
        const QString whole = text->text(0, text->characterCount());
        EXPECT_TRUE(whole.endsWith(QLatin1Char('\n'))) << what;
        EXPECT_EQ(text->selectionCount(), 0) << what;

        // Each piece clicked is the selection, the cursor at its start, and the reader is told.
        int clicked = 0;
        for (const TPieceRect& piece : pane->Layout().pieces) {
            if (clicked == 12)
                break;
            const QRect rect = ToRect(piece.rect);
            pane->ScrollIntoView(rect);
            const QPoint at = rect.center() - pane->ContentPoint({0, 0});
            if (!pane->viewport()->rect().contains(at) ||
                panes::HitPiece(pane->Layout(), rect.center().x(), rect.center().y()) != &piece)
                continue;
            ++clicked;
            QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, at);
            ASSERT_EQ(text->selectionCount(), 1) << what;
            int start = -1, end = -1;
            text->selection(0, &start, &end);
            EXPECT_EQ(text->text(start, end), PieceText(pane->Layout(), piece)) << what;
            EXPECT_EQ(text->cursorPosition(), start) << what;
            if (events.Active()) {
                const TEvents::TSeen* selection = TEvents::Last(QAccessible::TextSelectionChanged);
                ASSERT_NE(selection, nullptr) << what;
                EXPECT_EQ(std::pair(selection->start, selection->end), std::pair(start, end))
                    << what;
                const TEvents::TSeen* caret = TEvents::Last(QAccessible::TextCaretMoved);
                ASSERT_NE(caret, nullptr) << what;
                EXPECT_EQ(caret->cursor, start) << what;
            }
            // The characters are where the pane draws them, and a point finds its character.
            const QPoint global = pane->viewport()->mapToGlobal(at);
            EXPECT_EQ(text->characterRect(start).topLeft(),
                      pane->viewport()->mapToGlobal(rect.topLeft() - pane->ContentPoint({0, 0})))
                << what;
            const int found = text->offsetAtPoint(global);
            EXPECT_TRUE(found >= start && found < end) << what << " " << found;
        }
        EXPECT_TRUE(pane->Layout().pieces.empty() || clicked > 0) << what;
        pane->ClearSelection();
        EXPECT_EQ(text->selectionCount(), 0) << what;
    }
    EXPECT_GE(kinds.size(), 5U);
}

TEST(Accessibility, ListAndTreeRowsHaveTheirTextsAsNames)
{
    TFamilyFrame d;
    TSpecMDI& mdi = d.Mdi();
    ExpectRowsNamed(mdi.TreeChild()->Tree(), "structure");
    mdi.ShowIndex(nullptr);
    ExpectRowsNamed(*PaneOf<QAbstractItemView>(mdi, {TChildKey::Index}), "index");
    EXPECT_GT(ExpectMarksDescribed(*PaneOf<QAbstractItemView>(mdi, {TChildKey::Index}), "index"),
              0);
    mdi.ShowMessages();
    ExpectRowsNamed(*PaneOf<QAbstractItemView>(mdi, {TChildKey::Messages}), "messages");
    mdi.ShowUnused();
    ExpectRowsNamed(*PaneOf<QAbstractItemView>(mdi, {TChildKey::Unused}), "unused");
    const TDefBase* used = nullptr;
    for (const auto& element : mdi.Document().db.Definitions())
        used = used ? used : (element->IsUsed() ? element.get() : nullptr);
    ASSERT_NE(used, nullptr);
    mdi.ShowUsedBy(*used);
    ExpectRowsNamed(*PaneOf<QAbstractItemView>(mdi, {TChildKey::UsedBy, used->index}), "used by");
    ExpectMarksDescribed(*PaneOf<QAbstractItemView>(mdi, {TChildKey::UsedBy, used->index}),
                         "used by");
    mdi.ShowFind("person");
    ExpectRowsNamed(*ActivePane<QAbstractItemView>(mdi), "find");

    // The differences from a copy with one picture more.
    std::string older = TTempFolder::Read(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged");
    older.insert(older.rfind("0 TRLR"), "0 @extra@ RECORD\n1 @x@ PICTURE \"x\"\n");
    {
        TBoxes boxes;
        mdi.CompareWith(d.f.Database("older.kvd", older));
    }
    auto* differences =
        qobject_cast<TDisplayDifferences*>(mdi.FindChild({TChildKey::Differences})->widget());
    ASSERT_NE(differences, nullptr);
    ExpectRowsNamed(differences->List(), "differences");
}

TEST(Accessibility, DiagramBoxesAreChildrenWithTitlesAndPlaces)
{
    TFamilyFrame d;
    TSpecMDI& mdi = d.Mdi();
    TEvents events;
    mdi.ShowRelationships(nullptr);
    auto* browser = ActivePane<TDisplayBrowser>(mdi);
    ASSERT_NE(browser, nullptr);
    browser->resize(browser->Extent() / 2);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(browser);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Canvas);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Relationships (100%)"));
    const TVertexList& vertices = browser->Vertices();
    ASSERT_EQ(iface->childCount(), static_cast<int>(vertices.size()));
    int shown = 0;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* box = iface->child(i);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parent(), iface);
        EXPECT_EQ(iface->indexOfChild(box), i);
        EXPECT_EQ(box->text(QAccessible::Name).toStdString(), vertices[i]->element->Title());
        EXPECT_EQ(box->rect(), browser->BoxOnScreen(*vertices[i]));
        EXPECT_FALSE(box->state().selected);
        if (!box->state().offscreen) {
            ++shown;
            EXPECT_EQ(iface->childAt(box->rect().center().x(), box->rect().center().y()), box);
        }
    }
    EXPECT_GT(shown, 0);
    EXPECT_LT(shown, iface->childCount());

    QTest::keyClick(browser, Qt::Key_Down);
    ASSERT_NE(browser->Selected(), nullptr);
    QAccessibleInterface* focused = iface->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->text(QAccessible::Name).toStdString(),
              browser->Selected()->element->Title());
    EXPECT_TRUE(focused->state().selected);
    if (events.Active()) {
        const TEvents::TSeen* focus = TEvents::Last(QAccessible::Focus);
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus->target, focused);
    }
}
