#include "gui/support/Bytes.h"

#include "model/Windows1252.h"

#include <QByteArrayView>
#include <QFile>
#include <QStringDecoder>

namespace {

QString FromWindows1252(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes)
        text.append(QChar(windows1252::CodePoint(static_cast<unsigned char>(c))));
    return text;
}

} // namespace

namespace bytes {

QString ToText(std::string_view bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return text;
    return FromWindows1252(bytes);
}

QString ToText(std::string_view bytes, bool utf8)
{
    return utf8 ? ToText(bytes) : FromWindows1252(bytes);
}

std::string TypedBytes(const QString& text)
{
    return text.toStdString();
}

std::string PathBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString PathText(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace bytes
