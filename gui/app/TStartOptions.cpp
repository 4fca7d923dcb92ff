#include "gui/app/TStartOptions.h"

#include "gui/support/TFileVersion.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

// The options that QApplication (and its X11 platform) takes out of the arguments itself. The
// command line is read before the application exists, so they are still there: they are accepted
// and left to it, never a usage error.
const char* const kQtWithValue = "platform platformpluginpath platformtheme plugin qwindowgeometry "
                                 "geometry qwindowtitle title qwindowicon icon session display "
                                 "name visual style stylesheet qmljsdebugger";
const char* const kQtFlags = "reverse testability nograb dograb sync widgetcount";

TStartOptions Ended(int status, const QString& text)
{
    TStartOptions options;
    options.exitStatus = status;
    options.text = text;
    return options;
}

TStartOptions UsageError(const QString& error)
{
    return Ended(TStartOptions::kUsageError,
                 QStringLiteral("stemlook: ") + error + u'\n' + TStartOptions::Usage());
}

} // namespace

TStartOptions TStartOptions::Parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words ("-platform"); "-h" stays what it is.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption open(QStringLiteral("open"), QString(), QStringLiteral("TITLE"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(open);
    for (const QString& name : QString::fromLatin1(kQtWithValue).split(u' ')) {
        QCommandLineOption qt(name, QString(), QStringLiteral("value"));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    for (const QString& name : QString::fromLatin1(kQtFlags).split(u' ')) {
        QCommandLineOption qt(name);
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }

    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (parser.isSet(help))
        return Ended(0, Usage());
    if (parser.isSet(version))
        return Ended(0, QStringLiteral("stemlook ") + TFileVersion().Text() + u'\n');

    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1)
        return UsageError(QStringLiteral("more than one FOLDER given"));
    TStartOptions options;
    options.titles = parser.values(open);
    if (folders.isEmpty()) {
        if (!options.titles.isEmpty())
            return UsageError(QStringLiteral("--open needs a FOLDER"));
        return options;
    }
    options.folder = QDir::cleanPath(QFileInfo(folders.front()).absoluteFilePath());
    return options;
}

QStringList TStartOptions::Arguments(int argc, const char* const* argv)
{
    // The conversion QCoreApplication::arguments() makes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

QString TStartOptions::Usage()
{
    return QStringLiteral(
        "Usage: stemlook [--open TITLE]... [FOLDER]\n"
        "Shows the design of the Kinvault database in FOLDER; without FOLDER the window starts\n"
        "empty.\n"
        "\n"
        "  --open TITLE   also open the definition window of the element with this title\n"
        "                 (letter case counts); give it again for more windows\n"
        "  -h, --help     show this text\n"
        "  --version      show the version\n");
}
