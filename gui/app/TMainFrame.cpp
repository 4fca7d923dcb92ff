#include "gui/app/TMainFrame.h"

#include "diagram/DiagramGeometry.h"
#include "gui/app/TReloader.h"
#include "gui/app/TSettings.h"
#include "gui/app/TSpecMDI.h"
#include "gui/app/WindowMemos.h"
#include "gui/diagram/TFocusDepthDialog.h"
#include "gui/export/TSaveAsDialog.h"
#include "gui/export/WebExport.h"
#include "gui/print/Printing.h"
#include "gui/script/TSetColours.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/support/TAboutBox.h"
#include "gui/support/TChooseFolderDialog.h"
#include "gui/support/TDesignInUse.h"
#include "gui/support/THelpContext.h"
#include "gui/support/THtmlHelp.h"
#include "gui/support/TIconSet.h"
#include "gui/support/TMessageSink.h"
#include "gui/views/TFilterBox.h"
#include "gui/views/TQuickOpen.h"
#include "model/TDefBase.h"
#include "views/TextSize.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {
const QString kAppName = QStringLiteral("Stemlook");

// The sizes the text zoom offers in the font's family.
std::vector<int> TextSizes(const QFont& font)
{
    const QList<int> sizes = QFontDatabase::pointSizes(QFontInfo(font).family());
    return textsize::Offered(std::vector<int>(sizes.begin(), sizes.end()));
}
// How long a note stays in the status bar, in milliseconds.
constexpr int kStatusTime = 10'000;
// How often a drop waiting for the design to be free asks again, in milliseconds.
constexpr int kDropRetry = 100;
} // namespace

std::vector<TCommand> TMainFrame::CommandTable()
{
    using F = TMainFrame;
    using S = const TPaneState&;
    const auto key = [](QKeyCombination combination) { return QKeySequence(combination); };
    std::vector<TCommand> table{
        {commands::Open,
         TMenu::File,
         QStringLiteral("&Open..."),
         helpids::Open,
         {key(Qt::CTRL | Qt::Key_O)},
         TNeed::Nothing,
         [](F& f, S) { f.CmOpen(); }},
        {commands::SaveAs,
         TMenu::File,
         QStringLiteral("Save &As..."),
         helpids::SaveAs,
         {},
         TNeed::Design,
         [](F& f, S) { f.CmSaveAs(); }},
        {commands::ExportWebPages,
         TMenu::File,
         QStringLiteral("Export as &Web Pages..."),
         helpids::ExportWebPages,
         {},
         TNeed::Design,
         [](F& f, S) { f.CmExportWebPages(); }},
        {commands::CompareWith,
         TMenu::File,
         QStringLiteral("Compare &With..."),
         helpids::CompareWith,
         {},
         TNeed::Design,
         [](F& f, S) { f.CmCompareWith(); }},
        {commands::ExportDiagram,
         TMenu::File,
         QStringLiteral("&Export Diagram..."),
         helpids::RelationshipsWindow,
         {},
         TNeed::Diagram,
         [](F& f, S) { f.CmExportDiagram(); }},
        {commands::Print,
         TMenu::File,
         QStringLiteral("&Print..."),
         helpids::Print,
         {key(Qt::CTRL | Qt::Key_P)},
         TNeed::Print,
         [](F& f, S) { f.CmPrint(TPrintTo::Printer); },
         true},
        {commands::PrintPreview,
         TMenu::File,
         QStringLiteral("Print Pre&view..."),
         helpids::Print,
         {},
         TNeed::Print,
         [](F& f, S) { f.CmPrint(TPrintTo::Preview); }},
        {commands::ExportPdf,
         TMenu::File,
         QStringLiteral("Export as P&DF..."),
         helpids::Print,
         {},
         TNeed::Print,
         [](F& f, S) { f.CmPrint(TPrintTo::Pdf); }},
        {commands::ReopenLastDesign,
         TMenu::File,
         QStringLiteral("Reopen &Last Design"),
         helpids::Session,
         {},
         TNeed::Nothing,
         [](F& f, S) {
             f.settings.SetReopenLastDesign(
                 f.commands->Action(commands::ReopenLastDesign)->isChecked());
         },
         true,
         std::nullopt,
         {},
         [](const F& f) { return f.settings.ReopenLastDesign(); }},
        {commands::Preferences,
         TMenu::File,
         QStringLiteral("Pre&ferences..."),
         helpids::Preferences,
         {},
         TNeed::Nothing,
         [](F& f, S) { f.CmPreferences(); }},
    };
    for (int n = 0; n < TRecentFolders::kCount; ++n)
        table.push_back({commands::FirstRecent + n,
                         TMenu::File,
                         {},
                         0,
                         {},
                         TNeed::Nothing,
                         [n](F& f, S) { f.OpenRecent(n); },
                         n == 0});
    table.insert(table.end(),
                 {
                     {commands::Exit,
                      TMenu::File,
                      QStringLiteral("E&xit!"),
                      helpids::Exit,
                      {key(Qt::ALT | Qt::Key_F4), QKeySequence(QKeySequence::Quit)},
                      TNeed::Nothing,
                      [](F& f, S) { f.close(); },
                      true},
                     {commands::Copy,
                      TMenu::Edit,
                      QStringLiteral("&Copy"),
                      helpids::Copy,
                      {key(Qt::CTRL | Qt::Key_C)},
                      TNeed::Copy,
                      [](F& f, S) { f.mdi->ActivePane()->Copy(); }},
                     {commands::Filter,
                      TMenu::Edit,
                      QStringLiteral("&Filter"),
                      helpids::Filter,
                      {key(Qt::CTRL | Qt::Key_F)},
                      TNeed::Filter,
                      [](F&, S state) {
                          state.filter->setFocus(Qt::ShortcutFocusReason);
                          state.filter->selectAll();
                      },
                      true},
                     {commands::FindInScripts,
                      TMenu::Edit,
                      QStringLiteral("Find in &Scripts..."),
                      helpids::FindInScripts,
                      {key(Qt::CTRL | Qt::SHIFT | Qt::Key_F)},
                      TNeed::Design,
                      [](F& f, S state) { f.CmFindInScripts(state.selectedName); }},
                     {commands::Definition,
                      TMenu::View,
                      QStringLiteral("&Definition"),
                      helpids::Definition,
                      {key(Qt::Key_Enter), key(Qt::Key_Return)},
                      TNeed::Definition,
                      [](F& f, S) { f.mdi->ActivePane()->OpenSelected(); }},
                     {commands::Index,
                      TMenu::View,
                      QStringLiteral("&Index"),
                      helpids::Index,
                      {key(Qt::CTRL | Qt::Key_I)},
                      TNeed::Locate,
                      [](F& f, S state) { f.mdi->ShowIndex(state.located); }},
                     {commands::Messages,
                      TMenu::View,
                      QStringLiteral("&Messages"),
                      helpids::Messages,
                      {key(Qt::CTRL | Qt::Key_M)},
                      TNeed::Design,
                      [](F& f, S) { f.mdi->ShowMessages(); }},
                     {commands::Relationships,
                      TMenu::View,
                      QStringLiteral("&Relationships"),
                      helpids::Relationships,
                      {key(Qt::CTRL | Qt::Key_R)},
                      TNeed::Locate,
                      [](F& f, S state) { f.mdi->ShowRelationships(state.diagramElement); }},
                     {commands::Structure,
                      TMenu::View,
                      QStringLiteral("Database S&tructure"),
                      helpids::Structure,
                      {key(Qt::CTRL | Qt::Key_T)},
                      TNeed::Locate,
                      [](F& f, S state) { f.mdi->ShowStructure(state.located); }},
                     {commands::UsedBy,
                      TMenu::View,
                      QStringLiteral("&Used by list"),
                      helpids::UsedBy,
                      {key(Qt::CTRL | Qt::Key_U)},
                      TNeed::UsedBy,
                      [](F& f, S state) { f.mdi->ShowUsedBy(*state.usedBy); }},
                     {commands::FocusedDiagram,
                      TMenu::View,
                      QStringLiteral("F&ocused Diagram..."),
                      helpids::FocusedDiagram,
                      {key(Qt::CTRL | Qt::SHIFT | Qt::Key_R)},
                      TNeed::FocusPicture,
                      [](F& f, S state) { f.CmFocusedDiagram(*state.focusPicture); },
                      false,
                      TMenu::Zoom},
                     {commands::UnusedElements,
                      TMenu::View,
                      QStringLiteral("U&nused Elements"),
                      helpids::UnusedElements,
                      {},
                      TNeed::Design,
                      [](F& f, S) { f.mdi->ShowUnused(); }},
                     {commands::Reload,
                      TMenu::View,
                      QStringLiteral("Re&load"),
                      helpids::Reload,
                      {key(Qt::Key_F5)},
                      TNeed::Design,
                      [](F& f, S) { f.reloader->Reload(); },
                      true},
                     {commands::ReloadWhenChanged,
                      TMenu::View,
                      QStringLiteral("Reload W&hen Changed"),
                      helpids::Reload,
                      {},
                      TNeed::Nothing,
                      [](F& f, S) {
                          const bool on =
                              f.commands->Action(commands::ReloadWhenChanged)->isChecked();
                          f.settings.SetReloadWhenChanged(on);
                          f.reloader->SetWatching(on);
                      },
                      false,
                      std::nullopt,
                      {},
                      [](const F& f) { return f.settings.ReloadWhenChanged(); }},
                     {commands::NextDifference,
                      TMenu::View,
                      QStringLiteral("Ne&xt Difference"),
                      helpids::DifferencesWindow,
                      {key(Qt::Key_F7)},
                      TNeed::Differences,
                      [](F& f, S) { f.mdi->ActivePane()->StepChange(true); },
                      true},
                     {commands::PreviousDifference,
                      TMenu::View,
                      QStringLiteral("Pre&vious Difference"),
                      helpids::DifferencesWindow,
                      {key(Qt::SHIFT | Qt::Key_F7)},
                      TNeed::Differences,
                      [](F& f, S) { f.mdi->ActivePane()->StepChange(false); }},
                     {commands::ThemeSystem,
                      TMenu::View,
                      QStringLiteral("&System"),
                      helpids::Theme,
                      {},
                      TNeed::Nothing,
                      [](F& f, S) { f.SetTheme(TAppTheme::TChoice::System); },
                      true,
                      std::nullopt,
                      QStringLiteral("T&heme"),
                      [](const F& f) { return f.Theme() == TAppTheme::TChoice::System; }},
                     {commands::ThemeLight,
                      TMenu::View,
                      QStringLiteral("&Light"),
                      helpids::Theme,
                      {},
                      TNeed::Nothing,
                      [](F& f, S) { f.SetTheme(TAppTheme::TChoice::Light); },
                      false,
                      std::nullopt,
                      QStringLiteral("T&heme"),
                      [](const F& f) { return f.Theme() == TAppTheme::TChoice::Light; }},
                     {commands::ThemeDark,
                      TMenu::View,
                      QStringLiteral("&Dark"),
                      helpids::Theme,
                      {},
                      TNeed::Nothing,
                      [](F& f, S) { f.SetTheme(TAppTheme::TChoice::Dark); },
                      false,
                      std::nullopt,
                      QStringLiteral("T&heme"),
                      [](const F& f) { return f.Theme() == TAppTheme::TChoice::Dark; }},
                     {commands::LargerText,
                      TMenu::View,
                      QStringLiteral("Lar&ger Text"),
                      helpids::TextSize,
                      {key(Qt::CTRL | Qt::Key_Plus), key(Qt::CTRL | Qt::Key_Equal)},
                      TNeed::Nothing,
                      [](F& f, S) { f.StepTextSize(1); },
                      true},
                     {commands::SmallerText,
                      TMenu::View,
                      QStringLiteral("Sma&ller Text"),
                      helpids::TextSize,
                      {key(Qt::CTRL | Qt::Key_Minus)},
                      TNeed::Nothing,
                      [](F& f, S) { f.StepTextSize(-1); }},
                     {commands::NormalText,
                      TMenu::View,
                      QStringLiteral("Normal Text Si&ze"),
                      helpids::TextSize,
                      {key(Qt::CTRL | Qt::Key_0)},
                      TNeed::Nothing,
                      [](F& f, S) { f.StepTextSize(0); }},
                     {commands::Back,
                      TMenu::View,
                      QStringLiteral("&Back"),
                      helpids::BackForward,
                      {key(Qt::ALT | Qt::Key_Left)},
                      TNeed::Back,
                      [](F& f, S) { f.mdi->GoBack(); },
                      true},
                     {commands::Forward,
                      TMenu::View,
                      QStringLiteral("For&ward"),
                      helpids::BackForward,
                      {key(Qt::ALT | Qt::Key_Right)},
                      TNeed::Forward,
                      [](F& f, S) { f.mdi->GoForward(); }},
                     {commands::QuickOpen,
                      TMenu::View,
                      QStringLiteral("&Quick Open..."),
                      helpids::QuickOpen,
                      {key(Qt::CTRL | Qt::Key_K)},
                      TNeed::Design,
                      [](F& f, S) { f.CmQuickOpen(); },
                      true},
                 });
    for (size_t i = 0; i < diagram::kZooms.size(); ++i)
        table.push_back({commands::FirstZoom + static_cast<int>(i),
                         TMenu::Zoom,
                         QStringLiteral("%1%").arg(diagram::kZooms[i]),
                         0,
                         {},
                         TNeed::Diagram,
                         [i](F& f, S) { f.mdi->ActivePane()->SetZoom(diagram::kZooms[i]); }});
    table.insert(table.end(), {
                                  {commands::Cascade,
                                   TMenu::Window,
                                   QStringLiteral("&Cascade"),
                                   0,
                                   {},
                                   TNeed::Nothing,
                                   [](F& f, S) { f.mdi->Cascade(); }},
                                  {commands::Tile,
                                   TMenu::Window,
                                   QStringLiteral("&Tile"),
                                   0,
                                   {},
                                   TNeed::Nothing,
                                   [](F& f, S) { f.mdi->Tile(); }},
                                  {commands::ArrangeIcons,
                                   TMenu::Window,
                                   QStringLiteral("Arrange &Icons"),
                                   0,
                                   {},
                                   TNeed::Nothing,
                                   [](F& f, S) { f.mdi->ArrangeIcons(); }},
                                  {commands::CloseAll,
                                   TMenu::Window,
                                   QStringLiteral("C&lose All"),
                                   0,
                                   {},
                                   TNeed::Nothing,
                                   [](F& f, S) { f.mdi->CloseAll(); }},
                                  {commands::HelpTopics,
                                   TMenu::Help,
                                   QStringLiteral("&Help Topics"),
                                   0,
                                   {},
                                   TNeed::Nothing,
                                   [](F& f, S) { f.ShowHelpContents(); }},
                                  {commands::About,
                                   TMenu::Help,
                                   QStringLiteral("&About"),
                                   0,
                                   {},
                                   TNeed::Nothing,
                                   [](F& f, S) { f.ShowAbout(); }},
                              });
    return table;
}

TMainFrame::TMainFrame(TSettings& settings, THtmlHelp& help, const std::string& logPath)
    : settings(settings), help(help), recent(settings), document(logPath),
      mdi(new TSpecMDI(document)), commands(std::make_unique<TCommands>(*this, CommandTable())),
      reloader(new TReloader(*mdi, document, this))
{
    setAcceptDrops(true);
    setWindowTitle(kAppName);
    setWindowIcon(TIconSet::Icon(TIconSet::Program));
    setCentralWidget(mdi);

    const QRect rect = settings.WindowRect({});
    if (rect.width() > 0 && rect.height() > 0)
        setGeometry(rect);
    mdi->SetTreeColumn(settings.TreeRight(width() / 3));
    settings.ReadColours(document.colours);
    settings.ReadDarkColours(document.darkColours);
    lightBackground = mdi->background();
    ApplyTheme(TAppTheme::Parse(settings.Theme()));
    SetTextSize(textsize::FromSettings(settings.FontSize(), TextSizes(document.font)));

    for (const TCommand& command : commands->Table())
        connect(commands->Action(command.id), &QAction::triggered, this,
                [this, &command] { Run(command); });
    connect(mdi, &QMdiArea::subWindowActivated, this, &TMainFrame::UpdateCommands);
    connect(mdi, &TSpecMDI::PaneSelectionMoved, this, &TMainFrame::UpdateCommands);
    connect(mdi, &TSpecMDI::Loaded, this, [this] {
        UpdateTitle();
        UpdateCommands();
    });
    connect(mdi, &TSpecMDI::HelpRequested, this, &TMainFrame::ShowHelp);
    // Made now, not at the first note: appearing then, it would shrink the client, which cascades
    // the windows as a resize of the frame does.
    statusBar();
    connect(mdi, &TSpecMDI::StatusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, kStatusTime); });
    connect(reloader, &TReloader::StatusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, kStatusTime); });
    connect(reloader, &TReloader::Reloaded, this, [this] {
        UpdateTitle();
        UpdateCommands();
    });
    commands->UpdateChecks(*this);
    reloader->SetWatching(settings.ReloadWhenChanged());
    if (!settings.Problem().isEmpty())
        statusBar()->showMessage(settings.Problem(), kStatusTime);
    qApp->installEventFilter(this);

    UpdateRecentMenu();
    UpdateCommands();
}

TMainFrame::~TMainFrame()
{
    qApp->removeEventFilter(this);
    // Its thread reads the document, which goes before the children do.
    delete reloader;
    reloader = nullptr;
    // Closing the window at destruction deactivates the children; the commands are gone by then.
    disconnect(mdi, nullptr, this, nullptr);
    // The windows go before the document they show.
    delete takeCentralWidget();
}

bool TMainFrame::OpenFolder(const QString& folder)
{
    // A folder that fails to load would push a good one out of the list.
    if (!mdi->ReadFile(folder))
        return false;
    opened = folder;
    recent.AddToFront(folder);
    UpdateRecentMenu();
    return true;
}

void TMainFrame::OpenRecent(int n)
{
    if (n < 0 || n >= recent.Entries().size())
        return;
    const QString folder = recent.Entries()[n];
    if (mdi->ReadFile(folder)) {
        opened = folder;
    } else {
        recent.Remove(folder);
        UpdateRecentMenu();
    }
}

bool TMainFrame::ReopenLastDesign()
{
    const QString folder = settings.SessionFolder();
    if (!settings.ReopenLastDesign() || folder.isEmpty())
        return false;
    // Asked first, so that a folder gone since says so in a line, not a box; the recent list
    // keeps it.
    if (!TDatabase::Open(bytes::PathBytes(folder))) {
        statusBar()->showMessage(
            QStringLiteral("The last design, %1, is no longer there").arg(folder), kStatusTime);
        return false;
    }
    if (!mdi->ReadFile(folder))
        return false;
    opened = folder;
    windowmemos::Restore(*mdi, settings.SessionWindows());
    UpdateCommands();
    return true;
}

void TMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void TMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: the drag's source waits for it.
    const QString place = QDir::cleanPath(urls.front().toLocalFile());
    QMetaObject::invokeMethod(
        this, [this, place] { OpenDropped(place); }, Qt::QueuedConnection);
}

void TMainFrame::OpenDropped(const QString& place)
{
    // A reload's or an export's events may run this while its threads read the design.
    if (TDesignInUse::Now()) {
        QTimer::singleShot(kDropRetry, this, [this, place] { OpenDropped(place); });
        return;
    }
    OpenFolder(place);
}

void TMainFrame::CmQuickOpen()
{
    auto* popup = new TQuickOpen(document.db.Definitions(), this);
    connect(popup, &TQuickOpen::Chosen, this,
            [this](const TDefBase& element) { mdi->OpenDefinition(element); });
    popup->ShowOver(*this);
}

void TMainFrame::CmExportWebPages()
{
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Export as Web Pages"), settings.InitialPath());
    if (!folder.isEmpty())
        webexport::ExportWebPages(this, document.db, folder);
}

void TMainFrame::CmCompareWith()
{
    TChooseFolderDialog chooser(this, QStringLiteral("Compare With"), settings.InitialPath());
    connect(&chooser, &TChooseFolderDialog::HelpRequested, this, &TMainFrame::ShowHelp);
    if (chooser.exec() == QDialog::Accepted)
        mdi->CompareWith(chooser.Result());
}

void TMainFrame::CmOpen()
{
    TChooseFolderDialog chooser(this, QStringLiteral("Kinvault Database"), settings.InitialPath());
    connect(&chooser, &TChooseFolderDialog::HelpRequested, this, &TMainFrame::ShowHelp);
    if (chooser.exec() != QDialog::Accepted)
        return;
    settings.SetInitialPath(chooser.StartPath());
    OpenFolder(chooser.Result());
}

bool TMainFrame::Loaded() const
{
    return document.db.Loaded();
}

bool TMainFrame::Meets(TNeed need, const TPaneState& state) const
{
    switch (need) {
    case TNeed::Nothing:
        return true;
    case TNeed::Design:
        return Loaded();
    case TNeed::Copy:
        return state.canCopy;
    case TNeed::Definition:
        return state.canOpen;
    case TNeed::UsedBy:
        return state.usedBy && state.usedBy->IsUsed();
    case TNeed::Locate:
        return Loaded() && state.locates;
    case TNeed::FocusPicture:
        return state.focusPicture != nullptr;
    case TNeed::Filter:
        return state.filter != nullptr;
    case TNeed::Diagram:
        return state.isDiagram;
    case TNeed::Back:
        return mdi->CanGoBack();
    case TNeed::Forward:
        return mdi->CanGoForward();
    case TNeed::Differences:
        return state.differences;
    case TNeed::Print:
        return state.canPrint;
    }
    return false;
}

void TMainFrame::Run(const TCommand& command)
{
    const TPaneState state = mdi->ActiveState();
    if (!Meets(command.need, state))
        return;
    command.run(*this, state);
    // Back on a window that is already active moves the history and activates nothing.
    UpdateCommands();
}

void TMainFrame::UpdateCommands()
{
    const TPaneState state = mdi->ActiveState();
    for (const TCommand& command : commands->Table())
        commands->Action(command.id)->setEnabled(Meets(command.need, state));
    commands->Menu(TMenu::Zoom)->menuAction()->setVisible(state.isDiagram);
    commands->UpdateChecks(*this);
}

void TMainFrame::ApplyTheme(TAppTheme::TChoice choice)
{
    document.dark = theme.Apply(choice);
    // The client's grey is its own, not the palette's.
    mdi->setBackground(document.dark ? QApplication::palette().brush(QPalette::Dark)
                                     : lightBackground);
}

void TMainFrame::SetTheme(TAppTheme::TChoice choice)
{
    ApplyTheme(choice);
    settings.SetTheme(TAppTheme::Name(choice));
    commands->UpdateChecks(*this);
    RepaintAll(this);
}

void TMainFrame::StepTextSize(int step)
{
    const std::vector<int> offered = TextSizes(document.font);
    const int points = step == 0 ? textsize::FromSettings(textsize::kDefault, offered)
                                 : textsize::Step(document.font.pointSize(), step, offered);
    SetTextSize(points);
    settings.SetFontSize(points);
}

void TMainFrame::SetTextSize(int points)
{
    if (points == document.font.pointSize())
        return;
    document.font.setPointSize(points);
    mdi->UpdateTextFont();
}

void TMainFrame::CmPreferences()
{
    TSetColours dialog(this, document.ShownColours());
    connect(&dialog, &TSetColours::HelpRequested, this, &TMainFrame::ShowHelp);
    if (dialog.exec() == QDialog::Accepted)
        RepaintAll(this);
}

void TMainFrame::CmSaveAs()
{
    QString folder = settings.SaveAsPath();
    TSaveAsDialog dialog(this, document.db, mdi->Services(), folder);
    connect(&dialog, &TSaveAsDialog::HelpRequested, this, &TMainFrame::ShowHelp);
    dialog.exec();
    // Kept whether or not anything was saved.
    settings.SetSaveAsPath(folder);
}

void TMainFrame::CmFindInScripts(const std::string& selected)
{
    const std::string offered = selected.empty() ? lastFind : selected;
    QInputDialog ask(this);
    ask.setWindowTitle(QStringLiteral("Find in Scripts"));
    ask.setLabelText(QStringLiteral("Find the script lines that hold:"));
    ask.setTextValue(bytes::ToText(offered));
    THelpContext::Set(&ask, helpids::FindInScripts);
    if (ask.exec() != QDialog::Accepted || ask.textValue().isEmpty())
        return;
    // A name taken as offered keeps its bytes: a Windows-1252 name written back as UTF-8 would
    // not find itself.
    lastFind =
        ask.textValue() == bytes::ToText(offered) ? offered : bytes::TypedBytes(ask.textValue());
    mdi->ShowFind(lastFind);
}

void TMainFrame::CmExportDiagram()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export Diagram"), settings.InitialPath(),
                                     QStringLiteral("SVG picture (*.svg);;PNG picture (*.png)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!mdi->ActivePane()->Export(path, error))
        TMessageSink::Show(this, {QStringLiteral("Export Diagram"),
                                  QStringLiteral("Cannot write %1: %2").arg(path, error),
                                  QMessageBox::Warning});
}

void TMainFrame::CmPrint(TPrintTo to)
{
    const std::unique_ptr<TPrintout> printout = mdi->ActivePane()->Printout();
    if (!printout)
        return;
    const QString title = mdi->currentSubWindow()->windowTitle();
    const QString caption =
        to == TPrintTo::Pdf ? QStringLiteral("Export as PDF") : QStringLiteral("Print");
    if (const QStringList layouts = printout->Layouts(); !layouts.isEmpty()) {
        QInputDialog ask(this);
        ask.setWindowTitle(caption);
        ask.setLabelText(QStringLiteral("Print the diagram:"));
        ask.setComboBoxItems(layouts);
        ask.setTextValue(layouts.value(printLayout));
        THelpContext::Set(&ask, helpids::Print);
        if (ask.exec() != QDialog::Accepted)
            return;
        printLayout = std::max(0, static_cast<int>(layouts.indexOf(ask.textValue())));
        printout->SetLayout(printLayout);
    }
    if (to != TPrintTo::Pdf && !printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPageLayout(printing::PageLayout());
    }
    QString error;
    if (to == TPrintTo::Pdf) {
        QFileDialog chooser(this, caption, settings.InitialPath(),
                            QStringLiteral("PDF document (*.pdf)"));
        chooser.setAcceptMode(QFileDialog::AcceptSave);
        chooser.setDefaultSuffix(QStringLiteral("pdf"));
        THelpContext::Set(&chooser, helpids::Print);
        if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
            return;
        const QString path = chooser.selectedFiles().constFirst();
        error = printing::WritePdf(*printout, title, path, document.db.DefinitionFile());
        if (error.isEmpty())
            statusBar()->showMessage(QStringLiteral("Wrote %1").arg(path), kStatusTime);
        else
            error = QStringLiteral("Cannot write %1: %2").arg(path, error);
    } else if (to == TPrintTo::Preview) {
        QPrintPreviewDialog preview(printer.get(), this);
        preview.setWindowTitle(QStringLiteral("Print Preview - %1").arg(title));
        THelpContext::Set(&preview, helpids::Print);
        preview.resize(size() * 9 / 10);
        connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
            // The preview paints again on every change of its settings; the first failure is kept.
            if (const QString failed = printing::Print(*target, *printout, title); error.isEmpty())
                error = failed;
        });
        preview.exec();
    } else {
        QPrintDialog dialog(printer.get(), this);
        THelpContext::Set(&dialog, helpids::Print);
        if (dialog.exec() != QDialog::Accepted)
            return;
        error = printing::Print(*printer, *printout, title);
    }
    if (!error.isEmpty())
        TMessageSink::Show(this, {caption, error, QMessageBox::Warning});
}

void TMainFrame::CmFocusedDiagram(const TDefBase& picture)
{
    TFocusDepthDialog dialog(this, bytes::ToText(picture.Title()), focusDepth);
    connect(&dialog, &TFocusDepthDialog::HelpRequested, this, &TMainFrame::ShowHelp);
    if (dialog.exec() != QDialog::Accepted)
        return;
    focusDepth = dialog.Depth();
    mdi->OpenFocusedDiagram(picture, focusDepth);
}

void TMainFrame::RepaintAll(QWidget* widget)
{
    widget->update();
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->update();
}

void TMainFrame::UpdateRecentMenu()
{
    const QStringList& entries = recent.Entries();
    for (int n = 0; n < TRecentFolders::kCount; ++n) {
        QAction* action = commands->Action(commands::FirstRecent + n);
        action->setVisible(n < entries.size());
        if (n < entries.size()) {
            QString path = entries[n];
            path.replace(QLatin1Char('&'), QStringLiteral("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(n + 1).arg(path));
        }
    }
    commands->SeparatorBefore(commands::Exit)->setVisible(!entries.isEmpty());
}

void TMainFrame::UpdateTitle()
{
    setWindowTitle(bytes::ToText(document.db.Name()) + QStringLiteral(" - ") + kAppName);
}

int TMainFrame::HelpContextForF1() const
{
    if (const auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        return menu->activeAction() ? THelpContext::Of(menu->activeAction()) : 0;
    if (const QWidget* dialog = QApplication::activeModalWidget())
        return THelpContext::Of(dialog);
    if (const QMdiSubWindow* child = mdi->currentSubWindow())
        return THelpContext::Of(child);
    return 0;
}

bool TMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            if (const int topic = HelpContextForF1())
                ShowHelp(topic);
            else
                ShowHelpContents();
            return true;
        }
    }
    // The mouse's back and forward buttons, anywhere in this window.
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        QAction* step = mouse->button() == Qt::BackButton      ? commands->Action(commands::Back)
                        : mouse->button() == Qt::ForwardButton ? commands->Action(commands::Forward)
                                                               : nullptr;
        if (step && widget && widget->window() == this) {
            if (step->isEnabled())
                step->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainFrame::closeEvent(QCloseEvent* event)
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        settings.WriteWindow(geometry(), mdi->TreeColumn());
    settings.WriteColours(document.colours);
    settings.WriteDarkColours(document.darkColours);
    if (Loaded() && !opened.isEmpty())
        settings.WriteSession(opened, windowmemos::Take(*mdi));
    help.CloseAll();
    QMainWindow::closeEvent(event);
}

void TMainFrame::ShowHelp(int contextId)
{
    help.Show(contextId);
}

void TMainFrame::ShowHelpContents()
{
    help.ShowContents();
}

void TMainFrame::ShowAbout()
{
    TAboutBox about(this);
    about.exec();
}
