#include "GuiHelpers.h"
#include "diagram/DependencyGraph.h"
#include "diagram/DiagramGeometry.h"
#include "diagram/DiagramKeys.h"
#include "diagram/TVertex.h"
#include "gui/app/TSpecMDI.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/support/THelpContext.h"
#include "gui/views/TDisplayChild.h"
#include "model/TDefBase.h"
#include "model/TDefinedArray.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <tuple>

namespace {

struct TDiagram {
    TFrameFixture f{{1200, 800}};
    TSpecMDI& mdi = f.frame->Client();
    const TCommands& c = f.frame->Commands();

    TDiagram() { f.frame->OpenFolder(STEMLOOK_EXAMPLES_DIR "/family.kvd"); }

    TDefBase& Element(const std::string& title) const
    {
        TDefBase* e = mdi.Document().db.Definitions().FindTitled(title);
        if (!e)
            throw std::runtime_error("no element " + title);
        return *e;
    }
    TDisplayBrowser* Browser() const { return ActivePane<TDisplayBrowser>(mdi); }
    // The centre of a vertex's box in the viewport.
    QPoint At(const TVertex& v) const
    {
        // The diagram scrolls in the display font's character widths and lines.
        const QFontMetrics units(mdi.Document().font);
        const QPoint scrolled(Browser()->horizontalScrollBar()->value() *
                                  units.horizontalAdvance(QLatin1Char('0')),
                              Browser()->verticalScrollBar()->value() * units.lineSpacing());
        return QPoint((v.box.left + v.box.right) / 2, (v.box.top + v.box.bottom) / 2) - scrolled;
    }
    // Runs Focused Diagram by its keys, answering the depth dialog with this depth; returns the
    // depth the dialog offered.
    int FocusWithDepth(int depth) const
    {
        int offered = 0;
        TModalAnswer answer([&offered, depth](QDialog& dialog) {
            auto* box = dialog.findChild<QSpinBox*>();
            offered = box->value();
            box->setValue(depth);
        });
        // A closed dialog may leave no window active, and the keys act in the active window.
        f.frame->activateWindow();
        QApplication::processEvents();
        QTest::keyClick(f.frame.get(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        return offered;
    }
    // The middle of the selected picture's name is at the centre of the view, as far as the
    // scroll bars reach.
    void ExpectSelectedCentred() const
    {
        const QFontMetrics units(mdi.Document().font);
        const QRect view = Browser()->viewport()->rect();
        QScrollBar* bars[2] = {Browser()->horizontalScrollBar(), Browser()->verticalScrollBar()};
        const int unit[2] = {units.horizontalAdvance(QLatin1Char('0')), units.lineSpacing()};
        const TVertex::Point off =
            diagram::CentreOn(*Browser()->Selected(),
                              {(view.left() + view.right()) / 2 + bars[0]->value() * unit[0],
                               (view.top() + view.bottom()) / 2 + bars[1]->value() * unit[1]});
        const int left[2] = {off.x, off.y};
        for (int axis = 0; axis < 2; ++axis)
            EXPECT_TRUE(std::abs(left[axis]) < unit[axis] ||
                        (left[axis] < 0 && bars[axis]->value() == 0) ||
                        (left[axis] > 0 && bars[axis]->value() == bars[axis]->maximum()))
                << "axis " << axis << " off by " << left[axis];
    }
};

// The element and the pictures one step from it in the whole graph.
std::set<const TDefBase*> Neighbourhood(const TDefinedArray& defs, const TDefBase& element)
{
    TVertexList full(TVertexList::Ownership::Owns);
    graph::BuildGraph(defs, full);
    std::set<const TDefBase*> near{&element};
    if (const TVertex* v = graph::FindVertex(full, &element))
        for (const TVertexList* side : {v->inList.get(), v->outList.get()})
            if (side)
                for (const TVertex* n : *side)
                    near.insert(n->element);
    return near;
}

std::set<const TDefBase*> Shown(const TDisplayBrowser& browser)
{
    std::set<const TDefBase*> shown;
    for (const TVertex* v : browser.Vertices())
        shown.insert(v->element);
    return shown;
}

} // namespace

TEST(DiagramWindow, OpensFromTheFrameWithTheZoomMenuOnlyWhileActive)
{
    TDiagram d;
    EXPECT_TRUE(d.c.Action(commands::Relationships)->isEnabled());
    EXPECT_FALSE(d.c.Menu(TMenu::Zoom)->menuAction()->isVisible());
    d.c.Action(commands::Relationships)->trigger();
    ASSERT_NE(d.Browser(), nullptr);
    EXPECT_EQ(d.mdi.currentSubWindow()->windowTitle(), "Relationships (100%)");
    EXPECT_EQ(d.Browser()->Selected(), nullptr);
    EXPECT_FALSE(d.Browser()->Vertices().empty());
    EXPECT_TRUE(d.c.Menu(TMenu::Zoom)->menuAction()->isVisible());
    EXPECT_TRUE(d.c.Action(commands::ExportDiagram)->isEnabled());

    d.mdi.ShowStructure();
    EXPECT_FALSE(d.c.Menu(TMenu::Zoom)->menuAction()->isVisible());
    EXPECT_FALSE(d.c.Action(commands::ExportDiagram)->isEnabled());
    QMdiSubWindow* diagram = d.mdi.FindChild({TChildKey::Relationships});
    d.c.Action(commands::Relationships)->trigger(); // brought forward, not made again
    EXPECT_TRUE(d.c.Menu(TMenu::Zoom)->menuAction()->isVisible());
    EXPECT_EQ(d.mdi.currentSubWindow(), diagram);
    int diagrams = 0;
    for (QMdiSubWindow* w : d.mdi.subWindowList())
        diagrams += qobject_cast<TChildWindow*>(w)->Key() == TChildKey{TChildKey::Relationships};
    EXPECT_EQ(diagrams, 1);
}

TEST(DiagramWindow, CtrlRFromAPictureSelectsItAndFromARecordSelectsNothing)
{
    TDiagram d;
    TDefBase& born = d.Element("person picture script BORN");
    d.mdi.OpenDefinition(born, false);
    QTest::keyClick(d.f.frame.get(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_NE(d.Browser(), nullptr);
    ASSERT_NE(d.Browser()->Selected(), nullptr);
    EXPECT_EQ(d.Browser()->Selected()->element, &born);

    d.mdi.OpenDefinition(d.Element("Record person"), false);
    d.c.Action(commands::Relationships)->trigger();
    ASSERT_NE(d.Browser(), nullptr);
    EXPECT_EQ(d.Browser()->Selected(), nullptr);
}

TEST(DiagramWindow, ZoomChangesTheTitleAndScalesTheBoxesOnce)
{
    TDiagram d;
    d.c.Action(commands::Relationships)->trigger();
    TDisplayBrowser* browser = d.Browser();
    ASSERT_NE(browser, nullptr);
    const TVertex& first = *browser->Vertices()[0];
    const int x100 = first.sx;
    const QSize extent100 = browser->Extent();
    d.c.Action(commands::FirstZoom + static_cast<int>(2))->trigger(); // 50%
    EXPECT_EQ(d.mdi.currentSubWindow()->windowTitle(), "Relationships (50%)");
    EXPECT_EQ(browser->Zoom(), 50);
    EXPECT_EQ(first.sx, first.x * 50 / 100);
    EXPECT_EQ(x100, first.x);
    EXPECT_LT(browser->Extent().width(), extent100.width());
    const QSize extent50 = browser->Extent();
    d.c.Action(commands::FirstZoom + static_cast<int>(2))->trigger();
    EXPECT_EQ(browser->Extent(), extent50);
    d.c.Action(commands::FirstZoom + static_cast<int>(0))->trigger();
    EXPECT_EQ(browser->Extent(), extent100);
    EXPECT_EQ(d.mdi.currentSubWindow()->windowTitle(), "Relationships (100%)");
}

TEST(DiagramWindow, ClickSelectsABoxAndDoubleClickOpensItsPicture)
{
    TDiagram d;
    d.c.Action(commands::Relationships)->trigger();
    TDisplayBrowser* browser = d.Browser();
    ASSERT_NE(browser, nullptr);
    browser->horizontalScrollBar()->setValue(0);
    browser->verticalScrollBar()->setValue(0);
    const TVertex* target = nullptr;
    for (const TVertex* v : browser->Vertices())
        if (browser->viewport()->rect().contains(d.At(*v)))
            target = target ? target : v;
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, d.At(*target));
    EXPECT_EQ(browser->Selected(), target);
    // Empty space keeps the selection.
    std::optional<QPoint> empty;
    for (int y = 0; y < browser->viewport()->height() && !empty; y += 7)
        for (int x = 0; x < browser->viewport()->width() && !empty; x += 7) {
            bool inBox = false;
            for (const TVertex* v : browser->Vertices()) {
                const QPoint centre = d.At(*v);
                const QRect box(
                    centre - QPoint((v->box.right - v->box.left) / 2 + 3,
                                    (v->box.bottom - v->box.top) / 2 + 3),
                    QSize(v->box.right - v->box.left + 6, v->box.bottom - v->box.top + 6));
                inBox = inBox || box.contains(x, y);
            }
            if (!inBox)
                empty = QPoint(x, y);
        }
    ASSERT_TRUE(empty);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, *empty);
    EXPECT_EQ(browser->Selected(), target);

    DoubleClick(browser->viewport(), d.At(*target));
    EXPECT_EQ(d.mdi.currentSubWindow()->windowTitle().toStdString(), target->element->Title());
}

TEST(DiagramWindow, ExportWritesTheWholeDiagramAsSvgOrPng)
{
    TDiagram d;
    d.mdi.ShowRelationships(&d.Element("person picture script BORN"));
    TDisplayBrowser* browser = d.Browser();
    ASSERT_NE(browser, nullptr);
    QString error;
    const QString svg = QString::fromStdString(d.f.folder.Path() + "/rel.svg");
    ASSERT_TRUE(browser->Export(svg, error)) << error.toStdString();
    const std::string text = TTempFolder::Read(svg.toStdString());
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("BORN"), std::string::npos);

    const QString png = QString::fromStdString(d.f.folder.Path() + "/rel.png");
    ASSERT_TRUE(browser->Export(png, error)) << error.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), browser->DiagramRect().size());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(192, 192, 192));

    EXPECT_FALSE(browser->Export(QString::fromStdString(d.f.folder.Path() + "/none/x.svg"), error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(DiagramWindow, ExportNeverWritesTheDesignsDefinitionFile)
{
    // A copy, so that a fault cannot write the example in the source tree.
    TFrameFixture f{{1200, 800}};
    const std::string text = TTempFolder::Read(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged");
    const QString folder = f.Database("family.kvd", text);
    const std::string ged = folder.toStdString() + "/control.ged";
    ASSERT_TRUE(f.frame->OpenFolder(folder));
    TSpecMDI& mdi = f.frame->Client();
    mdi.ShowRelationships(nullptr);
    TDisplayBrowser* browser = ActivePane<TDisplayBrowser>(mdi);
    ASSERT_NE(browser, nullptr);
    // Both writers: the SVG one through a link named .svg, the PNG one for the rest.
    std::filesystem::create_symlink(ged, f.folder.Path() + "/rel.svg");
    for (const std::string& spelt : {ged, f.folder.Path() + "/rel.svg"}) {
        SCOPED_TRACE(spelt);
        QString error;
        EXPECT_FALSE(browser->Export(QString::fromStdString(spelt), error));
        EXPECT_TRUE(error.contains("definition file")) << error.toStdString();
        EXPECT_EQ(TTempFolder::Read(ged), text);
    }
}

TEST(DiagramWindow, FocusedDiagramShowsThePictureCentredAmongItsNeighbours)
{
    TDiagram d;
    TDefBase& born = d.Element("person picture script BORN");
    d.mdi.OpenDefinition(born, false);
    ASSERT_TRUE(d.c.Action(commands::FocusedDiagram)->isEnabled());
    EXPECT_EQ(d.FocusWithDepth(1), 2);
    TChildWindow* window = d.mdi.FindChild({TChildKey::FocusedDiagram, born.index});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(d.mdi.currentSubWindow(), window);
    EXPECT_EQ(window->windowTitle(), "Relationships of person picture script BORN, depth 1 (100%)");
    EXPECT_EQ(THelpContext::Of(window), helpids::FocusedDiagram);
    ASSERT_NE(d.Browser(), nullptr);
    ASSERT_NE(d.Browser()->Selected(), nullptr);
    EXPECT_EQ(d.Browser()->Selected()->element, &born);
    const std::set<const TDefBase*> near = Neighbourhood(d.mdi.Document().db.Definitions(), born);
    EXPECT_GT(near.size(), 2u);
    EXPECT_EQ(Shown(*d.Browser()), near);
    d.ExpectSelectedCentred();

    // From the focused window itself, on its selected box: the same window, built again at the
    // new depth with the zoom kept; the depth asked last is offered.
    d.c.Action(commands::FirstZoom + static_cast<int>(1))->trigger(); // 70%
    EXPECT_EQ(d.FocusWithDepth(3), 1);
    EXPECT_EQ(d.mdi.currentSubWindow(), window);
    EXPECT_EQ(window->windowTitle(), "Relationships of person picture script BORN, depth 3 (70%)");
    ASSERT_NE(d.Browser()->Selected(), nullptr);
    EXPECT_EQ(d.Browser()->Selected()->element, &born);
    const std::set<const TDefBase*> wider = Shown(*d.Browser());
    EXPECT_TRUE(std::includes(wider.begin(), wider.end(), near.begin(), near.end()));
    EXPECT_GT(wider.size(), near.size());

    // Another box selected there: a window of its own. This picture stands between the pictures
    // it uses and those that use it, so centring it scrolls.
    TDefBase& detail = d.Element("person picture script detailbox");
    d.Browser()->SelectElement(&detail);
    EXPECT_EQ(d.FocusWithDepth(1), 3);
    TChildWindow* second = d.mdi.FindChild({TChildKey::FocusedDiagram, detail.index});
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(d.mdi.currentSubWindow(), second);
    EXPECT_EQ(Shown(*d.Browser()), Neighbourhood(d.mdi.Document().db.Definitions(), detail));
    EXPECT_GT(d.Browser()->horizontalScrollBar()->value(), 0);
    d.ExpectSelectedCentred();
    int focused = 0;
    for (QMdiSubWindow* w : d.mdi.subWindowList())
        focused += qobject_cast<TChildWindow*>(w)->Key().role == TChildKey::FocusedDiagram;
    EXPECT_EQ(focused, 2);
}

TEST(DiagramWindow, FocusedDiagramNeedsAPictureToFocusOn)
{
    TDiagram d;
    TDefBase& born = d.Element("person picture script BORN");
    EXPECT_FALSE(d.c.Action(commands::FocusedDiagram)->isEnabled()); // the tree
    d.mdi.OpenDefinition(d.Element("Record person"), false);
    EXPECT_FALSE(d.c.Action(commands::FocusedDiagram)->isEnabled());
    d.mdi.ShowIndex(&d.Element("Record person"));
    EXPECT_FALSE(d.c.Action(commands::FocusedDiagram)->isEnabled());
    d.mdi.ShowIndex(&born);
    EXPECT_TRUE(d.c.Action(commands::FocusedDiagram)->isEnabled());
    d.mdi.ShowRelationships(nullptr);
    EXPECT_FALSE(d.c.Action(commands::FocusedDiagram)->isEnabled()); // nothing selected
    d.mdi.ShowRelationships(&born);
    EXPECT_TRUE(d.c.Action(commands::FocusedDiagram)->isEnabled());
    // Cancel opens nothing.
    TModalAnswer cancel([](QDialog& dialog) { dialog.reject(); });
    d.c.Action(commands::FocusedDiagram)->trigger();
    EXPECT_EQ(d.mdi.FindChild({TChildKey::FocusedDiagram, born.index}), nullptr);
    EXPECT_EQ(cancel.seen.size(), 1u);
}

// The keys scroll as in a definition pane; a zoom keeps the diagram point at the view's centre
// there, to the scroll unit, as far as the range allows.
TEST(DiagramWindow, KeysScrollAsInThePanesAndZoomKeepsTheCentre)
{
    TDiagram d;
    d.c.Action(commands::Relationships)->trigger();
    TDisplayBrowser* browser = d.Browser();
    ASSERT_NE(browser, nullptr);
    const QSize extent = browser->Extent();
    QScrollBar* bars[2] = {browser->horizontalScrollBar(), browser->verticalScrollBar()};
    browser->resize(extent / 3);
    const int x = bars[0]->maximum() / 2, y = bars[1]->maximum() / 2, page = bars[1]->pageStep();
    ASSERT_TRUE(x > 0 && y > page) << x << " " << y;
    // The positions after the key, from the middle.
    const std::tuple<Qt::Key, int, int> keys[] = {
        {Qt::Key_Home, x, 0},          {Qt::Key_End, x, bars[1]->maximum()},
        {Qt::Key_PageUp, x, y - page}, {Qt::Key_PageDown, x, y + page},
        {Qt::Key_Up, x, y - 1},        {Qt::Key_Down, x, y + 1},
        {Qt::Key_Left, x - 1, y},      {Qt::Key_Right, x + 1, y}};
    // The arrows move the selection; with Ctrl they scroll.
    const auto arrow = [](Qt::Key key) {
        return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
               key == Qt::Key_Right;
    };
    for (const auto& [key, across, down] : keys) {
        bars[0]->setValue(x);
        bars[1]->setValue(y);
        QTest::keyClick(browser, key, arrow(key) ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(bars[0]->value(), across) << key;
        EXPECT_EQ(bars[1]->value(), down) << key;
    }

    const QFontMetrics units(d.mdi.Document().font);
    const int unit[2] = {units.horizontalAdvance(QLatin1Char('0')), units.lineSpacing()};
    const auto centre = [&](int axis) {
        const QPoint middle = browser->viewport()->rect().center();
        return (axis == 0 ? middle.x() : middle.y()) + bars[axis]->value() * unit[axis];
    };
    // Smaller than the diagram at every zoom.
    browser->resize(extent * 20 / 100 / 2);
    for (const auto& [from, to] : {std::pair(100, 50), std::pair(50, 100), std::pair(70, 20),
                                   std::pair(20, 30), std::pair(100, 20)}) {
        browser->SetZoom(from);
        for (QScrollBar* bar : bars) {
            ASSERT_GT(bar->maximum(), 0) << from;
            bar->setValue(bar->maximum() / 2);
        }
        const int before[2] = {centre(0), centre(1)};
        browser->SetZoom(to);
        for (int axis = 0; axis < 2; ++axis) {
            const int off = centre(axis) - before[axis] * to / from;
            EXPECT_TRUE(std::abs(off) <= unit[axis] / 2 + 1 ||
                        (off > 0 && bars[axis]->value() == 0) ||
                        (off < 0 && bars[axis]->value() == bars[axis]->maximum()))
                << from << "->" << to << " axis " << axis << " off by " << off;
        }
    }
}

TEST(DiagramWindow, ArrowsMoveToTheNearestBoxInViewLettersPickByNameEnterOpens)
{
    TDiagram d;
    d.c.Action(commands::Relationships)->trigger();
    TDisplayBrowser* browser = d.Browser();
    ASSERT_NE(browser, nullptr);
    browser->resize(browser->Extent() / 3);
    const TVertexList& master = browser->Vertices();
    // The box lies in the view, on each axis as far as the scroll bar reaches.
    const auto inView = [&](const TVertex& v) {
        const QPoint centre = d.At(v);
        const QSize size(v.box.right - v.box.left, v.box.bottom - v.box.top);
        const QRect box(centre - QPoint(size.width() / 2, size.height() / 2), size);
        const QRect view = browser->viewport()->rect();
        const QScrollBar* across = browser->horizontalScrollBar();
        const QScrollBar* down = browser->verticalScrollBar();
        return (box.left() >= view.left() || across->value() == 0) &&
               (box.right() <= view.right() || across->value() == across->maximum()) &&
               (box.top() >= view.top() || down->value() == 0) &&
               (box.bottom() <= view.bottom() || down->value() == down->maximum());
    };

    // Nothing selected: an arrow takes the box nearest the centre of the view.
    const QFontMetrics units(d.mdi.Document().font);
    const QRect view = browser->viewport()->rect();
    const TVertex::Point centre{(view.left() + view.right()) / 2 +
                                    browser->horizontalScrollBar()->value() *
                                        units.horizontalAdvance(QLatin1Char('0')),
                                (view.top() + view.bottom()) / 2 +
                                    browser->verticalScrollBar()->value() * units.lineSpacing()};
    ASSERT_EQ(browser->Selected(), nullptr);
    QTest::keyClick(browser, Qt::Key_Down);
    ASSERT_NE(browser->Selected(), nullptr);
    EXPECT_EQ(browser->Selected(), diagram::NearestTo(master, centre));
    EXPECT_TRUE(inView(*browser->Selected()));

    // Round the diagram: each arrow goes where the rule says, or stays where nothing lies ahead,
    // and the box it reaches is scrolled into view.
    const std::pair<Qt::Key, diagram::TDirection> arrows[] = {
        {Qt::Key_Right, diagram::TDirection::Right},
        {Qt::Key_Down, diagram::TDirection::Down},
        {Qt::Key_Left, diagram::TDirection::Left},
        {Qt::Key_Up, diagram::TDirection::Up}};
    int moves = 0;
    for (const auto& [key, direction] : arrows)
        for (int step = 0; step < 8; ++step) {
            const TVertex* from = browser->Selected();
            const TVertex* ahead = diagram::Nearest(master, *from, direction);
            QTest::keyClick(browser, key);
            EXPECT_EQ(browser->Selected(), ahead ? ahead : from) << key << " " << step;
            EXPECT_TRUE(inView(*browser->Selected())) << key << " " << step;
            moves += ahead ? 1 : 0;
        }
    EXPECT_GT(moves, 8);

    // Letters typed together pick a name; after a pause they start again after that box.
    QTest::keyClicks(browser, QStringLiteral("pers"));
    ASSERT_NE(browser->Selected(), nullptr);
    const TVertex* person = browser->Selected();
    EXPECT_TRUE(bytes::ToText(person->element->Title()).startsWith("pers", Qt::CaseInsensitive));
    EXPECT_TRUE(inView(*person));
    QTest::qWait(TDisplayBrowser::kTypeAheadTime + 100);
    QTest::keyClicks(browser, QStringLiteral("p"));
    EXPECT_EQ(browser->Selected(), diagram::NextStartingWith(master, person, "p", false));
    EXPECT_NE(browser->Selected(), person);

    // Enter opens the selected picture; Definition is there while a box is selected.
    EXPECT_TRUE(d.c.Action(commands::Definition)->isEnabled());
    const TDefBase* chosen = browser->Selected()->element;
    // The key is the command's, which acts in the active window.
    d.f.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d.f.frame.get()));
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(d.mdi.currentSubWindow()->windowTitle().toStdString(), chosen->Title());
}
