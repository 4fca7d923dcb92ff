#include "gui/support/TFileVersion.h"

#include <utility>

TFileVersion::TFileVersion() : text(QString::fromUtf8(STEMLOOK_VERSION)) {}

TFileVersion::TFileVersion(QString text) : text(std::move(text)) {}
