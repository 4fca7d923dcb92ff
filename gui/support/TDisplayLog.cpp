#include "support/TDisplayLog.h"

#include "support/Bytes.h"

#include <QStringList>

TDisplayLog::TDisplayLog(const std::vector<std::string>& lines, QWidget* parent)
    : QPlainTextEdit(parent)
{
    QStringList text;
    text.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        text.append(bytes::ToText(line));
    setPlainText(text.join(QLatin1Char('\n')));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
}
