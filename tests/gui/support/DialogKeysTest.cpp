#include "core/TempFolder.h"
#include "core/export/RecordingHost.h"
#include "gui/diagram/TFocusDepthDialog.h"
#include "gui/export/TSaveAsDialog.h"
#include "gui/script/TSetColours.h"
#include "gui/support/TAboutBox.h"
#include "gui/support/TChooseFolderDialog.h"
#include "load/TDatabase.h"
#include "script/TDispColour.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace {

bool Focusable(const QWidget& w)
{
    return (w.focusPolicy() & Qt::TabFocus) && w.isVisibleTo(w.window()) && w.isEnabled() &&
           !w.focusProxy();
}

// Shown and active, as a person meets it.
void Open(QDialog& dialog)
{
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Tab goes round every widget that takes the keyboard, each with a name a screen reader reads;
// a label with a shortcut letter hands the keyboard to a widget.
void ExpectUsableByKeys(QDialog& dialog, const std::string& what)
{
    Open(dialog);
    std::set<QWidget*> focusable;
    for (QWidget* w : dialog.findChildren<QWidget*>())
        if (Focusable(*w))
            focusable.insert(w);
    ASSERT_FALSE(focusable.empty()) << what;
    std::set<QWidget*> reached;
    for (size_t tab = 0; tab < 2 * focusable.size() + 2; ++tab) {
        QWidget* now = QApplication::focusWidget();
        ASSERT_NE(now, nullptr) << what;
        reached.insert(now);
        QTest::keyClick(now, Qt::Key_Tab);
    }
    for (QWidget* w : focusable) {
        EXPECT_TRUE(reached.count(w))
            << what << ": Tab never reaches a " << w->metaObject()->className();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty())
            << what << ": a " << w->metaObject()->className() << " has no name";
    }
    for (QLabel* label : dialog.findChildren<QLabel*>())
        EXPECT_TRUE(!label->text().contains(QLatin1Char('&')) ||
                    label->textFormat() == Qt::RichText || label->buddy())
            << what << ": " << label->text().toStdString();
}

// The key closes the dialog with the result. A default button that waits for a choice gets
// one from the arrows first.
void ExpectKeyCloses(QDialog& dialog, Qt::Key key, QDialog::DialogCode result,
                     const std::string& what)
{
    Open(dialog);
    for (int down = 0; key == Qt::Key_Return && down < 20; ++down) {
        const QPushButton* ok = nullptr;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>())
            ok = button->isDefault() ? button : ok;
        ASSERT_NE(ok, nullptr) << what << ": no default button";
        if (ok->isEnabled())
            break;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    }
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_FALSE(dialog.isVisible()) << what;
    EXPECT_EQ(dialog.result(), result) << what;
}

} // namespace

TEST(DialogKeys, EveryDialogIsUsableByKeyboardAlone)
{
    TDatabase db;
    ASSERT_EQ(db.ReadFile(STEMLOOK_EXAMPLES_DIR "/family.kvd"), TDatabase::TLoadResult::Loaded);
    TRecordingHost host;
    QString folder;
    TDispColour colours;
    TTempFolder scratch;
    scratch.Write("a.kvd/control.ged", "0 TRLR\n");
    const QString start = QString::fromStdString(scratch.Path());
    const QStringList roots{start};

    const struct {
        const char* what;
        std::function<std::unique_ptr<QDialog>()> make;
        bool enterAccepts;
    } dialogs[] = {
        {"focused diagram depth",
         [] { return std::make_unique<TFocusDepthDialog>(nullptr, QStringLiteral("p"), 2); }, true},
        {"script colours",
         [&] {
             return std::make_unique<TSetColours>(nullptr, colours,
                                                  [](const QColor&) { return QColor(); });
         },
         true},
        {"about", [] { return std::make_unique<TAboutBox>(nullptr); }, true},
        {"folder chooser",
         [&] {
             return std::make_unique<TChooseFolderDialog>(
                 nullptr, QStringLiteral("Kinvault Database"), start + "/a.kvd", roots);
         },
         true},
        // Its default button writes a file: Enter is checked in its own tests.
        {"save as", [&] { return std::make_unique<TSaveAsDialog>(nullptr, db, host, folder); },
         false},
    };
    for (const auto& d : dialogs) {
        ExpectUsableByKeys(*d.make(), d.what);
        // Escape cancels; Enter presses the default button, which accepts.
        ExpectKeyCloses(*d.make(), Qt::Key_Escape, QDialog::Rejected, d.what);
        if (d.enterAccepts)
            ExpectKeyCloses(*d.make(), Qt::Key_Return, QDialog::Accepted, d.what);
    }
}
