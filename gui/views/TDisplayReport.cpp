#include "gui/views/TDisplayReport.h"

#include "gui/support/TMessageSink.h"
#include "gui/views/TPaneHost.h"
#include "model/TDefReport.h"
#include "views/HostLayouts.h"

#include <QMessageBox>

void TDisplayReport::ClearSelection()
{
    if (selectedArea.isEmpty())
        return;
    selectedArea = {};
    selectedPicture = nullptr;
    viewport()->update();
    SelectionMoved();
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
    SelectionMoved();
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
        TMessageSink::Show(this,
                           {QStringLiteral("Report Area"),
                            QStringLiteral("No Picture script defined"), QMessageBox::Information});
}

TPaneState TDisplayReport::State() const
{
    TPaneState state = TDisplayWindow::State();
    state.canOpen = selectedPicture != nullptr;
    return state;
}

void TDisplayReport::OpenSelected()
{
    if (selectedPicture)
        host.OpenDefinition(*selectedPicture);
}
