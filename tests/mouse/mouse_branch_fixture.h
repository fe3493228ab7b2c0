#pragma once
// The mouse branch of the worker on the firmware simulator (the mouse behind its receiver),
// with a data folder of its own. run() places a command and returns the answer published.
#include "core/game_library.h"
#include "core/mouse_branch.h"
#include "sim_mouse_fixture.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

inline const QString kSimUuid = QStringLiteral("3A910C5E77124BD08F26E1039C44B76A");

struct MouseBranchFixture {
    MouseBranchFixture()
    {
        // The mouse object reads the files of its own information map from here.
        qputenv("TALVORIN_DATA_DIR", dir.path().toUtf8());
        state.currentHidPath = QString::fromStdString(sim.path);
    }

    QVariantMap run(QVariantMap command)
    {
        command.insert(QStringLiteral("Control"), 2);
        slot.replace(command);
        const CommandSlot::Taken taken = slot.take();
        QVariantMap published;
        WorkerContext ctx{slot, taken.generation, taken.command, answer, state, store,
                          [&published](const QVariantMap& a) { published = a; }};
        branch.run(ctx);
        return published;
    }
    bool succeeds(const QVariantMap& command) { return run(command).value(QStringLiteral("RESULTS")).toInt() == 1; }

    // Output reports of one set command (behind the receiver's report id: frame byte n at n + 1).
    std::vector<std::vector<uint8_t>> frames(uint8_t command) const
    {
        std::vector<std::vector<uint8_t>> found;
        for (const auto& w : sim.bus->writes(sim.device)) {
            if (w.size() > 2 && w[1] == 0x40 && w[2] == command)
                found.push_back(w);
        }
        return found;
    }
    // Frame bytes first..first+count-1 of the last report of a set command.
    std::vector<uint8_t> lastFrame(uint8_t command, int first, int count) const
    {
        const auto all = frames(command);
        if (all.empty())
            return {};
        const auto& w = all.back();
        return std::vector<uint8_t>(w.begin() + 1 + first, w.begin() + 1 + first + count);
    }

    QString mouseFile(const QString& relative) const { return dir.path() + QStringLiteral("/Mouse/") + relative; }
    QJsonDocument json(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()) : QJsonDocument();
    }

    QTemporaryDir dir;
    SimMouseFixture sim{SimLink::Receiver};
    DataStore store{dir.path()};
    WorkerState state;
    GameLibrary games{store};
    MouseBranch branch{*sim.mouse, games};
    CommandSlot slot;
    QVariantMap answer;
};
