#pragma once

class QObject;

// The help-context table: the help topic of a window, a dialog or a menu command. F1 looks the
// topic up on the highlighted command or the active window; 0 means none.
class THelpContext {
public:
    static void Set(QObject* target, int contextId);
    // The topic of the object or of its nearest parent that has one; 0 when none has.
    static int Of(const QObject* target);
};
