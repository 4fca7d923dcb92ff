#pragma once

#include <QRect>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <vector>

class TDispColour;
struct TWindowMemo;

// The settings file (INI form) and every key the application keeps in it. The window that owns a
// value reads and writes it through this class. A file that can't be read gives the defaults; one
// that can't be written, or read, is noted (Problem) and the program goes on with the defaults.
// Qt writes the file whole to a new file and renames it over the old one, so a write cut off
// leaves the old file.
class TSettings {
public:
    // Makes the file's folder when it is missing.
    explicit TSettings(const QString& path);

    // $APPDATA when set, else $XDG_CONFIG_HOME, else ~/.config; then "/Kinvault
    // Software/stemlook.ini".
    static QString DefaultPath();
    // The home folder + "/Kinvault".
    static QString DefaultInitialPath();

    QString Path() const { return settings.fileName(); }
    // What went wrong reading or last writing the file, for the status bar; empty when nothing.
    const QString& Problem() const { return problem; }

    // "Stemlook": View > Reload When Changed and File > Reopen Last Design, on by default.
    bool ReloadWhenChanged() const;
    void SetReloadWhenChanged(bool on);
    bool ReopenLastDesign() const;
    void SetReopenLastDesign(bool on);

    // "Session": the design open at the last exit (its folder, or definition file) and its
    // windows; written whole each time.
    QString SessionFolder() const;
    std::vector<TWindowMemo> SessionWindows() const;
    void WriteSession(const QString& folder, const std::vector<TWindowMemo>& windows);

    // "Window": the main window's rectangle (Right and Bottom just past the window) and the tree
    // column. The fallback when any of the four edges is missing.
    QRect WindowRect(const QRect& fallback) const;
    int TreeRight(int fallback) const;
    void WriteWindow(const QRect& rect, int treeRight);

    // "Stemlook": the folder chooser's starting folder.
    QString InitialPath() const;
    void SetInitialPath(const QString& path);
    // "Stemlook": the folder the Save As Text file chooser starts in.
    QString SaveAsPath() const;
    void SetSaveAsPath(const QString& path);

    // "MRU": the recent folders, the most recent first, and their maximum count.
    QStringList RecentFolders(int count) const;
    void WriteRecentFolders(const QStringList& folders, int count);

    // "Colours": the script colour scheme. Writing deletes the whole section first, so it holds
    // exactly the scheme's keys afterwards.
    void ReadColours(TDispColour& colours) const;
    void WriteColours(const TDispColour& colours);
    // "DarkColours": the scheme of the dark theme, kept as "Colours" is.
    void ReadDarkColours(TDispColour& colours) const;
    void WriteDarkColours(const TDispColour& colours);

    // "Stemlook": the theme, "system", "light" or "dark" (empty when none is kept).
    QString Theme() const;
    void SetTheme(const QString& theme);
    // "Stemlook": the point size of the panes' fixed font; 0 when none is kept or it is no
    // number.
    int FontSize() const;
    void SetFontSize(int points);

private:
    int Integer(const QString& key, int fallback) const;
    void ReadScheme(const QString& section, TDispColour& colours) const;
    void WriteScheme(const QString& section, const TDispColour& colours);
    // Writes the file now and notes a failure.
    void Sync();

    mutable QSettings settings;
    QString problem;
};
