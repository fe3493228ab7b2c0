#include "recorded_machine.h"

#include "devices/sysfs_root.h"
#include "real/gpu/real_location.h"

#include <QDir>
#include <QFile>
#include <QDirIterator>
#include <QFileInfo>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

bool writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

QByteArray unescaped(const QByteArray& value)
{
    QByteArray text = value;
    text.replace("\\n", "\n");
    return text.isEmpty() ? text : text + '\n';
}

} // namespace

RecordedMachine::RecordedMachine(const QString& tree, const QString& controllers)
{
    QFile file(QStringLiteral(TALVORIN_GPU_TREES "/") + tree);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read ") + file.fileName();
        return;
    }
    m_ok = unfold(file.readAll(), m_dir.path(), &m_error);
    qputenv("TALVORIN_SYSFS_ROOT", sysfsRoot().toLocal8Bit());
    qputenv("TALVORIN_AMDGPU_IDS", QByteArray(TALVORIN_GPU_TREES "/amdgpu.ids"));
    qputenv("TALVORIN_I2C_TRACE", m_dir.filePath(QStringLiteral("i2c-trace.txt")).toLocal8Bit());
    qputenv("TALVORIN_I2C_CONTROLLERS", controllers.toLocal8Bit());
}

RecordedMachine::~RecordedMachine()
{
    for (const char* name : {"TALVORIN_SYSFS_ROOT", "TALVORIN_AMDGPU_IDS", "TALVORIN_I2C_TRACE", "TALVORIN_I2C_CONTROLLERS"})
        qunsetenv(name);
}

bool RecordedMachine::unfold(const QByteArray& treeText, const QString& root, QString* error)
{
    QString section = root;
    int number = 0;
    for (const QByteArray& rawLine : treeText.split('\n')) {
        ++number;
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            section = root + QLatin1Char('/') + QString::fromUtf8(line.mid(1, line.size() - 2));
            QDir().mkpath(section);
            continue;
        }
        const int link = line.indexOf(" -> ");
        const int assign = line.indexOf(" =");
        bool done = false;
        if (link > 0) {
            const QString path = section + QLatin1Char('/') + QString::fromUtf8(line.left(link));
            QDir().mkpath(QFileInfo(path).absolutePath());
            done = QFile::link(QString::fromUtf8(line.mid(link + 4)), path);
        } else if (assign > 0) {
            const QString path = section + QLatin1Char('/') + QString::fromUtf8(line.left(assign));
            done = writeText(path, unescaped(line.mid(assign + 2).trimmed()));
        }
        if (!done) {
            *error = QStringLiteral("tree line %1 not usable: %2").arg(number).arg(QString::fromUtf8(line));
            return false;
        }
    }
    return true;
}

void RecordedMachine::write(const QString& relativePath, const QByteArray& text)
{
    writeText(m_dir.filePath(relativePath), text);
}

void RecordedMachine::remove(const QString& relativePath)
{
    QFile::remove(m_dir.filePath(relativePath));
}

QStringList RecordedMachine::opensDuring(const std::function<void()>& work) const
{
    QStringList opened;
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return opened;
    inotify_add_watch(fd, QFile::encodeName(root()).constData(), IN_OPEN);
    QDirIterator folders(root(), QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (folders.hasNext())
        inotify_add_watch(fd, QFile::encodeName(folders.next()).constData(), IN_OPEN);
    alignas(inotify_event) char buffer[64 * 1024];
    // The walk above opened folders too: drop what it caused.
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
    work();
    ssize_t length = 0;
    while ((length = read(fd, buffer, sizeof buffer)) > 0) {
        for (char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            // A folder's own watch reports its listing without a name; its parent names it.
            if (event->len > 0)
                opened << QString::fromUtf8(event->name) + (event->mask & IN_ISDIR ? QStringLiteral("/") : QString());
            at += sizeof(inotify_event) + event->len;
        }
    }
    close(fd);
    return opened;
}

QStringList RecordedMachine::trace() const
{
    QFile file(m_dir.filePath(QStringLiteral("i2c-trace.txt")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void RecordedMachine::clearTrace()
{
    QFile::remove(m_dir.filePath(QStringLiteral("i2c-trace.txt")));
}

DeviceSetup RecordedMachine::setup() const
{
    DeviceSetup setup;
    setup.adlxLibrary = linuxAdlxRecordingLibraryPath();
    setup.sysfsRoot = sysfsRootFromEnvironment();
    return setup;
}
