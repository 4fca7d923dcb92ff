#include "gui/support/THtmlHelp.h"

#include "gui/support/TIconSet.h"
#include "gui/support/TResources.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

namespace {

struct Topic {
    int contextId;
    const char* page;
};

// Menu commands, panes, windows, dialogs and messages, by help context id.
constexpr Topic topics[] = {
    {100, "open.html"},
    {101, "save-as.html"},
    {102, "exit.html"},
    {103, "preferences.html"},
    {110, "copy.html"},
    {120, "definition.html"},
    {121, "index-command.html"},
    {122, "messages-command.html"},
    {123, "relationships-command.html"},
    {124, "structure-command.html"},
    {125, "used-by-command.html"},
    {130, "fields-pane.html"},
    {131, "picture-pane.html"},
    {132, "list-pane.html"},
    {133, "choice-pane.html"},
    {134, "table-pane.html"},
    {135, "report-pane.html"},
    {136, "print-settings-pane.html"},
    {137, "structure-window.html"},
    {138, "used-by-window.html"},
    {139, "index-window.html"},
    {140, "messages-window.html"},
    {141, "relationships-window.html"},
    {143, "options-pane.html"},
    {150, "save-as-dialog.html"},
    {151, "folder-chooser.html"},
    {152, "colours-dialog.html"},
    {160, "builtin-value.html"},
    {161, "builtin-type.html"},
    {162, "script-element.html"},
    {170, "filter.html"},
    {171, "find-in-scripts.html"},
    {172, "back-forward.html"},
    {173, "focused-diagram.html"},
    {174, "unused-elements.html"},
    {175, "compare-with.html"},
    {176, "differences-window.html"},
    {177, "print.html"},
    {185, "web-pages.html"},
    {190, "reload.html"},
    {191, "session.html"},
    {195, "theme.html"},
    {196, "text-size.html"},
    {197, "hover.html"},
    {200, "quick-open.html"},
};

// Headings and links in blues that read on the page's background, light or dark.
QString StyleSheet(const QPalette& palette)
{
    const bool dark = palette.color(QPalette::Base).lightness() < 128;
    return QStringLiteral("h1, h2 { color: %1; } a { color: %2; } code { font-family: monospace; }")
        .arg(QLatin1String(dark ? "#9cc3ff" : "#1f4e8c"),
             QLatin1String(dark ? "#8ab4f8" : "#2a62b0"));
}

QUrl HelpUrl(const char* page)
{
    return QUrl(QStringLiteral("qrc:/help/") + QLatin1String(page));
}

} // namespace

THtmlHelp::~THtmlHelp()
{
    QObject::disconnect(modalFinished);
    delete window.data();
}

void THtmlHelp::Show(int contextId)
{
    ShowPage(PageUrl(contextId));
}

void THtmlHelp::ShowContents()
{
    ShowPage(ContentsUrl());
}

void THtmlHelp::CloseAll()
{
    if (window)
        window->close();
}

QUrl THtmlHelp::PageUrl(int contextId)
{
    for (const Topic& topic : topics)
        if (topic.contextId == contextId)
            return HelpUrl(topic.page);
    return ContentsUrl();
}

QUrl THtmlHelp::ContentsUrl()
{
    return HelpUrl("contents.html");
}

QString THtmlHelp::WindowTitle(const QString& pageTitle)
{
    const QString help = QStringLiteral("Stemlook Help");
    if (pageTitle.isEmpty() || pageTitle == help)
        return help;
    return pageTitle + QStringLiteral(" - ") + help;
}

QWidget* THtmlHelp::Window() const
{
    return window;
}

QTextBrowser* THtmlHelp::Browser() const
{
    return browser;
}

void THtmlHelp::MakeWindow()
{
    TResources::Init();
    window = new QWidget(nullptr, Qt::Window);
    window->setWindowTitle(QStringLiteral("Stemlook Help"));
    window->setWindowIcon(TIconSet::Icon(TIconSet::Program));
    // Help must never keep the program running once the main window has closed.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    window->resize(640, 600);

    browser = new QTextBrowser(window);
    browser->document()->setDefaultStyleSheet(StyleSheet(browser->palette()));
    browser->document()->setDocumentMargin(12);

    auto* tools = new QToolBar(window);
    QAction* contents = tools->addAction(QStringLiteral("Contents"));
    QAction* back = tools->addAction(QStringLiteral("Back"));
    QAction* forward = tools->addAction(QStringLiteral("Forward"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    QTextBrowser* pages = browser;
    QObject::connect(contents, &QAction::triggered, pages,
                     [pages] { pages->setSource(ContentsUrl()); });
    QObject::connect(back, &QAction::triggered, pages, &QTextBrowser::backward);
    QObject::connect(forward, &QAction::triggered, pages, &QTextBrowser::forward);
    QObject::connect(pages, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QObject::connect(pages, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QWidget* frame = window;
    QObject::connect(pages, &QTextBrowser::sourceChanged, frame, [frame, pages] {
        frame->setWindowTitle(WindowTitle(pages->documentTitle()));
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, frame, &QWidget::close);

    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser);
}

void THtmlHelp::ShowPage(const QUrl& page)
{
    if (!window)
        MakeWindow();
    if (browser->source() != page)
        browser->setSource(page);
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    FollowModalDialog();
    window->raise();
    window->activateWindow();
}

// Help asked for from a modal dialog (its Help button) must take input while the dialog is open:
// the help window stays a transient window of that dialog until the dialog finishes.
void THtmlHelp::FollowModalDialog()
{
    QObject::disconnect(modalFinished);
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == window || !modal->windowHandle()) {
        handle->setTransientParent(nullptr);
        return;
    }
    handle->setTransientParent(modal->windowHandle());
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        modalFinished = QObject::connect(dialog, &QDialog::finished, handle,
                                         [handle] { handle->setTransientParent(nullptr); });
}
