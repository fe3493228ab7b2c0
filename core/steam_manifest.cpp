#include "core/steam_manifest.h"

namespace {

const QString kNameKey = QStringLiteral("\"name\"");
const QString kInstallDirKey = QStringLiteral("\"installdir\"");

QString lastNonEmptyQuotedPiece(const QString& line)
{
    const QStringList pieces = line.split(QLatin1Char('"'), Qt::SkipEmptyParts);
    return pieces.isEmpty() ? QString() : pieces.last();
}

// The quoted strings of one KeyValues line, with \\ and \" unescaped. Text outside quotes
// (blanks, braces, comments) is skipped.
QStringList quotedTokens(const QString& line)
{
    QStringList tokens;
    QString current;
    bool inQuotes = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (!inQuotes) {
            if (c == QLatin1Char('/') && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('/'))
                break; // comment to the end of the line
            if (c == QLatin1Char('"')) {
                inQuotes = true;
                current.clear();
            }
            continue;
        }
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            current.append(line.at(++i));
        } else if (c == QLatin1Char('"')) {
            inQuotes = false;
            tokens.append(current);
        } else {
            current.append(c);
        }
    }
    return tokens;
}

bool isDecimal(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

AppManifestFields parseAppManifest(const QString& text)
{
    AppManifestFields fields;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(kNameKey))
            fields.name = lastNonEmptyQuotedPiece(line);
        else if (line.startsWith(kInstallDirKey))
            fields.installDir = lastNonEmptyQuotedPiece(line);
    }
    return fields;
}

QString appIdFromManifestFileName(const QString& fileName)
{
    static const QString prefix = QStringLiteral("appmanifest_");
    static const QString suffix = QStringLiteral(".acf");
    if (!fileName.startsWith(prefix) || !fileName.endsWith(suffix))
        return QString();
    const QString id = fileName.mid(prefix.size(), fileName.size() - prefix.size() - suffix.size());
    return isDecimal(id) ? id : QString();
}

QStringList parseLibraryFolders(const QString& text)
{
    QStringList folders;
    int depth = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList tokens = quotedTokens(line);
        if (tokens.size() >= 2) {
            const QString& key = tokens.at(0);
            const QString& value = tokens.at(1);
            // Current format: "<n>" { "path" "<folder>" ... }. Older one: "<n>" "<folder>"
            // directly inside "LibraryFolders" (depth 1).
            const bool currentFormat = key.compare(QLatin1String("path"), Qt::CaseInsensitive) == 0;
            const bool olderFormat = depth == 1 && isDecimal(key);
            if ((currentFormat || olderFormat) && !value.isEmpty())
                folders.append(value);
        }
        // Braces stand on lines of their own in these files.
        const QString bare = line.trimmed();
        if (bare == QLatin1String("{"))
            ++depth;
        else if (bare == QLatin1String("}"))
            depth = qMax(0, depth - 1);
    }
    return folders;
}
