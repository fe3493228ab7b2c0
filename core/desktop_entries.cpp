#include "core/desktop_entries.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace {

QString unescapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out.append(c);
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's': out.append(QLatin1Char(' ')); break;
        case 'n': out.append(QLatin1Char('\n')); break;
        case 't': out.append(QLatin1Char('\t')); break;
        case 'r': out.append(QLatin1Char('\r')); break;
        case '\\': out.append(QLatin1Char('\\')); break;
        default: out.append(QLatin1Char('\\')).append(next); break;
        }
    }
    return out;
}

// The words of an Exec line: blanks separate words, double quotes group them, and inside
// quotes a backslash keeps the next character.
QStringList execWords(const QString& exec)
{
    QStringList words;
    QString current;
    bool inQuotes = false;
    bool inWord = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                current.append(exec.at(++i));
            else if (c == QLatin1Char('"'))
                inQuotes = false;
            else
                current.append(c);
        } else if (c == QLatin1Char('"')) {
            inQuotes = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words.append(current);
            current.clear();
            inWord = false;
        } else {
            current.append(c);
            inWord = true;
        }
    }
    if (inWord)
        words.append(current);
    return words;
}

QString readEntryText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    return stream.readAll();
}

QString canonicalProgram(const QString& program)
{
    if (program.isEmpty())
        return QString();
    const QString path = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    return path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
}

} // namespace

DesktopEntry parseDesktopEntry(const QString& text)
{
    DesktopEntry entry;
    bool inMainGroup = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = unescapeValue(line.mid(equals + 1).trimmed());
        if (key == QLatin1String("Name"))
            entry.name = value;
        else if (key == QLatin1String("Exec"))
            entry.exec = value;
        else if (key == QLatin1String("Icon"))
            entry.icon = value;
        else if (key == QLatin1String("Hidden"))
            entry.hidden = value == QLatin1String("true");
    }
    return entry;
}

QString desktopEntryProgram(const QString& exec)
{
    const QStringList words = execWords(exec);
    int first = 0;
    if (!words.isEmpty() && words.first() == QLatin1String("env")) {
        first = 1;
        while (first < words.size() && words.at(first).contains(QLatin1Char('=')))
            ++first;
    }
    return first < words.size() ? words.at(first) : QString();
}

std::optional<DesktopEntry> findDesktopEntryForExecutable(const QString& canonicalExecutable,
                                                          const QStringList& applicationFolders)
{
    if (canonicalExecutable.isEmpty())
        return std::nullopt;
    for (const QString& folder : applicationFolders) {
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const DesktopEntry entry = parseDesktopEntry(readEntryText(it.next()));
            if (entry.hidden || entry.exec.isEmpty())
                continue;
            if (canonicalProgram(desktopEntryProgram(entry.exec)) == canonicalExecutable)
                return entry;
        }
    }
    return std::nullopt;
}
