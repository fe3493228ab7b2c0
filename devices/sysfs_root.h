#pragma once
// Where the kernel's files are read. TALVORIN_SYSFS_ROOT moves every sysfs reader of the
// process (PCI and USB presence, the graphics cards' files in our Linux GPU library) to another
// tree: recorded trees in tests, a chroot's /sys by hand. This is the one function that reads
// the variable; the device setup and the GPU library (loaded by name, so it cannot be handed
// the setup) both call it.
#include <QDir>
#include <QString>

inline QString sysfsRootFromEnvironment()
{
    const QString root = qEnvironmentVariable("TALVORIN_SYSFS_ROOT");
    return root.isEmpty() ? QStringLiteral("/sys") : root;
}

// The device nodes that belong to a sysfs tree: "/dev" beside "/sys", and likewise "dev" beside
// a recorded tree's "sys" folder.
inline QString deviceNodeRoot(const QString& sysfsRoot)
{
    return QDir::cleanPath(sysfsRoot + QStringLiteral("/../dev"));
}
