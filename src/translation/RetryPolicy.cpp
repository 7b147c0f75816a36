// SPDX-License-Identifier: GPL-3.0-or-later

#include "RetryPolicy.h"

#include <QLocale>
#include <QTimeZone>

using std::chrono::milliseconds;

namespace {

// The preferred HTTP date, then the two obsolete forms a recipient must still
// read, each after its day of the week (which adds nothing); the one with a
// two-digit year means this century.
std::optional<QDateTime> httpDate(const QString &value)
{
    static const std::pair<const char *, int> forms[] = {
        {"dd MMM yyyy HH:mm:ss 'GMT'", 0}, {"dd-MMM-yy HH:mm:ss 'GMT'", 100}, {"MMM d HH:mm:ss yyyy", 0}};
    const QString date = value.simplified().section(u' ', 1);
    for (const auto &[form, years] : forms) {
        QDateTime parsed = QLocale::c().toDateTime(date, QString::fromLatin1(form));
        if (parsed.isValid()) {
            parsed.setTimeZone(QTimeZone::utc());
            return parsed.addYears(years);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<milliseconds> retryAfterWait(const QByteArray &value, const QDateTime &now)
{
    const QByteArray trimmed = value.trimmed();
    bool isNumber = false;
    const qint64 seconds = trimmed.toLongLong(&isNumber);
    // A day is past any line's deadline, and keeps the product in range.
    if (isNumber && seconds >= 0 && !trimmed.startsWith('+'))
        return milliseconds(std::min<qint64>(seconds, 24 * 3600) * 1000);
    if (const std::optional<QDateTime> date = httpDate(QString::fromLatin1(trimmed)))
        return milliseconds(std::max<qint64>(0, now.msecsTo(*date)));
    return std::nullopt;
}

std::optional<milliseconds> retryWait(int status, const QByteArray &retryAfter, int retriesDone, milliseconds remaining,
                                      const QDateTime &now, double jitter)
{
    if ((status != 429 && status != 503) || retriesDone >= maxRetries)
        return std::nullopt;
    const milliseconds backOff(qint64((500 + 1000 * jitter) * (1 << retriesDone)));
    const milliseconds wait = retryAfterWait(retryAfter, now).value_or(backOff);
    if (wait >= remaining)
        return std::nullopt;
    return wait;
}
