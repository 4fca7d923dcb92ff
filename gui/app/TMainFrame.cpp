#include "gui/app/TMainFrame.h"

#include "diagram/DiagramGeometry.h"
#include "gui/app/TSettings.h"
#include "gui/app/TSpecMDI.h"
#include "gui/diagram/TDisplayBrowser.h"
#include "gui/export/TSaveAsDialog.h"
#include "gui/script/TSetColours.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/support/TAboutBox.h"
#include "gui/support/TChooseFolderDialog.h"
#include "gui/support/THelpContext.h"
#include "gui/support/THtmlHelp.h"
#include "gui/support/TIconSet.h"
#include "gui/views/TFilterBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

namespace {
const QString kAppName = QStringLiteral("Stemlook");
}

TMainFrame::TMainFrame(TSettings& settings, THtmlHelp& help, const std::string& logPath)
    : settings(settings), help(help), recent(settings), mdi(new TSpecMDI(logPath)),
      commands(std::make_unique<TCommands>(*this))
{
    setWindowTitle(kAppName);
    setWindowIcon(TIconSet::Icon(TIconSet::Program));
    setCentralWidget(mdi);

    const QRect rect = settings.WindowRect({});
    if (rect.width() > 0 && rect.height() > 0)
        setGeometry(rect);
    mdi->SetTreeColumn(settings.TreeRight(width() / 3));
    settings.ReadColours(mdi->Colours());

    const TCommands& c = *commands;
    connect(c.open, &QAction::triggered, this, &TMainFrame::CmOpen);
    connect(c.exit, &QAction::triggered, this, &QWidget::close);
    connect(c.structure, &QAction::triggered, this, [this] { RunCommand(TPane::Structure); });
    connect(c.index, &QAction::triggered, this, [this] { RunCommand(TPane::Index); });
    connect(c.copy, &QAction::triggered, this, [this] { RunCommand(TPane::Copy); });
    connect(c.usedBy, &QAction::triggered, this, [this] { RunCommand(TPane::UsedBy); });
    connect(c.relationships, &QAction::triggered, this,
            [this] { RunCommand(TPane::Relationships); });
    connect(c.focusedDiagram, &QAction::triggered, this,
            [this] { RunCommand(TPane::FocusedDiagram); });
    connect(c.preferences, &QAction::triggered, this, &TMainFrame::CmPreferences);
    connect(c.exportDiagram, &QAction::triggered, this, &TMainFrame::CmExportDiagram);
    connect(c.saveAs, &QAction::triggered, this, &TMainFrame::CmSaveAs);
    connect(c.findInScripts, &QAction::triggered, this, &TMainFrame::CmFindInScripts);
    connect(c.filter, &QAction::triggered, this, [this] {
        if (TFilterBox* box = mdi->ActiveFilterBox()) {
            box->setFocus(Qt::ShortcutFocusReason);
            box->selectAll();
        }
    });
    for (size_t i = 0; i < c.zooms.size(); ++i)
        connect(c.zooms[i], &QAction::triggered, this, [this, i] {
            if (TDisplayBrowser* browser = mdi->ActiveBrowser())
                browser->SetZoom(diagram::kZooms[i]);
        });
    connect(c.messages, &QAction::triggered, mdi, &TSpecMDI::ShowMessages);
    connect(c.unusedElements, &QAction::triggered, mdi, &TSpecMDI::ShowUnused);
    connect(c.back, &QAction::triggered, mdi, &TSpecMDI::GoBack);
    connect(c.forward, &QAction::triggered, mdi, &TSpecMDI::GoForward);
    connect(c.cascade, &QAction::triggered, mdi, &TSpecMDI::Cascade);
    connect(c.tile, &QAction::triggered, mdi, &TSpecMDI::Tile);
    connect(c.arrangeIcons, &QAction::triggered, mdi, &TSpecMDI::ArrangeIcons);
    connect(c.closeAll, &QAction::triggered, mdi, &TSpecMDI::CloseAll);
    connect(c.helpTopics, &QAction::triggered, this, &TMainFrame::ShowHelpContents);
    connect(c.about, &QAction::triggered, this, &TMainFrame::ShowAbout);
    for (int n = 0; n < TRecentFolders::kCount; ++n)
        connect(c.recent[static_cast<size_t>(n)], &QAction::triggered, this,
                [this, n] { OpenRecent(n); });

    connect(c.definition, &QAction::triggered, this, [this] { RunCommand(TPane::Definition); });
    connect(mdi, &QMdiArea::subWindowActivated, this, &TMainFrame::UpdateCommands);
    connect(mdi, &TSpecMDI::TreeSelectionMoved, this, &TMainFrame::UpdateCommands);
    connect(mdi, &TSpecMDI::PaneSelectionMoved, this, &TMainFrame::UpdateCommands);
    connect(mdi, &TSpecMDI::Loaded, this, [this] {
        UpdateTitle();
        UpdateCommands();
    });
    connect(mdi, &TSpecMDI::HelpRequested, this, &TMainFrame::ShowHelp);
    qApp->installEventFilter(this);

    UpdateRecentMenu();
    UpdateCommands();
}

TMainFrame::~TMainFrame()
{
    qApp->removeEventFilter(this);
    // Closing the window at destruction deactivates the children; the commands are gone by then.
    disconnect(mdi, nullptr, this, nullptr);
}

bool TMainFrame::OpenFolder(const QString& folder)
{
    recent.AddToFront(folder);
    UpdateRecentMenu();
    return mdi->ReadFile(folder);
}

void TMainFrame::OpenRecent(int n)
{
    if (n < 0 || n >= recent.Entries().size())
        return;
    const QString folder = recent.Entries()[n];
    if (!mdi->ReadFile(folder)) {
        recent.Remove(folder);
        UpdateRecentMenu();
    }
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

QAction* TMainFrame::Action(TPane::TCommand command) const
{
    switch (command) {
    case TPane::Copy:
        return commands->copy;
    case TPane::Definition:
        return commands->definition;
    case TPane::UsedBy:
        return commands->usedBy;
    case TPane::Relationships:
        return commands->relationships;
    case TPane::Structure:
        return commands->structure;
    case TPane::Index:
        return commands->index;
    case TPane::FocusedDiagram:
        return commands->focusedDiagram;
    }
    return nullptr;
}

bool TMainFrame::CommandEnabled(TPane::TCommand command) const
{
    if (TPane* pane = mdi->ActivePane(); pane && pane->Answers(command))
        return pane->Enabled(command);
    const bool loaded = mdi->Database().Loaded();
    switch (command) {
    case TPane::Structure:
    case TPane::Index:
    case TPane::Relationships:
        return loaded;
    case TPane::Definition:
    case TPane::UsedBy: // on a leaf nothing uses, the command does nothing
        return mdi->ActiveTreeLeaf() >= 0;
    case TPane::Copy:
    case TPane::FocusedDiagram: // only a pane with a picture to focus on answers it
        return false;
    }
    return false;
}

void TMainFrame::RunCommand(TPane::TCommand command)
{
    if (!CommandEnabled(command))
        return;
    if (TPane* pane = mdi->ActivePane(); pane && pane->Answers(command)) {
        pane->Run(command);
        return;
    }
    switch (command) {
    case TPane::Structure:
        mdi->ShowStructure();
        break;
    case TPane::Index:
        mdi->ShowIndex(nullptr);
        break;
    case TPane::Definition:
        mdi->OpenActiveTreeLeaf();
        break;
    case TPane::UsedBy:
        mdi->ShowActiveTreeLeafUsers();
        break;
    case TPane::Relationships:
        mdi->ShowRelationships(nullptr);
        break;
    case TPane::Copy:
    case TPane::FocusedDiagram:
        break;
    }
}

void TMainFrame::UpdateCommands()
{
    const bool loaded = mdi->Database().Loaded();
    commands->messages->setEnabled(loaded);
    commands->preferences->setEnabled(true);
    for (const TPane::TCommand command :
         {TPane::Copy, TPane::Definition, TPane::UsedBy, TPane::Relationships, TPane::Structure,
          TPane::Index, TPane::FocusedDiagram})
        Action(command)->setEnabled(CommandEnabled(command));
    commands->saveAs->setEnabled(loaded);
    const bool diagram = mdi->ActiveBrowser() != nullptr;
    commands->zoomMenu->menuAction()->setVisible(diagram);
    commands->exportDiagram->setEnabled(diagram);
    commands->filter->setEnabled(mdi->ActiveFilterBox() != nullptr);
    commands->findInScripts->setEnabled(loaded);
    commands->unusedElements->setEnabled(loaded);
    commands->back->setEnabled(mdi->CanGoBack());
    commands->forward->setEnabled(mdi->CanGoForward());
}

void TMainFrame::CmPreferences()
{
    TSetColours dialog(this, mdi->Colours());
    connect(&dialog, &TSetColours::HelpRequested, this, &TMainFrame::ShowHelp);
    if (dialog.exec() == QDialog::Accepted)
        RepaintAll(this);
}

void TMainFrame::CmSaveAs()
{
    if (!mdi->Database().Loaded())
        return;
    QString folder = settings.SaveAsPath();
    TSaveAsDialog dialog(this, mdi->Database(), *mdi, folder);
    connect(&dialog, &TSaveAsDialog::HelpRequested, this, &TMainFrame::ShowHelp);
    dialog.exec();
    // Kept whether or not anything was saved.
    settings.SetSaveAsPath(folder);
}

void TMainFrame::CmFindInScripts()
{
    if (!mdi->Database().Loaded())
        return;
    const std::string selected = mdi->SelectedName();
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
    TDisplayBrowser* browser = mdi->ActiveBrowser();
    if (!browser)
        return;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export Diagram"), settings.InitialPath(),
                                     QStringLiteral("SVG picture (*.svg);;PNG picture (*.png)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!browser->Export(path, error))
        QMessageBox::warning(this, QStringLiteral("Export Diagram"),
                             QStringLiteral("Cannot write %1: %2").arg(path, error));
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
        QAction* action = commands->recent[static_cast<size_t>(n)];
        action->setVisible(n < entries.size());
        if (n < entries.size()) {
            QString path = entries[n];
            path.replace(QLatin1Char('&'), QStringLiteral("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(n + 1).arg(path));
        }
    }
    commands->recentSeparator->setVisible(!entries.isEmpty());
}

void TMainFrame::UpdateTitle()
{
    setWindowTitle(bytes::ToText(mdi->Database().Name()) + QStringLiteral(" - ") + kAppName);
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
        QAction* step = mouse->button() == Qt::BackButton      ? commands->back
                        : mouse->button() == Qt::ForwardButton ? commands->forward
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
    settings.WriteColours(mdi->Colours());
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
