#pragma once

#include "runtime/host.h"

#include <QList>
#include <QString>
#include <QTemporaryDir>

// A host for tests: message boxes are answered from a script and recorded, End is recorded
// instead of ending the process, the program's folder is a fresh temporary folder, and the
// clock and the random seed are fixed. The fixtures (HostTest in hosttest.h, WindowTest)
// make one afresh for every test function.
class TestHost : public rt::Host {
public:
    struct Shown {
        QString prompt;
        int buttons;
        QString title;
    };

    TestHost() { previous_ = rt::setHost(this); }
    ~TestHost() override { rt::setHost(previous_); }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    int msgBox(const QString& prompt, int buttons, const QString& title) override
    {
        shown.append({prompt, buttons, title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == 4 ? 7 : 1;
    }
    void end() override { ++ends; }
    QString appPath() override { return folder.path(); }
    QDateTime now() override { return clock; }
    quint64 randomSeed() override { return seed; }

    QList<int> answers; // the next message boxes' answers, in order; then OK or No
    QList<Shown> shown;
    int ends = 0;
    QTemporaryDir folder;
    QDateTime clock{QDate(2024, 3, 9), QTime(14, 5, 7)};
    quint64 seed = 12345;

private:
    rt::Host* previous_;
};
