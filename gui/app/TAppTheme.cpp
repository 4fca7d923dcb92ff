#include "gui/app/TAppTheme.h"

#include "gui/script/TDisplayScript.h"
#include "script/TDispColour.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStyle>
#include <QStyleFactory>

namespace {
const QString kFusion = QStringLiteral("Fusion");
// A portal that does not answer soon is taken as none: the start must not wait for it.
constexpr int kPortalTimeout = 300;

QVariant Unwrapped(QVariant value)
{
    // Read answers a variant in a variant (older portals) or a variant.
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}
} // namespace

TAppTheme::TAppTheme()
    : platformStyle(QApplication::style()->name()), platformPalette(QApplication::palette())
{
}

TAppTheme::~TAppTheme()
{
    if (changed)
        Apply(TChoice::System);
}

TAppTheme::TChoice TAppTheme::Parse(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t == QStringLiteral("light"))
        return TChoice::Light;
    if (t == QStringLiteral("dark"))
        return TChoice::Dark;
    return TChoice::System;
}

QString TAppTheme::Name(TChoice choice)
{
    switch (choice) {
    case TChoice::Light:
        return QStringLiteral("light");
    case TChoice::Dark:
        return QStringLiteral("dark");
    case TChoice::System:
        break;
    }
    return QStringLiteral("system");
}

bool TAppTheme::IsDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

std::optional<bool> TAppTheme::PortalPrefersDark()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("Read"));
    call << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kPortalTimeout);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    // 0 no preference, 1 prefers dark, 2 prefers light.
    const uint scheme = Unwrapped(reply.arguments().constFirst()).toUInt(&ok);
    if (!ok || (scheme != 1 && scheme != 2))
        return std::nullopt;
    return scheme == 1;
}

QPalette TAppTheme::DarkPalette()
{
    const QColor window(53, 53, 53);
    const QColor base = TDisplayScript::Colour(TDispColour::kDarkBackground);
    const QColor text(224, 224, 224);
    const QColor disabled(128, 128, 128);
    const QColor highlight(42, 130, 218);
    QPalette p(window);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabled);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Light, QColor(80, 80, 80));
    p.setColor(QPalette::Midlight, QColor(66, 66, 66));
    p.setColor(QPalette::Mid, QColor(100, 100, 100));
    p.setColor(QPalette::Dark, QColor(35, 35, 35));
    p.setColor(QPalette::Shadow, QColor(10, 10, 10));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(110, 170, 255));
    p.setColor(QPalette::LinkVisited, QColor(190, 140, 255));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        p.setColor(QPalette::Disabled, role, disabled);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    return p;
}

bool TAppTheme::Apply(TChoice newChoice)
{
    choice = newChoice;
    const bool platformDark = IsDark(platformPalette);
    bool wantDark = choice == TChoice::Dark;
    if (choice == TChoice::System)
        wantDark = PortalPrefersDark().value_or(platformDark);
    // The platform's own look serves whenever it already is what is asked for.
    if (wantDark == platformDark) {
        if (changed) {
            QApplication::setStyle(platformStyle);
            QApplication::setPalette(platformPalette);
            changed = false;
        }
    } else {
        if (QApplication::style()->name().compare(kFusion, Qt::CaseInsensitive) != 0)
            QApplication::setStyle(QStyleFactory::create(kFusion));
        QApplication::setPalette(wantDark ? DarkPalette()
                                          : QApplication::style()->standardPalette());
        changed = true;
    }
    dark = wantDark;
    return dark;
}
