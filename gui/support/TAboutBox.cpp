#include "gui/support/TAboutBox.h"

#include "gui/support/TIconSet.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* PictureLabel(QWidget* parent, TIconSet::Id id, QSize size, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(TIconSet::Pixmap(id, size, parent->devicePixelRatioF()));
    label->setFixedSize(size);
    return label;
}

QLabel* TextLabel(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent, const TFileVersion& version) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Stemlook"));
    setWindowIcon(TIconSet::Icon(TIconSet::Program));
    setModal(true);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* lines = new QVBoxLayout(frame);
    lines->setContentsMargins(24, 12, 24, 12);
    lines->addWidget(PictureLabel(frame, TIconSet::Picture, TIconSet::DesignSize(TIconSet::Picture),
                                  QStringLiteral("picture")),
                     0, Qt::AlignHCenter);
    lines->addSpacing(6);
    lines->addWidget(TextLabel(frame, QStringLiteral("Displaying Kinvault Database Definitions"),
                               QStringLiteral("purpose")));
    const QString versionText = version.HasVersion() ? version.Text() : QStringLiteral("unknown");
    versionLabel =
        TextLabel(frame, QStringLiteral("Version ") + versionText, QStringLiteral("version"));
    lines->addWidget(versionLabel);
    lines->addWidget(TextLabel(frame,
                               QStringLiteral("It reads a database's design and never changes it."),
                               QStringLiteral("note")));

    auto* top = new QHBoxLayout;
    top->addWidget(PictureLabel(this, TIconSet::Program, QSize(48, 48), QStringLiteral("icon")), 0,
                   Qt::AlignTop);
    top->addSpacing(12);
    top->addWidget(frame);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TAboutBox::VersionLine() const
{
    return versionLabel->text();
}
