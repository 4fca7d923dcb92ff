#pragma once

#include <QAbstractItemModelTester>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

// Checks an item model with QAbstractItemModelTester while it lives (the tester follows every
// change of the model). The tester only warns, which fails no test: here each warning fails the
// running test instead, and the process goes on with the next test.
class TModelCheck {
public:
    explicit TModelCheck(QAbstractItemModel* model)
        : previous(qInstallMessageHandler(Report)),
          tester(model, QAbstractItemModelTester::FailureReportingMode::Warning)
    {
    }
    ~TModelCheck() { qInstallMessageHandler(previous); }
    TModelCheck(const TModelCheck&) = delete;
    TModelCheck& operator=(const TModelCheck&) = delete;

private:
    static void Report(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg && context.category &&
            std::strcmp(context.category, "qt.modeltest") == 0)
            ADD_FAILURE() << "model tester: " << text.toStdString();
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    }

    QtMessageHandler previous;
    QAbstractItemModelTester tester;
};
