#pragma once

#include "core/TempFolder.h"
#include "gui/app/TCommands.h"
#include "gui/app/TMainFrame.h"
#include "gui/app/TSettings.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/THtmlHelp.h"
#include "gui/support/TMessageSink.h"
#include "gui/support/TMyMessage.h"
#include "gui/views/TDisplayChild.h"
#include "load/TDatabase.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A double-click as a mouse makes it: press, release, double-click, release. (QTest's own sends
// the double-click event alone.)
inline void DoubleClick(QWidget* widget, QPoint pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

// The active child's pane widget as a T; null when it is none or of another class.
template <class T> T* ActivePane(const TSpecMDI& mdi)
{
    auto* child = qobject_cast<TDisplayChild*>(mdi.currentSubWindow());
    return child ? qobject_cast<T*>(child->Pane()) : nullptr;
}

// The pane widget of the child with the key as a T; null when it is none or of another class.
template <class T> T* PaneOf(const TSpecMDI& mdi, const TChildKey& key)
{
    auto* child = qobject_cast<TDisplayChild*>(mdi.FindChild(key));
    return child ? qobject_cast<T*>(child->Pane()) : nullptr;
}

// The element whose own window is active; -1 when the active child is no element's.
inline int ActiveElement(const TSpecMDI& mdi)
{
    const auto* child = qobject_cast<TChildWindow*>(mdi.currentSubWindow());
    return child && child->Key().role == TChildKey::Definition ? child->Key().element : -1;
}

// A modal dialog as a test saw it.
struct TSeenModal {
    QString title;
};

// Answers every modal dialog that opens while it lives: records its title, lets the test act on
// it, then closes it (accepted), so a test never hangs on a dialog. Message boxes open no dialog
// in tests: TBoxes takes them.
class TModalAnswer {
public:
    explicit TModalAnswer(std::function<void(QDialog&)> act = {}) : act(std::move(act))
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] { Poll(); });
        timer.start();
    }

    std::vector<TSeenModal> seen;

private:
    void Poll()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        seen.push_back({dialog->windowTitle()});
        if (act)
            act(*dialog);
        if (dialog->isVisible())
            dialog->accept();
    }

    std::function<void(QDialog&)> act;
    QTimer timer;
};

// Takes every message box shown while it lives, in a person's place: records it and lets the
// test act on it (ask for its help, say). Outside one, a box fails the test (GuiTestMain).
class TBoxes {
public:
    explicit TBoxes(std::function<void(const TMessage&)> act = {})
        : act(std::move(act)), sink([this](QWidget*, const TMessage& message) {
              seen.push_back(message);
              if (this->act)
                  this->act(message);
              return answer;
          })
    {
    }

    std::vector<TMessage> seen;
    // What every box is answered with.
    QMessageBox::StandardButton answer = QMessageBox::Ok;

private:
    std::function<void(const TMessage&)> act;
    TMessageSink::TScope sink;
};

// A main frame shown offscreen, its settings and log in a temporary folder, with database
// folders written there on request.
struct TFrameFixture {
    TTempFolder folder;
    std::unique_ptr<TSettings> settings;
    THtmlHelp help;
    std::unique_ptr<TMainFrame> frame;

    explicit TFrameFixture(QSize size = {900, 600}) { Open(size); }

    std::string SettingsPath() const { return folder.Path() + "/config/stemlook.ini"; }

    // (Re)makes the frame on the same settings, as the next start of the program would; an
    // empty size keeps the size the settings give.
    void Open(QSize size = {})
    {
        frame.reset();
        settings = std::make_unique<TSettings>(QString::fromStdString(SettingsPath()));
        frame = std::make_unique<TMainFrame>(*settings, help, folder.Path() + "/stemlook.log");
        if (size.isValid())
            frame->resize(size);
        frame->show();
        QApplication::processEvents();
    }

    // A database folder holding control.ged with the text.
    QString Database(const std::string& name, const std::string& text) const
    {
        folder.Write(name + "/control.ged", text);
        return QString::fromStdString(folder.Path() + "/" + name);
    }
};

// The example family database open in a 1200 by 800 frame whose settings start with `ini`.
struct TFamilyFrame {
    TFrameFixture f{{1200, 800}};

    explicit TFamilyFrame(const std::string& ini = "")
    {
        if (!ini.empty()) {
            f.folder.Write("config/stemlook.ini", ini);
            f.Open({1200, 800});
        }
        EXPECT_TRUE(f.frame->OpenFolder(STEMLOOK_EXAMPLES_DIR "/family.kvd"));
    }
    TSpecMDI& Mdi() const { return f.frame->Client(); }
    QAction* Action(int id) const { return f.frame->Commands().Action(id); }
    // Opens the element with the title as opening it does; its pane, as a T.
    template <class T> T* Open(const std::string& title) const
    {
        Mdi().OpenDefinition(*Mdi().Document().db.Definitions().FindTitled(title), false);
        return ActivePane<T>(Mdi());
    }
    std::string Ini() const { return TTempFolder::Read(f.SettingsPath()); }
};
