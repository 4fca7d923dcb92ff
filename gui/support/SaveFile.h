#pragma once

#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QIODevice;

namespace files {

// Writes a file the person chose. The loaded design's definition file (however the path spells
// it) is refused; a regular file is written through QSaveFile, so a failed write leaves what was
// there; a device or FIFO that exists is written directly, as it can't be replaced. write fills
// the device and says whether it could. Returns the reason the file could not be written, or
// empty.
QString SaveFile(const QString& path, const std::string& definitionFile,
                 const std::function<bool(QIODevice&)>& write);
// The same for a file that holds these bytes.
QString SaveFile(const QString& path, const std::string& definitionFile, std::string_view bytes);

} // namespace files
