#include "gui/views/TDocument.h"

#include <QFontDatabase>

namespace {
constexpr int kDisplayPointSize = 9;
}

TDocument::TDocument(const std::string& logPath)
    : db(logPath), font(QFontDatabase::systemFont(QFontDatabase::FixedFont))
{
    font.setPointSize(kDisplayPointSize);
    db.ClearLog();
}
