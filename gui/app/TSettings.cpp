#include "gui/app/TSettings.h"

#include "gui/app/WindowMemos.h"
#include "script/TDispColour.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const QString kLeft = QStringLiteral("Window/Left");
const QString kTop = QStringLiteral("Window/Top");
const QString kRight = QStringLiteral("Window/Right");
const QString kBottom = QStringLiteral("Window/Bottom");
const QString kTreeRight = QStringLiteral("Window/TreeRight");
const QString kColours = QStringLiteral("Colours");
const QString kDarkColours = QStringLiteral("DarkColours");
const QString kTheme = QStringLiteral("Stemlook/Theme");
const QString kFontSize = QStringLiteral("Stemlook/FontSize");
const QString kInitialPath = QStringLiteral("Stemlook/InitialPath");
const QString kSaveAsPath = QStringLiteral("Stemlook/SaveAsPath");
const QString kCount = QStringLiteral("MRU/Count");
const QString kReloadWhenChanged = QStringLiteral("Stemlook/ReloadWhenChanged");
const QString kReopenLastDesign = QStringLiteral("Stemlook/ReopenLastDesign");
const QString kSessionFolder = QStringLiteral("Session/Folder");
const QString kSessionWindows = QStringLiteral("Session/Windows");

QString RecentKey(int n)
{
    return QStringLiteral("MRU/MRU%1").arg(n);
}
} // namespace

TSettings::TSettings(const QString& path) : settings(path, QSettings::IniFormat)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (settings.status() != QSettings::NoError) {
        // Whatever could be made of it is not trusted: the defaults, and the next write mends it.
        settings.clear();
        problem = QStringLiteral("The settings file %1 could not be read; the defaults are used")
                      .arg(path);
    }
}

void TSettings::Sync()
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        problem = QStringLiteral("Cannot write the settings file %1").arg(settings.fileName());
}

bool TSettings::ReloadWhenChanged() const
{
    return settings.value(kReloadWhenChanged, true).toBool();
}

void TSettings::SetReloadWhenChanged(bool on)
{
    settings.setValue(kReloadWhenChanged, on);
    Sync();
}

bool TSettings::ReopenLastDesign() const
{
    return settings.value(kReopenLastDesign, true).toBool();
}

void TSettings::SetReopenLastDesign(bool on)
{
    settings.setValue(kReopenLastDesign, on);
    Sync();
}

QString TSettings::SessionFolder() const
{
    return settings.value(kSessionFolder).toString();
}

namespace {
void WriteKey(QSettings& s, const QString& prefix, const std::optional<compare::TTitleKey>& key)
{
    if (!key)
        return;
    s.setValue(prefix + QStringLiteral("Title"), QByteArray::fromStdString(key->title));
    s.setValue(prefix + QStringLiteral("Occurrence"), static_cast<qulonglong>(key->occurrence));
}

std::optional<compare::TTitleKey> ReadKey(const QSettings& s, const QString& prefix)
{
    const QVariant title = s.value(prefix + QStringLiteral("Title"));
    if (!title.isValid())
        return std::nullopt;
    return compare::TTitleKey{
        title.toByteArray().toStdString(),
        static_cast<size_t>(s.value(prefix + QStringLiteral("Occurrence")).toULongLong())};
}
} // namespace

std::vector<TWindowMemo> TSettings::SessionWindows() const
{
    std::vector<TWindowMemo> windows;
    const int count = settings.beginReadArray(kSessionWindows);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        bool ok = false;
        const int role = settings.value(QStringLiteral("Role")).toInt(&ok);
        if (!ok || role < TChildKey::Structure || role > TChildKey::Differences)
            continue;
        TWindowMemo memo;
        memo.role = static_cast<TChildKey::TRole>(role);
        memo.element = ReadKey(settings, {});
        memo.paneKind = settings.value(QStringLiteral("Pane")).toInt();
        memo.text = settings.value(QStringLiteral("Text")).toByteArray().toStdString();
        memo.depth = settings.value(QStringLiteral("Depth")).toInt();
        memo.place = settings.value(QStringLiteral("Place")).toRect();
        memo.minimised = settings.value(QStringLiteral("Minimised")).toBool();
        memo.maximised = settings.value(QStringLiteral("Maximised")).toBool();
        memo.active = settings.value(QStringLiteral("Active")).toBool();
        memo.scroll = settings.value(QStringLiteral("Scroll")).toPoint();
        memo.pane.zoom = settings.value(QStringLiteral("Zoom")).toInt();
        memo.pane.filter = settings.value(QStringLiteral("Filter")).toByteArray().toStdString();
        memo.selected = ReadKey(settings, QStringLiteral("Selected"));
        windows.push_back(std::move(memo));
    }
    settings.endArray();
    return windows;
}

void TSettings::WriteSession(const QString& folder, const std::vector<TWindowMemo>& windows)
{
    settings.remove(QStringLiteral("Session"));
    settings.setValue(kSessionFolder, folder);
    settings.beginWriteArray(kSessionWindows, static_cast<int>(windows.size()));
    for (size_t i = 0; i < windows.size(); ++i) {
        const TWindowMemo& memo = windows[i];
        settings.setArrayIndex(static_cast<int>(i));
        settings.setValue(QStringLiteral("Role"), static_cast<int>(memo.role));
        WriteKey(settings, {}, memo.element);
        settings.setValue(QStringLiteral("Pane"), memo.paneKind);
        settings.setValue(QStringLiteral("Text"), QByteArray::fromStdString(memo.text));
        settings.setValue(QStringLiteral("Depth"), memo.depth);
        settings.setValue(QStringLiteral("Place"), memo.place);
        settings.setValue(QStringLiteral("Minimised"), memo.minimised);
        settings.setValue(QStringLiteral("Maximised"), memo.maximised);
        settings.setValue(QStringLiteral("Active"), memo.active);
        settings.setValue(QStringLiteral("Scroll"), memo.scroll);
        settings.setValue(QStringLiteral("Zoom"), memo.pane.zoom);
        settings.setValue(QStringLiteral("Filter"), QByteArray::fromStdString(memo.pane.filter));
        WriteKey(settings, QStringLiteral("Selected"), memo.selected);
    }
    settings.endArray();
    Sync();
}

QString TSettings::DefaultPath()
{
    QString folder = qEnvironmentVariable("APPDATA");
    if (folder.isEmpty())
        folder = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (folder.isEmpty() && !qEnvironmentVariable("HOME").isEmpty())
        folder = qEnvironmentVariable("HOME") + QStringLiteral("/.config");
    // Without any of them, beside the executable.
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    return folder + QStringLiteral("/Kinvault Software/stemlook.ini");
}

QString TSettings::DefaultInitialPath()
{
    return QDir::homePath() + QStringLiteral("/Kinvault");
}

int TSettings::Integer(const QString& key, int fallback) const
{
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok ? value : fallback;
}

QRect TSettings::WindowRect(const QRect& fallback) const
{
    for (const QString& key : {kLeft, kTop, kRight, kBottom}) {
        bool ok = false;
        settings.value(key).toInt(&ok);
        if (!ok)
            return fallback;
    }
    const int left = Integer(kLeft, 0);
    const int top = Integer(kTop, 0);
    return QRect(left, top, Integer(kRight, 0) - left, Integer(kBottom, 0) - top);
}

int TSettings::TreeRight(int fallback) const
{
    return Integer(kTreeRight, fallback);
}

void TSettings::WriteWindow(const QRect& rect, int treeRight)
{
    settings.setValue(kLeft, rect.left());
    settings.setValue(kTop, rect.top());
    settings.setValue(kRight, rect.left() + rect.width());
    settings.setValue(kBottom, rect.top() + rect.height());
    settings.setValue(kTreeRight, treeRight);
    Sync();
}

QString TSettings::InitialPath() const
{
    return settings.value(kInitialPath, DefaultInitialPath()).toString();
}

void TSettings::SetInitialPath(const QString& path)
{
    settings.setValue(kInitialPath, path);
    Sync();
}

QString TSettings::SaveAsPath() const
{
    return settings.value(kSaveAsPath, DefaultInitialPath()).toString();
}

void TSettings::SetSaveAsPath(const QString& path)
{
    settings.setValue(kSaveAsPath, path);
    Sync();
}

QStringList TSettings::RecentFolders(int count) const
{
    QStringList folders;
    for (int n = 0; n < count; ++n) {
        const QString folder = settings.value(RecentKey(n)).toString();
        if (!folder.isEmpty())
            folders.append(folder);
    }
    return folders;
}

void TSettings::WriteRecentFolders(const QStringList& folders, int count)
{
    settings.setValue(kCount, count);
    for (int n = 0; n < count; ++n) {
        if (n < folders.size())
            settings.setValue(RecentKey(n), folders[n]);
        else
            settings.remove(RecentKey(n));
    }
    Sync();
}

void TSettings::ReadScheme(const QString& section, TDispColour& colours) const
{
    const QString prefix = section + QLatin1Char('/');
    colours.Read([&](const std::string& key) -> std::optional<std::string> {
        const QVariant value = settings.value(prefix + QString::fromStdString(key));
        if (!value.isValid())
            return std::nullopt;
        return value.toString().toStdString();
    });
}

void TSettings::WriteScheme(const QString& section, const TDispColour& colours)
{
    const QString prefix = section + QLatin1Char('/');
    settings.remove(section);
    for (const auto& [key, value] : colours.Entries())
        settings.setValue(prefix + QString::fromStdString(key), QString::fromStdString(value));
    Sync();
}

void TSettings::ReadColours(TDispColour& colours) const
{
    ReadScheme(kColours, colours);
}

void TSettings::WriteColours(const TDispColour& colours)
{
    WriteScheme(kColours, colours);
}

void TSettings::ReadDarkColours(TDispColour& colours) const
{
    ReadScheme(kDarkColours, colours);
}

void TSettings::WriteDarkColours(const TDispColour& colours)
{
    WriteScheme(kDarkColours, colours);
}

QString TSettings::Theme() const
{
    return settings.value(kTheme).toString();
}

void TSettings::SetTheme(const QString& theme)
{
    settings.setValue(kTheme, theme);
    Sync();
}

int TSettings::FontSize() const
{
    return Integer(kFontSize, 0);
}

void TSettings::SetFontSize(int points)
{
    settings.setValue(kFontSize, points);
    Sync();
}
