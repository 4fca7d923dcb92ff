#pragma once

#include "gui/support/TFileVersion.h"

#include <QDialog>

class QLabel;

// The modal "About Stemlook" box: the program's icon and picture, what the program does, and the
// version compiled into it.
class TAboutBox : public QDialog {
public:
    explicit TAboutBox(QWidget* parent, const TFileVersion& version = TFileVersion());

    // "Version " and the version text, as the box shows it.
    QString VersionLine() const;

private:
    QLabel* versionLabel = nullptr;
};
