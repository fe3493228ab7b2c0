#include "devices/mouse/udev_access.h"

#include "devices/mouse/udev_rule_text.h"

#include <QStringList>

namespace mouse {

namespace {

const QString kRuleFile = QStringLiteral("/etc/udev/rules.d/70-talvorin-mouse.rules");

// Single quotes keep every character of a rule as it is; a single quote itself cannot
// appear inside them and is written as '\''.
QString shellQuoted(QString text)
{
    text.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

} // namespace

bool isAccessDenied(const QString& openError)
{
    return openError.contains(QLatin1String("Permission denied"), Qt::CaseInsensitive)
        || openError.contains(QLatin1String("Operation not permitted"), Qt::CaseInsensitive);
}

QString udevRuleInstallCommand()
{
    QStringList rules;
    const QStringList lines = QString::fromUtf8(kUdevRuleText).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString rule = line.trimmed();
        if (!rule.isEmpty() && !rule.startsWith(QLatin1Char('#')))
            rules.append(shellQuoted(rule));
    }
    return QStringLiteral("printf '%s\\n' ") + rules.join(QLatin1Char(' ')) + QStringLiteral(" | sudo tee ") + kRuleFile
        + QStringLiteral(" >/dev/null && sudo udevadm control --reload && sudo udevadm trigger");
}

} // namespace mouse
