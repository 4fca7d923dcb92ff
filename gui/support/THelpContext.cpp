#include "gui/support/THelpContext.h"

#include <QObject>
#include <QVariant>

namespace {
constexpr const char* kProperty = "stemlookHelpContext";
}

void THelpContext::Set(QObject* target, int contextId)
{
    target->setProperty(kProperty, contextId);
}

int THelpContext::Of(const QObject* target)
{
    for (; target; target = target->parent()) {
        const QVariant id = target->property(kProperty);
        if (id.isValid())
            return id.toInt();
    }
    return 0;
}
