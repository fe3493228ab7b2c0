#pragma once
// Desktop entries (*.desktop files): what the desktop knows about an installed program, its
// display name and its icon. Used to name a program the user links to a profile.
#include <QString>
#include <QStringList>
#include <optional>

struct DesktopEntry {
    QString name;
    QString exec;
    QString icon;
    bool hidden = false;
};

// The unlocalised Name, Exec and Icon of the [Desktop Entry] group, escapes (\s \n \t \r \\)
// resolved; Hidden=true marks an entry the user deleted.
DesktopEntry parseDesktopEntry(const QString& text);

// The program an Exec line starts: its first word, quotes removed; a leading "env" and its
// VAR=value words are passed over.
QString desktopEntryProgram(const QString& exec);

// The first entry in the folders (searched with their subfolders, in order) whose Exec
// starts the given executable, compared after resolving links; a bare program name is looked
// up in PATH.
std::optional<DesktopEntry> findDesktopEntryForExecutable(const QString& canonicalExecutable,
                                                          const QStringList& applicationFolders);
