#pragma once

#include <QString>
#include <QStringList>

class TSettings;

// The recent-folders list of the File menu, kept in the settings file, the most recent first.
// Folders compare exactly: on a case-sensitive file system two spellings are two folders.
class TRecentFolders {
public:
    static constexpr int kCount = 5;

    // Reads the list and writes "Count".
    explicit TRecentFolders(TSettings& settings);

    const QStringList& Entries() const { return entries; }
    // Puts the folder first, moving it when it is listed already; the oldest falls off.
    void AddToFront(const QString& folder);
    void Remove(const QString& folder);

private:
    void Save();

    TSettings& settings;
    QStringList entries;
};
