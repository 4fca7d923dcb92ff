#include "gui/app/TRecentFolders.h"

#include "gui/app/TSettings.h"

TRecentFolders::TRecentFolders(TSettings& settings)
    : settings(settings), entries(settings.RecentFolders(kCount))
{
    entries.removeDuplicates();
    Save();
}

void TRecentFolders::AddToFront(const QString& folder)
{
    entries.removeAll(folder);
    entries.prepend(folder);
    while (entries.size() > kCount)
        entries.removeLast();
    Save();
}

void TRecentFolders::Remove(const QString& folder)
{
    entries.removeAll(folder);
    Save();
}

void TRecentFolders::Save()
{
    settings.WriteRecentFolders(entries, kCount);
}
