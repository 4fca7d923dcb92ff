#include "gui/app/TPaneServices.h"

#include "export/SaveAsText.h"
#include "gui/app/TSpecMDI.h"
#include "gui/support/Bytes.h"
#include "gui/support/CommandIds.h"
#include "gui/support/TMessageSink.h"
#include "gui/views/TDocument.h"
#include "model/Opening.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "views/HostLayouts.h"

#include <QApplication>
#include <QClipboard>

#include <sstream>

TPaneServices::TPaneServices(TSpecMDI& windows, const TDocument& document)
    : windows(windows), document(document)
{
}

void TPaneServices::Open(const TDefBase& element, bool onlyActivate)
{
    const TOpening opening = OpeningOf(element);
    if (opening.action == TOpening::Explain)
        Explain(bytes::ToText(opening.text), QStringLiteral("Element Definition"),
                opening.type ? helpids::BuiltInType : helpids::BuiltInValue);
    else if (opening.action == TOpening::Pane)
        opening.shown->Display(*this, onlyActivate);
}

void TPaneServices::OpenDefinition(const TDefBase& element)
{
    Open(element, false);
}

void TPaneServices::ShowInScript(const TDefPicture& script, size_t line, size_t offset,
                                 size_t length)
{
    const TDefBase& shown = panes::ScriptHost(script);
    Open(shown, false);
    if (TChildWindow* child = windows.FindChild({TChildKey::Definition, shown.index}))
        child->ContentPane().ShowText(script, line, offset, length);
}

void TPaneServices::Explain(const QString& text, const QString& caption, int helpContext)
{
    TMessageSink::Show(&windows,
                       {caption, text, QMessageBox::NoIcon, QMessageBox::Ok | QMessageBox::Help,
                        helpContext,
                        [this](int contextId) { Q_EMIT windows.HelpRequested(contextId); }});
}

void TPaneServices::CopyText(const TDefBase& element)
{
    std::ostringstream text;
    CopyElementText(document.db.Definitions(), element, text, *this);
    QApplication::clipboard()->setText(bytes::ToText(text.str()));
}

void TPaneServices::SelectionChanged()
{
    Q_EMIT windows.PaneSelectionMoved();
}

void TPaneServices::ShowStatus(const QString& text)
{
    Q_EMIT windows.StatusMessage(text);
}

bool TPaneServices::ActivateDefinition(const TDefBase& element)
{
    TChildWindow* child = windows.FindChild({TChildKey::Definition, element.index});
    if (!child)
        return false;
    child->ContentPane().ClearSelection();
    return windows.ActivateChild(child->Key());
}

void TPaneServices::OpenDefinition(const TDefBase& element, TPaneKind pane)
{
    windows.OpenPane(element, pane);
}

void TPaneServices::ShowError(std::string_view text, std::string_view caption)
{
    TMessageSink::Show(&windows,
                       {bytes::ToText(caption), bytes::ToText(text), QMessageBox::Critical});
}
