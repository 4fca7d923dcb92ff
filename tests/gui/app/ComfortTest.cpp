#include "GuiHelpers.h"
#include "diagram/TVertex.h"
#include "gui/app/TAppTheme.h"
#include "gui/app/TSpecMDI.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/script/TDisplayScript.h"
#include "gui/support/CommandIds.h"
#include "gui/views/TDisplayChild.h"
#include "gui/views/TDisplayLog.h"
#include "gui/views/TDisplayWindow.h"
#include "model/TDefBase.h"
#include "model/TScriptPiece.h"
#include "script/TDispColour.h"
#include "views/HoverText.h"

#include <QAction>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolTip>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace {
const TPieceRect* Underlined(const TDisplayWindow& pane)
{
    for (const TPieceRect& p : pane.Layout().pieces)
        if (p.piece->flags & TScriptPiece::kUnderlined)
            return &p;
    return nullptr;
}

QPoint Centre(const TPaneRect& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::set<QRgb> Colours(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xFFFFFF);
    return colours;
}

QRgb Rgb(TDispColour::TColourRef ref)
{
    return TDisplayScript::Colour(ref).rgb() & 0xFFFFFF;
}
} // namespace

TEST(Theme, DarkPaintsPanesAndDiagramDarkIsKeptAndLightBringsBackThePlatformsLook)
{
    TFamilyFrame x;
    const QPalette platform = QApplication::palette();
    ASSERT_FALSE(TAppTheme::IsDark(platform));
    auto* pane = x.Open<TDisplayWindow>("person picture script BORN");
    ASSERT_NE(pane, nullptr);
    const TPieceRect* underlined = Underlined(*pane);
    ASSERT_NE(underlined, nullptr);
    const TDocument& document = x.f.frame->Document();

    const QBrush lightClient = x.Mdi().background();
    x.Action(commands::ThemeDark)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(document.dark);
    EXPECT_TRUE(TAppTheme::IsDark(QApplication::palette()));
    EXPECT_TRUE(x.Action(commands::ThemeDark)->isChecked());
    EXPECT_FALSE(x.Action(commands::ThemeSystem)->isChecked());
    EXPECT_NE(x.Ini().find("Theme=dark"), std::string::npos);
    EXPECT_LT(x.Mdi().background().color().lightness(), 64);
    QImage image = pane->viewport()->grab().toImage();
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, Rgb(TDispColour::kDarkBackground));
    // The underline is a bar of the piece's own colour from the dark scheme.
    EXPECT_TRUE(Colours(image).count(Rgb(document.darkColours.PieceColour(*underlined->piece))));
    EXPECT_FALSE(Colours(image).count(Rgb(document.colours.PieceColour(*underlined->piece))));

    x.Action(commands::Relationships)->trigger();
    auto* diagram = ActivePane<TDisplayBrowser>(x.Mdi());
    ASSERT_NE(diagram, nullptr);
    const QColor window = QApplication::palette().color(QPalette::Window);
    EXPECT_EQ(diagram->viewport()->grab().toImage().pixelColor(0, 0), window);
    ASSERT_FALSE(diagram->Vertices().empty());
    EXPECT_EQ(diagram->BoxFill(**diagram->Vertices().begin()),
              QApplication::palette().color(QPalette::Base));
    // Exported pictures keep the light colours.
    EXPECT_EQ(diagram->Colours(false).background, QColor(192, 192, 192));

    x.Action(commands::ThemeLight)->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(document.dark);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), platform.color(QPalette::Window));
    EXPECT_TRUE(x.Action(commands::ThemeLight)->isChecked());
    EXPECT_NE(x.Ini().find("Theme=light"), std::string::npos);
    EXPECT_EQ(x.Mdi().background(), lightClient);
    image = pane->viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), platform.color(QPalette::Base));
    EXPECT_TRUE(Colours(image).count(Rgb(document.colours.PieceColour(*underlined->piece))));
}

TEST(Theme, KeptDarkIsSetBeforeTheWindowShowsAndGarbleIsSystem)
{
    TTempFolder folder;
    folder.Write("stemlook.ini", "[Stemlook]\nTheme=Dark\n");
    TSettings settings(QString::fromStdString(folder.Path() + "/stemlook.ini"));
    THtmlHelp help;
    {
        TMainFrame frame(settings, help, "");
        EXPECT_FALSE(frame.isVisible());
        EXPECT_TRUE(TAppTheme::IsDark(QApplication::palette()));
        EXPECT_TRUE(frame.Document().dark);
        EXPECT_TRUE(frame.Commands().Action(commands::ThemeDark)->isChecked());
    }
    // The frame's going puts the platform's palette back.
    EXPECT_FALSE(TAppTheme::IsDark(QApplication::palette()));

    for (const char* garbled : {"purple", "", "0", "dark light"}) {
        EXPECT_EQ(TAppTheme::Parse(QString::fromLatin1(garbled)), TAppTheme::TChoice::System);
        settings.SetTheme(QString::fromLatin1(garbled));
        TMainFrame frame(settings, help, "");
        EXPECT_TRUE(frame.Commands().Action(commands::ThemeSystem)->isChecked()) << garbled;
        EXPECT_EQ(frame.Theme(), TAppTheme::TChoice::System);
    }
    for (const auto choice :
         {TAppTheme::TChoice::System, TAppTheme::TChoice::Light, TAppTheme::TChoice::Dark})
        EXPECT_EQ(TAppTheme::Parse(TAppTheme::Name(choice).toUpper()), choice);
}

TEST(Theme, ChooseScriptColoursEditsTheSchemeOfTheThemeInUseAndBothAreKept)
{
    TFamilyFrame x;
    x.Action(commands::ThemeDark)->trigger();
    TDocument& document = const_cast<TDocument&>(x.f.frame->Document());
    EXPECT_EQ(&document.ShownColours(), &document.darkColours);
    const TDispColour::TColourRef light = document.colours.RowColour(1);
    document.ShownColours().RowColour(1) = 0x123456;
    x.f.frame->close();
    const std::string ini = x.Ini();
    EXPECT_NE(ini.find("[DarkColours]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Fields=123456"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Fields=" + TDispColour::Hex(light)), std::string::npos) << ini;

    x.f.Open();
    EXPECT_EQ(x.f.frame->Document().darkColours.RowColour(1), 0x123456u);
    EXPECT_EQ(x.f.frame->Document().colours.RowColour(1), light);
}

TEST(TextSize, CommandsStepTheFixedFontAndEveryPaneLaysOutAnewInCharacters)
{
    TFamilyFrame x;
    auto* pane = x.Open<TDisplayWindow>("person picture script BORN");
    ASSERT_NE(pane, nullptr);
    const TPieceRect kept = *Underlined(*pane);
    const TPieceRect* underlined = &kept;
    const TScriptPiece* piece = underlined->piece;
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, Centre(underlined->rect));
    ASSERT_EQ(pane->Selected(), piece);
    x.Action(commands::Messages)->trigger();
    auto* log = ActivePane<TDisplayLog>(x.Mdi());
    ASSERT_NE(log, nullptr);

    const int W = pane->CharWidth(), L = pane->LineHeight();
    const int columns = pane->Extent().width() / W, lines = pane->Extent().height() / L;
    EXPECT_EQ(x.f.frame->Document().font.pointSize(), 9);
    for (int step = 0; step < 3; ++step)
        x.Action(commands::LargerText)->trigger();
    EXPECT_EQ(x.f.frame->Document().font.pointSize(), 12);
    EXPECT_GT(pane->CharWidth(), W);
    EXPECT_GT(pane->LineHeight(), L);
    EXPECT_EQ(pane->Extent().width() / pane->CharWidth(), columns);
    EXPECT_EQ(pane->Extent().height() / pane->LineHeight(), lines);
    EXPECT_EQ(pane->TextFont().pointSize(), 12);
    EXPECT_EQ(log->font().pointSize(), 12);
    // The selection follows its piece to where it lies now.
    EXPECT_EQ(pane->Selected(), piece);
    const TPieceRect* moved = Underlined(*pane);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->piece, piece);
    EXPECT_EQ(moved->rect.left / pane->CharWidth(), underlined->rect.left / W);
    EXPECT_EQ(moved->rect.top / pane->LineHeight(), underlined->rect.top / L);
    EXPECT_NE(x.Ini().find("FontSize=12"), std::string::npos);

    x.Action(commands::SmallerText)->trigger();
    EXPECT_EQ(pane->TextFont().pointSize(), 11);
    x.Action(commands::NormalText)->trigger();
    EXPECT_EQ(pane->TextFont().pointSize(), 9);
    EXPECT_EQ(pane->CharWidth(), W);
    for (int step = 0; step < 40; ++step)
        x.Action(commands::SmallerText)->trigger();
    EXPECT_EQ(x.f.frame->Document().font.pointSize(), 6);
    for (int step = 0; step < 40; ++step)
        x.Action(commands::LargerText)->trigger();
    EXPECT_EQ(x.f.frame->Document().font.pointSize(), 36);
    EXPECT_TRUE(x.Action(commands::LargerText)->shortcuts().contains(QKeySequence("Ctrl++")));
    EXPECT_TRUE(x.Action(commands::SmallerText)->shortcuts().contains(QKeySequence("Ctrl+-")));
    EXPECT_TRUE(x.Action(commands::NormalText)->shortcuts().contains(QKeySequence("Ctrl+0")));
}

TEST(TextSize, KeptSizeIsUsedAtStartOutOfRangeIsTheDefaultMissingTheNearest)
{
    struct Case {
        const char* kept;
        int used;
    };
    for (const Case c : {Case{"14", 14}, Case{"13", 12}, Case{"1000", 9}, Case{"5", 9},
                         Case{"big", 9}, Case{"-12", 9}, Case{"36", 36}}) {
        TFamilyFrame x(std::string("[Stemlook]\nFontSize=") + c.kept + "\n");
        EXPECT_EQ(x.f.frame->Document().font.pointSize(), c.used) << c.kept;
        auto* pane = x.Open<TDisplayWindow>("person picture script BORN");
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(pane->TextFont().pointSize(), c.used) << c.kept;
    }
}

// Over a name, the tooltip tells its class, owner and first line, and once it is selected the
// status bar does. At twice the pixels a character still takes one cell of the grid and the
// selection covers its piece's cells exactly.
TEST(Hover, NameTellsItsClassOwnerAndFirstLineAndAtTwiceThePixelsTheGridAndSelectionHold)
{
    TFamilyFrame x;
    auto* pane = x.Open<TDisplayWindow>("person picture script BORN");
    ASSERT_NE(pane, nullptr);
    const TPieceRect* underlined = Underlined(*pane);
    ASSERT_NE(underlined, nullptr);
    const TPaneRect r = underlined->rect;
    const QPoint at = Centre(r);
    const QString expected = QString::fromStdString(
        panes::HoverText(x.Mdi().Document().db.Definitions(), *underlined->piece, true));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_TRUE(expected.contains(QString::fromStdString(underlined->piece->target->name)));

    QHelpEvent help(QEvent::ToolTip, at, pane->viewport()->mapToGlobal(at));
    QApplication::sendEvent(pane->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), expected);
    // Over nothing, no tooltip.
    QHelpEvent none(QEvent::ToolTip, QPoint(pane->viewport()->width() - 2, 2),
                    pane->viewport()->mapToGlobal(QPoint(pane->viewport()->width() - 2, 2)));
    QApplication::sendEvent(pane->viewport(), &none);
    EXPECT_EQ(pane->HoverTextAt(pane->ContentPoint(none.pos())), "");

    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(pane->Selected(), underlined->piece);
    EXPECT_EQ(x.f.frame->statusBar()->currentMessage(),
              QString(expected).replace(QLatin1Char('\n'), QStringLiteral(" - ")));

    SCOPED_TRACE("twice the pixels");
    const QSize size = pane->viewport()->size();
    QImage image(size * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::magenta);
    pane->viewport()->render(&image);
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    ASSERT_NE(background, QColor(Qt::magenta).rgb());
    const QRgb inverted = ~background | 0xFF000000u;
    // The selection's corners, in device pixels, and just outside them.
    EXPECT_EQ(image.pixel(2 * r.left, 2 * r.top), inverted);
    EXPECT_EQ(image.pixel(2 * r.right - 1, 2 * r.bottom - 1), inverted);
    EXPECT_EQ(image.pixel(2 * r.right, 2 * r.bottom - 1), background);
    EXPECT_EQ(image.pixel(2 * r.right - 1, 2 * r.bottom), background);
    if (r.left > 0) {
        EXPECT_EQ(image.pixel(2 * r.left - 1, 2 * r.top), background);
    }

    // Each line's ink lies within the cells of its texts, from the first to the last.
    const int W = pane->CharWidth(), L = pane->LineHeight();
    std::map<int, std::pair<int, int>> cells; // by line top: the first and past the last cell
    for (const TPaneText& t : pane->Layout().texts) {
        const int end = t.x + panes::Columns(t.text) * W;
        auto [line, fresh] = cells.emplace(t.y, std::pair(t.x, end));
        if (!fresh)
            line->second = {std::min(line->second.first, t.x), std::max(line->second.second, end)};
    }
    int checked = 0;
    for (const auto& [top, span] : cells) {
        if (top < r.bottom || top + L > size.height() || span.second > size.width())
            continue;
        int left = image.width(), right = -1;
        for (int y = 2 * top; y < 2 * (top + L); ++y)
            for (int px = 0; px < image.width(); ++px)
                if (image.pixel(px, y) != background) {
                    left = std::min(left, px);
                    right = std::max(right, px);
                }
        if (right < 0)
            continue;
        EXPECT_GE(left, 2 * span.first - 2) << top;
        EXPECT_LT(right, 2 * span.second + 2) << top;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

// The exported picture at twice the pixels: each box's edge where the window has it, doubled.
TEST(HighDpi, DiagramPictureAtTwiceThePixelsHasItsBoxesWhereTheWindowHasThem)
{
    TFamilyFrame x;
    x.Action(commands::Relationships)->trigger();
    auto* diagram = ActivePane<TDisplayBrowser>(x.Mdi());
    ASSERT_NE(diagram, nullptr);
    const QImage one = diagram->Picture(1), two = diagram->Picture(2);
    ASSERT_EQ(two.size(), one.size() * 2);
    const QPoint origin = -diagram->DiagramRect().topLeft();
    int checked = 0;
    for (const TVertex* v : diagram->Vertices()) {
        // The middle of the box's top edge is drawn in the line colour at both ratios.
        const QPoint top((v->box.left + v->box.right) / 2 + origin.x(), v->box.top + origin.y());
        EXPECT_EQ(one.pixelColor(top), QColor(Qt::black));
        EXPECT_EQ(two.pixelColor(2 * top), QColor(Qt::black));
        EXPECT_EQ(two.pixelColor(2 * top - QPoint(0, 2)), QColor(192, 192, 192));
        ++checked;
    }
    EXPECT_GT(checked, 10);
}
