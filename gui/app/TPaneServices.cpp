#include "app/TPaneServices.h"

#include "app/TSpecMDI.h"
#include "export/SaveAsText.h"
#include "model/Opening.h"
#include "model/TDefBase.h"
#include "model/TDefPicture.h"
#include "support/Bytes.h"
#include "support/CommandIds.h"
#include "support/TMyMessage.h"
#include "views/HostLayouts.h"
#include "views/TDocument.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

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
    TMyMessage message(&windows, text, caption, helpContext);
    QObject::connect(&message, &TMyMessage::HelpRequested, &windows, &TSpecMDI::HelpRequested);
    message.exec();
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
    QMessageBox::critical(&windows, bytes::ToText(caption), bytes::ToText(text));
}
