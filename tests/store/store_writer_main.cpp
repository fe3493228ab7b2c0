// Writes the kill test's store files generation after generation until it is killed. Prints
// "ready" once every file has been written, and each finished generation's number.
#include "store_writes.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString dataFolder = QString::fromLocal8Bit(argv[1]);
    for (int generation = QString::fromLocal8Bit(argv[2]).toInt();; ++generation) {
        if (!writeGeneration(dataFolder, generation))
            std::fprintf(stderr, "a write failed in generation %d\n", generation);
        std::printf("%s %d\n", generation == 0 ? "ready" : "done", generation);
        std::fflush(stdout);
    }
}
