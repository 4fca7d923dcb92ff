#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QUrl>

class QTextBrowser;
class QWidget;

// The program's help: our own HTML pages, one for each help context id, compiled into the program
// and shown in a single help window. Being built in, help is always there and never reports a
// failure to start.
class THtmlHelp {
public:
    THtmlHelp() = default;
    ~THtmlHelp();
    THtmlHelp(const THtmlHelp&) = delete;
    THtmlHelp& operator=(const THtmlHelp&) = delete;

    // Shows the page of a help context id and brings the help window forward. An id without a page
    // of its own shows the contents.
    void Show(int contextId);
    void ShowContents();
    // Closes the help window; a later Show opens it again.
    void CloseAll();

    // The page of a help context id; the contents page for an id without one.
    static QUrl PageUrl(int contextId);
    static QUrl ContentsUrl();
    // The help window's caption for a page of this title; the contents page is titled after the
    // window itself.
    static QString WindowTitle(const QString& pageTitle);

    // The help window and its browser; null until help is first shown.
    QWidget* Window() const;
    QTextBrowser* Browser() const;

private:
    void MakeWindow();
    void ShowPage(const QUrl& page);
    void FollowModalDialog();

    QPointer<QWidget> window;
    QPointer<QTextBrowser> browser;
    QMetaObject::Connection modalFinished;
};
