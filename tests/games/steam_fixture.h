#pragma once
// A Steam library on disk for tests: a Steam root with its steamapps folder, manifests, and
// further library folders listed in libraryfolders.vdf.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

class SteamFixture {
public:
    QString root() const { return m_dir.path() + QStringLiteral("/Steam"); }
    QString library(const QString& name) const { return m_dir.path() + QLatin1Char('/') + name; }
    QString path() const { return m_dir.path(); }

    // Writes appmanifest_<id>.acf into <library>/steamapps; returns its path.
    QString addGame(const QString& library, const QString& id, const QString& name, const QString& installDir) const
    {
        const QString text = QStringLiteral("\"AppState\"\n{\n\t\"appid\"\t\t\"%1\"\n\t\"name\"\t\t\"%2\"\n"
                                            "\t\"StateFlags\"\t\t\"4\"\n\t\"installdir\"\t\t\"%3\"\n"
                                            "\t\"UserConfig\"\n\t{\n\t\t\"language\"\t\t\"english\"\n\t}\n}\n")
                                 .arg(id, name, installDir);
        return write(library + QStringLiteral("/steamapps/appmanifest_%1.acf").arg(id), text.toUtf8());
    }

    // Lists the libraries in the root's steamapps/libraryfolders.vdf (current format).
    void listLibraries(const QStringList& libraries) const
    {
        QString text = QStringLiteral("\"libraryfolders\"\n{\n");
        for (int i = 0; i < libraries.size(); ++i)
            text += QStringLiteral("\t\"%1\"\n\t{\n\t\t\"path\"\t\t\"%2\"\n\t\t\"label\"\t\t\"\"\n"
                                   "\t\t\"apps\"\n\t\t{\n\t\t\t\"10\"\t\t\"123\"\n\t\t}\n\t}\n")
                        .arg(i)
                        .arg(libraries.at(i));
        text += QStringLiteral("}\n");
        write(root() + QStringLiteral("/steamapps/libraryfolders.vdf"), text.toUtf8());
    }

    static QString write(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

private:
    QTemporaryDir m_dir;
};
