// Random but repeatable sequences of what a person does in the main window, on the example design,
// a generated one, a changed copy of it and one full of problems: commands of the menu, opening,
// comparing, exporting, keys, filters, windows activated and closed, the design rewritten on
// disk. After every step every window must show a live element and the enabling of the commands
// must be what the state gives. STEMLOOK_STRESS_SECONDS sets how long it runs (5 s),
// STEMLOOK_STRESS_SEED the sequence.
#include "DesignGenerator.h"
#include "GuiHelpers.h"
#include "gui/export/WebExport.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/views/TFilterBox.h"
#include "model/TDefBase.h"

#include <QAction>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <sstream>

namespace {

unsigned long long EnvNumber(const char* name, unsigned long long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

// Commands that need a file or folder chooser or a printer, or end the program or leave it.
bool Excluded(int id)
{
    using namespace commands;
    for (const int excluded : {Open, SaveAs, ExportWebPages, CompareWith, ExportDiagram, Print,
                               PrintPreview, ExportPdf, Exit, HelpTopics, About})
        if (id == excluded)
            return true;
    return false;
}

std::string ReadWhole(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The generated design with lines no reader knows, names that resolve to nothing and a record
// cut short, spread through it.
std::string WithProblems(const std::string& design)
{
    const char* const garbage[] = {
        "GARBAGE LINE",           "  PICTURE", "RECORD", "  FIELD \"unclosed", "\t\t\x01\x02\xff",
        "  SCRIPT call nowhere(", "LIST"};
    std::istringstream in(design);
    std::string out;
    std::string line;
    for (size_t n = 0; std::getline(in, line); ++n) {
        out += line + '\n';
        if (n % 37 == 5)
            out += std::string(garbage[(n / 37) % std::size(garbage)]) + '\n';
    }
    return out;
}

class TStress {
public:
    TStress(TFrameFixture& fixture, unsigned long long seed)
        : f(fixture), frame(*fixture.frame), seed(seed),
          random(static_cast<std::mt19937::result_type>(seed))
    {
        const std::string generated = GenerateDesign({.records = 8,
                                                      .fieldsPerRecord = 6,
                                                      .picturesPerRecord = 3,
                                                      .scriptLinesPerPicture = 4,
                                                      .lists = 4,
                                                      .tables = 3,
                                                      .reports = 3});
        texts = {ReadWhole(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged"), generated,
                 ChangedPictures(generated, 3), WithProblems(generated)};
        for (size_t n = 0; n < texts.size(); ++n)
            folders.push_back(f.Database("design" + std::to_string(n), texts[n]));
        site = QString::fromStdString(f.folder.Path() + "/site");
        boxes.answer = QMessageBox::No;
    }

    // Runs steps until the time is up or a check fails; the number of steps run.
    long Run(double seconds)
    {
        QElapsedTimer clock;
        clock.start();
        long steps = 0;
        while (clock.elapsed() < seconds * 1000) {
            ++steps;
            Step();
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (const std::string failure = Check(); !failure.empty()) {
                std::string last;
                for (const std::string& done : ring)
                    last += "\n  " + done;
                ADD_FAILURE() << "seed " << seed << ", step " << steps << ": " << failure
                              << "\nthe last steps:" << last;
                break;
            }
        }
        return steps;
    }

    // How often a window of each role was checked, so a run shows what it reached.
    std::string Seen() const
    {
        std::string text;
        for (const auto& [role, times] : seen)
            text += " " + std::to_string(role) + ":" + std::to_string(times);
        return text;
    }

private:
    size_t Below(size_t n)
    {
        return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(random);
    }
    bool Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

    void Note(std::string what)
    {
        ring.push_back(std::move(what));
        if (ring.size() > 30)
            ring.pop_front();
    }

    const TDatabase& Db() const { return frame.Document().db; }

    // Often the start of a real name, else a few letters.
    QString SomeText()
    {
        const TDefinedArray& defs = Db().Definitions();
        if (defs.Count() > 0 && Chance(70)) {
            const std::string& title = defs.At(Below(defs.Count()))->Title();
            return bytes::ToText(title.substr(0, 1 + Below(std::max<size_t>(title.size(), 1))));
        }
        QString text;
        for (size_t n = 1 + Below(4); n > 0; --n)
            text += QChar(static_cast<char16_t>('a' + Below(26)));
        return text;
    }

    void Step()
    {
        const size_t kind = Below(100);
        if (kind < 35)
            Command();
        else if (kind < 40)
            OpenDesign();
        else if (kind < 42)
            OpenRecent();
        else if (kind < 45)
            Compare();
        else if (kind < 46)
            Export();
        else if (kind < 56)
            Window();
        else if (kind < 70)
            Keys();
        else if (kind < 80)
            OpenElement();
        else if (kind < 95)
            Filter();
        else
            Rewrite();
    }

    void Command()
    {
        std::vector<const TCommand*> enabled;
        for (const TCommand& command : frame.Commands().Table())
            if (!Excluded(command.id) && frame.Commands().Action(command.id)->isEnabled())
                enabled.push_back(&command);
        if (enabled.empty())
            return;
        const TCommand& command = *enabled[Below(enabled.size())];
        Note("command " + QString(command.text).remove(QLatin1Char('&')).toStdString() + " (" +
             std::to_string(command.id) + ")");
        frame.Commands().Action(command.id)->trigger();
    }

    void OpenDesign()
    {
        const size_t n = Below(folders.size());
        Note("open design" + std::to_string(n));
        frame.OpenFolder(folders[n]);
    }

    // As a double-click in the index or a message's link opens it.
    void OpenElement()
    {
        const TDefinedArray& defs = Db().Definitions();
        if (defs.Count() == 0)
            return;
        const TDefBase& element = *defs.At(Below(defs.Count()));
        Note("open element " + element.Title());
        frame.Client().OpenDefinition(element, Chance(10));
    }

    void OpenRecent()
    {
        const int n = static_cast<int>(Below(TRecentFolders::kCount));
        Note("open recent " + std::to_string(n));
        frame.OpenRecent(n);
    }

    void Compare()
    {
        if (!Db().Loaded())
            return;
        const size_t n = Below(folders.size());
        Note("compare with design" + std::to_string(n));
        frame.Client().CompareWith(folders[n]);
    }

    void Export()
    {
        if (!Db().Loaded() || Db().Definitions().Count() > 400)
            return;
        Note("export web pages");
        webexport::ExportWebPages(&frame, Db(), site);
    }

    void Window()
    {
        const QList<QMdiSubWindow*> windows = frame.Client().subWindowList();
        if (windows.isEmpty())
            return;
        QMdiSubWindow* window =
            windows[static_cast<qsizetype>(Below(static_cast<size_t>(windows.size())))];
        const std::string title = window->windowTitle().toStdString();
        switch (Below(6)) {
        case 0:
        case 1:
            Note("close " + title);
            window->close();
            break;
        case 2:
            Note("minimise " + title);
            window->showMinimized();
            break;
        case 3:
            Note("maximise " + title);
            window->showMaximized();
            break;
        default:
            Note("activate " + title);
            frame.Client().setActiveSubWindow(window);
        }
    }

    QWidget* KeyTarget() const
    {
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->window() == &frame)
            return focus;
        if (auto* child = qobject_cast<TDisplayChild*>(frame.Client().currentSubWindow()))
            return child->Pane();
        return frame.Client().currentSubWindow();
    }

    void Keys()
    {
        static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right,  Qt::Key_Up,
                                       Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                       Qt::Key_Home, Qt::Key_End,    Qt::Key_Return,
                                       Qt::Key_Tab,  Qt::Key_Escape, Qt::Key_Space};
        for (size_t n = 1 + Below(4); n > 0; --n) {
            QWidget* target = KeyTarget();
            if (!target)
                return;
            const bool letter = Chance(30);
            const Qt::Key key =
                letter ? static_cast<Qt::Key>(Qt::Key_A + Below(26)) : keys[Below(std::size(keys))];
            Note("key " + QKeySequence(key).toString().toStdString() + " to " +
                 target->metaObject()->className());
            QTest::keyClick(target, key);
        }
    }

    void Filter()
    {
        TFilterBox* filter = frame.Client().ActiveState().filter;
        if (!filter)
            return;
        if (Chance(30)) {
            Note("clear the filter");
            filter->clear();
            return;
        }
        const QString text = SomeText();
        Note("filter " + text.toStdString());
        filter->clear();
        QTest::keyClicks(filter, text);
    }

    // Another design's text in the loaded control.ged, written in place or renamed over it as
    // editors save.
    void Rewrite()
    {
        const std::string path = Db().DefinitionFile();
        if (path.empty())
            return;
        const size_t n = Below(texts.size());
        const bool rename = Chance(50);
        Note("rewrite control.ged with design" + std::to_string(n) + (rename ? " by rename" : ""));
        const std::string written = rename ? path + ".new" : path;
        std::ofstream(written, std::ios::binary | std::ios::trunc) << texts[n];
        if (rename)
            std::filesystem::rename(written, path);
    }

    bool Live(const TDefBase* element) const
    {
        const TDefinedArray& defs = Db().Definitions();
        return !element ||
               (element->index >= 0 && static_cast<size_t>(element->index) < defs.Count() &&
                defs.At(static_cast<size_t>(element->index)) == element);
    }

    // The windows in stacking order, the active one marked, for a failure's report.
    std::string Windows() const
    {
        std::string text = "windows:";
        for (const QMdiSubWindow* window : frame.Client().subWindowList(QMdiArea::StackingOrder))
            text += " [" + window->windowTitle().toStdString() +
                    (window->isMinimized() ? " minimised" : "") +
                    (window->isMaximized() ? " maximised" : "") +
                    (window->isHidden() ? " hidden" : "") +
                    (window == frame.Client().currentSubWindow() ? " active" : "") + "]";
        return text;
    }

    // What is wrong now; empty when nothing is.
    std::string Check()
    {
        const size_t count = Db().Definitions().Count();
        for (QMdiSubWindow* window : frame.Client().subWindowList()) {
            const std::string title = window->windowTitle().toStdString();
            const auto* child = qobject_cast<TChildWindow*>(window);
            if (!child)
                return "window " + title + " is no child window";
            const TChildKey key = child->Key();
            ++seen[key.role];
            if ((key.role == TChildKey::Definition || key.role == TChildKey::UsedBy ||
                 key.role == TChildKey::FocusedDiagram) &&
                (key.element < 0 || static_cast<size_t>(key.element) >= count))
                return "window " + title + " shows element " + std::to_string(key.element) +
                       " of " + std::to_string(count);
            const TPaneState state = child->ContentPane().State();
            const std::pair<const char*, const TDefBase*> pointers[] = {
                {"usedBy", state.usedBy},
                {"located", state.located},
                {"diagramElement", state.diagramElement},
                {"focusPicture", state.focusPicture}};
            for (const auto& [name, element] : pointers)
                if (!Live(element))
                    return "window " + title + ": " + name + " is no element of the loaded design";
        }
        std::vector<bool> enabled;
        for (const TCommand& command : frame.Commands().Table())
            enabled.push_back(frame.Commands().Action(command.id)->isEnabled());
        frame.UpdateCommands();
        std::string stale;
        for (size_t row = 0; row < enabled.size(); ++row) {
            const TCommand& command = frame.Commands().Table()[row];
            if (frame.Commands().Action(command.id)->isEnabled() != enabled[row])
                stale += " " + QString(command.text).remove(QLatin1Char('&')).toStdString() + " (" +
                         std::to_string(command.id) + (enabled[row] ? ", was on)" : ", was off)");
        }
        if (stale.empty())
            return {};
        return "stale enabling:" + stale + "; " + Windows();
    }

    TFrameFixture& f;
    TMainFrame& frame;
    unsigned long long seed;
    std::mt19937 random;
    std::vector<std::string> texts;
    std::vector<QString> folders;
    QString site;
    std::deque<std::string> ring;
    std::map<int, long> seen; // window checks by role
    TBoxes boxes;
    // Find in Scripts gets a text, every other dialog is accepted as it opens.
    TModalAnswer modals{[this](QDialog& dialog) {
        auto* ask = qobject_cast<QInputDialog*>(&dialog);
        if (ask && ask->inputMode() == QInputDialog::TextInput) {
            const QString text = SomeText();
            Note("find " + text.toStdString());
            ask->setTextValue(text);
        }
    }};
};

TEST(Stress, RandomStepsKeepWindowsLiveAndCommandsCurrent)
{
    const unsigned long long seed = EnvNumber("STEMLOOK_STRESS_SEED", 20240521);
    const double seconds = static_cast<double>(EnvNumber("STEMLOOK_STRESS_SECONDS", 5));
    TFrameFixture f;
    f.frame->activateWindow();
    TStress stress(f, seed);
    QElapsedTimer clock;
    clock.start();
    const long steps = stress.Run(seconds);
    std::cout << "stress: seed " << seed << ", " << steps << " steps in "
              << static_cast<double>(clock.elapsed()) / 1000
              << " s; windows checked by role:" << stress.Seen() << "\n";
    EXPECT_GT(steps, 0);
}

} // namespace
