// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <map>
#include <mutex>

// Where reading a page spent processor time: per stage, and per model the
// lines were read with. Stages that run on several threads add up each
// thread's time. Safe from any thread.
class PageProfile {
public:
    struct Readings {
        int count = 0;
        double milliseconds = 0;
    };

    void addStage(const QString &stage, double milliseconds);
    void addReading(const QString &model, double milliseconds);

    std::map<QString, double> stages() const;
    std::map<QString, Readings> readings() const;

private:
    mutable std::mutex mutex;
    std::map<QString, double> stageTimes;
    std::map<QString, Readings> modelReadings;
};

// The processor time the calling thread has used, in milliseconds.
double threadMilliseconds();

// Adds the processor time the calling thread spends from its making to its
// end to `stage`.
class StageTimer {
public:
    StageTimer(PageProfile &profile, QString stage)
        : profile(profile), stage(std::move(stage)), start(threadMilliseconds())
    {
    }
    ~StageTimer() { profile.addStage(stage, threadMilliseconds() - start); }
    StageTimer(const StageTimer &) = delete;
    StageTimer &operator=(const StageTimer &) = delete;

private:
    PageProfile &profile;
    QString stage;
    double start;
};
