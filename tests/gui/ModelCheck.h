#pragma once

#include <QAbstractItemModelTester>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

// Checks an item model with QAbstractItemModelTester for as long as it lives (the tester follows
// every change of the model). The tester only warns, and a warning fails no test: each warning it
// gives fails the running test here instead, and the process goes on with the next test.
class TModelCheck {
public:
    explicit TModelCheck(QAbstractItemModel* model)
        : previous(Install()),
          tester(model, QAbstractItemModelTester::FailureReportingMode::Warning)
    {
    }
    ~TModelCheck() { qInstallMessageHandler(previous); }
    TModelCheck(const TModelCheck&) = delete;
    TModelCheck& operator=(const TModelCheck&) = delete;

private:
    static QtMessageHandler Install()
    {
        const QtMessageHandler before = qInstallMessageHandler(Report);
        // A check made while another lives keeps the handler that was there before both.
        if (before != Report)
            Forward() = before;
        return before;
    }
    static void Report(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg && context.category &&
            std::strcmp(context.category, "qt.modeltest") == 0) {
            ADD_FAILURE() << "model tester: " << text.toStdString();
            return;
        }
        if (Forward())
            Forward()(type, context, text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    }
    static QtMessageHandler& Forward()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }

    QtMessageHandler previous;
    QAbstractItemModelTester tester;
};
