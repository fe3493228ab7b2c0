#pragma once
// Collects a thread's answers on the test's own thread (queued, as QML receives them), so the
// test reads them without racing the thread that emits.
#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class AnswerLog : public QObject {
    Q_OBJECT

public:
    QList<QVariantMap> answers;

    // The values of `key` in the answers that carry it, in order.
    QStringList values(const QString& key) const
    {
        QStringList found;
        for (const QVariantMap& answer : answers) {
            if (answer.contains(key))
                found << answer.value(key).toString();
        }
        return found;
    }

    // "Hold A", "Release A" ... for the macro events received.
    QStringList macroEvents() const
    {
        QStringList found;
        for (const QVariantMap& answer : answers) {
            if (answer.contains(QStringLiteral("Action")))
                found << answer.value(QStringLiteral("Action")).toString() + QLatin1Char(' ')
                             + answer.value(QStringLiteral("Key")).toString();
        }
        return found;
    }

public slots:
    void add(QVariantMap answer) { answers.append(answer); }
};
