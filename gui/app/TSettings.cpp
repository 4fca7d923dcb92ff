#include "gui/app/TSettings.h"

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

QString RecentKey(int n)
{
    return QStringLiteral("MRU/MRU%1").arg(n);
}
} // namespace

TSettings::TSettings(const QString& path) : settings(path, QSettings::IniFormat)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
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
    settings.sync();
}

QString TSettings::InitialPath() const
{
    return settings.value(kInitialPath, DefaultInitialPath()).toString();
}

void TSettings::SetInitialPath(const QString& path)
{
    settings.setValue(kInitialPath, path);
    settings.sync();
}

QString TSettings::SaveAsPath() const
{
    return settings.value(kSaveAsPath, DefaultInitialPath()).toString();
}

void TSettings::SetSaveAsPath(const QString& path)
{
    settings.setValue(kSaveAsPath, path);
    settings.sync();
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
    settings.sync();
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
    settings.sync();
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
    settings.sync();
}

int TSettings::FontSize() const
{
    return Integer(kFontSize, 0);
}

void TSettings::SetFontSize(int points)
{
    settings.setValue(kFontSize, points);
    settings.sync();
}
