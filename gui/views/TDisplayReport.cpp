#include "gui/views/TDisplayReport.h"

#include "gui/views/TPaneHost.h"
#include "model/TDefReport.h"
#include "views/HostLayouts.h"

#include <QMessageBox>

TDisplayReport::TDisplayReport(TPaneHost& host, TDefBase& def) : TDisplayWindow(host, def)
{
    SetLayout(panes::LayReport(static_cast<const TDefReport&>(def), CharWidth(), LineHeight()));
}

void TDisplayReport::ClearSelection()
{
    if (selectedArea.isEmpty())
        return;
    selectedArea = {};
    selectedPicture = nullptr;
    viewport()->update();
    host.SelectionChanged();
}

bool TDisplayReport::SelectAreaAt(QPoint content)
{
    if (!selectedArea.isEmpty()) {
        viewport()->update();
        selectedArea = {};
    }
    selectedPicture = nullptr;
    const TAreaRect* hit = panes::HitArea(Layout(), content.x(), content.y());
    if (hit) {
        selectedArea = ToRect(hit->rect);
        selectedPicture = hit->picture;
        UpdateContent(selectedArea);
    }
    host.SelectionChanged();
    return hit != nullptr;
}

void TDisplayReport::Click(QPoint content)
{
    SelectAreaAt(content);
}

void TDisplayReport::DoubleClick(QPoint content)
{
    if (!SelectAreaAt(content))
        return;
    if (selectedPicture)
        host.OpenDefinition(*selectedPicture);
    else
        QMessageBox::information(this, QStringLiteral("Report Area"),
                                 QStringLiteral("No Picture script defined"));
}

bool TDisplayReport::Enabled(TCommand command) const
{
    if (command == Definition)
        return selectedPicture != nullptr;
    return TDisplayWindow::Enabled(command);
}

void TDisplayReport::Run(TCommand command)
{
    if (command != Definition) {
        TDisplayWindow::Run(command);
        return;
    }
    if (selectedPicture)
        host.OpenDefinition(*selectedPicture);
}
