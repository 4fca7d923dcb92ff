#include "gui/support/SaveFile.h"

#include "gui/support/Bytes.h"
#include "model/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace files {

QString SaveFile(const QString& path, const std::string& definitionFile,
                 const std::function<bool(QIODevice&)>& write)
{
    if (SameFile(bytes::PathBytes(path), definitionFile))
        return QStringLiteral("It is the definition file of the loaded design, which Stemlook "
                              "never writes.");
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.flush())
            return file.errorString();
        return {};
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!write(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString SaveFile(const QString& path, const std::string& definitionFile, std::string_view bytes)
{
    return SaveFile(path, definitionFile, [bytes](QIODevice& file) {
        return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
    });
}

} // namespace files
