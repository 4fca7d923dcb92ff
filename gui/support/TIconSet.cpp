#include "gui/support/TIconSet.h"

#include "gui/support/TResources.h"

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
    TResources::Init();
    return QIcon(Path(id));
}

QPixmap TIconSet::Pixmap(Id id, QSize size, qreal devicePixelRatio)
{
    return Icon(id).pixmap(size, devicePixelRatio);
}
