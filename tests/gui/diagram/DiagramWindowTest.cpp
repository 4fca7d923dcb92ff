#include "GuiHelpers.h"
#include "app/TSpecMDI.h"
#include "diagram/TDisplayBrowser.h"
#include "diagram/TVertex.h"
#include "model/TDefBase.h"
#include "views/TDisplayChild.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <optional>

namespace {

struct TDiagram {
    TFrameFixture f{{1200, 800}};
    TSpecMDI& mdi = f.frame->Client();
    const TCommands& c = f.frame->Commands();

    TDiagram() { f.frame->OpenFolder(STEMLOOK_EXAMPLES_DIR "/family.kvd"); }

    TDefBase& Element(const std::string& title) const
    {
        TDefBase* e = mdi.Database().Definitions().FindTitled(title);
        if (!e)
            throw std::runtime_error("no element " + title);
        return *e;
    }
    TDisplayBrowser* Browser() const { return mdi.ActiveBrowser(); }
    // The centre of a vertex's box in the viewport.
    QPoint At(const TVertex& v) const
    {
        // The diagram scrolls in the display font's character widths and lines.
        const QFontMetrics units(mdi.DisplayFont());
        const QPoint scrolled(Browser()->horizontalScrollBar()->value() *
                                  units.horizontalAdvance(QLatin1Char('0')),
                              Browser()->verticalScrollBar()->value() * units.lineSpacing());
        return QPoint((v.box.left + v.box.right) / 2, (v.box.top + v.box.bottom) / 2) - scrolled;
    }
};

} // namespace

TEST(DiagramWindow, OpensFromTheFrameWithTheZoomMenuOnlyWhileActive)
{
    TDiagram d;
    EXPECT_TRUE(d.c.relationships->isEnabled());
    EXPECT_FALSE(d.c.zoomMenu->menuAction()->isVisible());
    d.c.relationships->trigger();
    ASSERT_NE(d.Browser(), nullptr);
    EXPECT_EQ(d.mdi.currentSubWindow()->windowTitle(), "Relationships (100%)");
    EXPECT_EQ(d.Browser()->Selected(), nullptr);
    EXPECT_FALSE(d.Browser()->Vertices().empty());
    EXPECT_TRUE(d.c.zoomMenu->menuAction()->isVisible());
    EXPECT_TRUE(d.c.exportDiagram->isEnabled());

    d.mdi.ShowStructure();
    EXPECT_FALSE(d.c.zoomMenu->menuAction()->isVisible());
    EXPECT_FALSE(d.c.exportDiagram->isEnabled());
    QMdiSubWindow* diagram = d.mdi.FindChild({TChildKey::Relationships});
    d.c.relationships->trigger(); // brought forward, not made again
    EXPECT_TRUE(d.c.zoomMenu->menuAction()->isVisible());
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
    d.c.relationships->trigger();
    ASSERT_NE(d.Browser(), nullptr);
    EXPECT_EQ(d.Browser()->Selected(), nullptr);
}

TEST(DiagramWindow, ZoomChangesTheTitleAndScalesTheBoxesOnce)
{
    TDiagram d;
    d.c.relationships->trigger();
    TDisplayBrowser* browser = d.Browser();
    ASSERT_NE(browser, nullptr);
    const TVertex& first = *browser->Vertices()[0];
    const int x100 = first.sx;
    const QSize extent100 = browser->Extent();
    d.c.zooms[2]->trigger(); // 50%
    EXPECT_EQ(d.mdi.currentSubWindow()->windowTitle(), "Relationships (50%)");
    EXPECT_EQ(browser->Zoom(), 50);
    EXPECT_EQ(first.sx, first.x * 50 / 100);
    EXPECT_EQ(x100, first.x);
    EXPECT_LT(browser->Extent().width(), extent100.width());
    const QSize extent50 = browser->Extent();
    d.c.zooms[2]->trigger();
    EXPECT_EQ(browser->Extent(), extent50);
    d.c.zooms[0]->trigger();
    EXPECT_EQ(browser->Extent(), extent100);
    EXPECT_EQ(d.mdi.currentSubWindow()->windowTitle(), "Relationships (100%)");
}

TEST(DiagramWindow, ClickSelectsABoxAndDoubleClickOpensItsPicture)
{
    TDiagram d;
    d.c.relationships->trigger();
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
