#pragma once

#include <QPalette>
#include <QString>

#include <optional>

// The application's colours: the platform's own (System, unless the platform or the desktop
// portal prefers dark), a light or a dark Fusion palette. It keeps the platform's style and
// palette from when it was made, so that going back to Light or System restores them, and puts
// them back when it goes.
class TAppTheme {
public:
    enum class TChoice { System, Light, Dark };

    TAppTheme();
    ~TAppTheme();
    TAppTheme(const TAppTheme&) = delete;
    TAppTheme& operator=(const TAppTheme&) = delete;

    // The settings' value ("system", "light", "dark", any letter case); anything else is System.
    static TChoice Parse(const QString& text);
    static QString Name(TChoice choice);

    // Whether a palette is dark: its window colour darker than its text.
    static bool IsDark(const QPalette& palette);
    // The desktop portal's org.freedesktop.appearance color-scheme: true when it prefers dark,
    // false when it prefers light; none without a portal, a session bus or a preference.
    static std::optional<bool> PortalPrefersDark();
    // The dark palette; its base is the panes' dark background.
    static QPalette DarkPalette();

    // Sets the application's style and palette for the choice. True when it is dark now.
    bool Apply(TChoice choice);
    TChoice Choice() const { return choice; }
    bool Dark() const { return dark; }

private:
    QString platformStyle;
    QPalette platformPalette;
    TChoice choice = TChoice::System;
    bool dark = false;
    bool changed = false; // the style or palette is not the platform's
};
