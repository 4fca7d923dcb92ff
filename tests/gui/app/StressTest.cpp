#include "GuiHelpers.h"
#include "gui/app/TReloader.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/CommandIds.h"
#include "gui/views/TFilterBox.h"
#include "model/TDefBase.h"

#include <QAction>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace {

std::string ExampleText()
{
    std::ifstream in(STEMLOOK_EXAMPLES_DIR "/family.kvd/control.ged", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The example, and a version with a picture of a table changed and a table added.
std::string Version(int n)
{
    std::string text = ExampleText();
    if (n % 2 == 0)
        return text;
    text.erase(text.rfind("0 TRLR"));
    return text + "0 @extra@ TABLE\n1 TYPE person\n1 COLUMN\n2 TITLE A\n2 PICTURE name \"" +
           std::to_string(n) + "\"\n0 TRLR\n";
}

// The commands that open no dialog, run as their menu entries run them.
const std::vector<int> kCommands{commands::Structure,
                                 commands::Index,
                                 commands::Messages,
                                 commands::Relationships,
                                 commands::UsedBy,
                                 commands::Definition,
                                 commands::UnusedElements,
                                 commands::Back,
                                 commands::Forward,
                                 commands::Copy,
                                 commands::Cascade,
                                 commands::Tile,
                                 commands::ArrangeIcons,
                                 commands::CloseAll,
                                 commands::Reload,
                                 commands::NextDifference,
                                 commands::PreviousDifference,
                                 commands::FirstZoom,
                                 commands::FirstZoom + 2,
                                 commands::FirstZoom + 4};

int Seconds()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("STEMLOOK_STRESS_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : 3;
}

} // namespace

// Random commands over every kind of window, the same run for the same seed; after each step
// every window shows an element of the design loaded and the commands are enabled as the state
// says.
TEST(Stress, RandomCommandsKeepEveryWindowLiveAndTheEnablingTrue)
{
    TFrameFixture f;
    const QString folder = f.Database("a.kvd", Version(0));
    const QString other = f.Database("b.kvd", Version(1));
    ASSERT_TRUE(f.frame->OpenFolder(folder));
    TSpecMDI& mdi = f.frame->Client();
    const TCommands& table = f.frame->Commands();
    TBoxes boxes;
    const unsigned seed =
        static_cast<unsigned>(qEnvironmentVariableIntValue("STEMLOOK_STRESS_SEED"));
    std::mt19937 random(seed);
    QElapsedTimer clock;
    clock.start();
    long steps = 0;
    for (; clock.elapsed() < Seconds() * 1000; ++steps) {
        const unsigned what = random() % 12;
        SCOPED_TRACE(what);
        const QList<QMdiSubWindow*> windows = mdi.subWindowList();
        const auto& defs = f.frame->Document().db.Definitions();
        if (what < 5) {
            QAction* action = table.Action(kCommands[random() % kCommands.size()]);
            if (action->isEnabled())
                action->trigger();
        } else if (what == 5 && !windows.isEmpty()) {
            mdi.setActiveSubWindow(windows[static_cast<int>(random() % windows.size())]);
        } else if (what == 6 && !windows.isEmpty()) {
            windows[static_cast<int>(random() % windows.size())]->close();
        } else if (what == 7) {
            const TDefBase& element = *defs.At(random() % defs.Count());
            mdi.OpenDefinition(element, false);
        } else if (what == 8) {
            if (TFilterBox* box = mdi.ActiveState().filter)
                box->setText(QString(QChar(u'a' + static_cast<char16_t>(random() % 5))));
        } else if (what == 9) {
            mdi.ShowFind(std::string(1, static_cast<char>('a' + random() % 5)), true);
        } else if (what == 10) {
            mdi.CompareWith(other);
        } else {
            f.folder.Write("a.kvd/control.ged", Version(static_cast<int>(random() % 4)));
            f.frame->Reloader().Reload();
        }
        QApplication::processEvents();
        const size_t count = f.frame->Document().db.Definitions().Count();
        for (QMdiSubWindow* sub : mdi.subWindowList()) {
            const auto* child = qobject_cast<TChildWindow*>(sub);
            ASSERT_NE(child, nullptr) << "step " << steps;
            ASSERT_LT(child->Key().element, static_cast<int>(count)) << "step " << steps;
            const TPaneState state = child->ContentPane().State();
            for (const TDefBase* element : {state.usedBy, state.located, state.diagramElement}) {
                if (element) {
                    ASSERT_EQ(defs.At(static_cast<size_t>(element->index)), element)
                        << "step " << steps;
                }
            }
        }
        std::vector<bool> enabled;
        for (const TCommand& command : table.Table())
            enabled.push_back(table.Action(command.id)->isEnabled());
        f.frame->UpdateCommands();
        for (size_t row = 0; row < table.Table().size(); ++row)
            ASSERT_EQ(table.Action(table.Table()[row].id)->isEnabled(), enabled[row])
                << "step " << steps << ", command " << table.Table()[row].id;
    }
    RecordProperty("steps", static_cast<int>(steps));
    std::cout << "seed " << seed << ": " << steps << " steps\n";
}
