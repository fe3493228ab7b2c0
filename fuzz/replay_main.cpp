// Runs every file of the given folders (or the given files) through the fuzz target once, so
// the ordinary test run replays each corpus without a fuzzing engine: a fault once found
// and fixed stays fixed.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

int replay(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    int inputs = 0;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const QString given = QFile::decodeName(argv[i]);
        if (!QFileInfo(given).isDir()) {
            failures += replay(given);
            ++inputs;
            continue;
        }
        QDirIterator it(given, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            failures += replay(it.next());
            ++inputs;
        }
    }
    std::fprintf(stderr, "replayed %d inputs\n", inputs);
    return failures == 0 && inputs > 0 ? 0 : 1;
}
