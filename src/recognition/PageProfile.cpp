// SPDX-License-Identifier: GPL-3.0-or-later

#include "PageProfile.h"

#include <ctime>

void PageProfile::addStage(const QString &stage, double milliseconds)
{
    const std::lock_guard lock(mutex);
    stageTimes[stage] += milliseconds;
}

void PageProfile::addReading(const QString &model, double milliseconds)
{
    const std::lock_guard lock(mutex);
    Readings &readings = modelReadings[model];
    ++readings.count;
    readings.milliseconds += milliseconds;
}

std::map<QString, double> PageProfile::stages() const
{
    const std::lock_guard lock(mutex);
    return stageTimes;
}

std::map<QString, PageProfile::Readings> PageProfile::readings() const
{
    const std::lock_guard lock(mutex);
    return modelReadings;
}

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}
