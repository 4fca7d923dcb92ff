#pragma once

#include <QString>

// The program's version as the build compiled it in: the project version of CMake.
class TFileVersion {
public:
    TFileVersion();
    // A given version text; an empty text stands for a program without a version.
    explicit TFileVersion(QString text);

    bool HasVersion() const { return !text.isEmpty(); }
    const QString& Text() const { return text; }

private:
    QString text;
};
