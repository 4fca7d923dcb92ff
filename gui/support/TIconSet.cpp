#include "gui/support/TIconSet.h"

#include "gui/support/TResources.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <optional>

namespace {
// One icon a drawing for the program's life: an icon keeps its rendered sizes in the pixmap cache
// under a key of its own, so an icon made afresh for every window fills the cache anew.
std::array<std::optional<QIcon>, TIconSet::Picture + 1> made; // Picture is the last id

void Forget()
{
    made.fill(std::nullopt);
}
} // namespace

QString TIconSet::Path(Id id)
{
    switch (id) {
    case Program:
        return QStringLiteral(":/icons/stemlook.svg");
    case BookClosed:
        return QStringLiteral(":/icons/book-closed.svg");
    case BookOpen:
        return QStringLiteral(":/icons/book-open.svg");
    case Page:
        return QStringLiteral(":/icons/page.svg");
    case FolderClosed:
        return QStringLiteral(":/icons/folder-closed.svg");
    case FolderOpen:
        return QStringLiteral(":/icons/folder-open.svg");
    case DatabaseFolder:
        return QStringLiteral(":/icons/folder-database.svg");
    case Info:
        return QStringLiteral(":/icons/info.svg");
    case Picture:
        return QStringLiteral(":/icons/picture.svg");
    }
    return {};
}

QSize TIconSet::DesignSize(Id id)
{
    switch (id) {
    case Program:
        return {32, 32};
    case Info:
        return {16, 16};
    case Picture:
        return {152, 42};
    default:
        return {20, 20};
    }
}

QIcon TIconSet::Icon(Id id)
{
    std::optional<QIcon>& icon = made.at(id);
    if (!icon) {
        TResources::Init();
        // Icons may not outlive the application that renders them.
        if (std::none_of(made.begin(), made.end(), [](const auto& m) { return m.has_value(); }))
            qAddPostRoutine(Forget);
        icon = QIcon(Path(id));
    }
    return *icon;
}

QPixmap TIconSet::Pixmap(Id id, QSize size, qreal devicePixelRatio)
{
    return Icon(id).pixmap(size, devicePixelRatio);
}
