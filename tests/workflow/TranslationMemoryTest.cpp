// SPDX-License-Identifier: GPL-3.0-or-later

// The memory of answers: one entry per text and language, the least recently
// used going first once it is full. What the jobs take from it is in WorkflowTest.
#include "TranslationMemory.h"

#include <QTest>

class TranslationMemoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leastRecentlyUsedGoFirst()
    {
        TranslationMemory memory(3);
        memory.remember(u"Save"_qs, u"iw"_qs, u"שמור"_qs);
        memory.remember(u"Save"_qs, u"en"_qs, u"Save"_qs);
        memory.remember(u"Open"_qs, u"iw"_qs, u"פתח"_qs);
        QCOMPARE(memory.recall(u"Save"_qs, u"iw"_qs), u"שמור"_qs);
        // "Save" into English was used least recently.
        memory.remember(u"Close"_qs, u"iw"_qs, u"סגור"_qs);
        QCOMPARE(memory.size(), 3);
        QCOMPARE(memory.recall(u"Save"_qs, u"en"_qs), std::nullopt);
        // A new answer for a remembered text replaces the old one.
        memory.remember(u"Open"_qs, u"iw"_qs, u"לפתוח"_qs);
        QCOMPARE(memory.size(), 3);
        QCOMPARE(memory.recall(u"Open"_qs, u"iw"_qs), u"לפתוח"_qs);
        QCOMPARE(memory.recall(u"Close"_qs, u"iw"_qs), u"סגור"_qs);
        QCOMPARE(memory.recall(u"Open"_qs, u"en"_qs), std::nullopt);
    }

    void holdsTwentyThousandAnswers()
    {
        TranslationMemory memory;
        for (int k = 0; k <= 20'000; ++k)
            memory.remember(QString::number(k), u"iw"_qs, QString::number(-k));
        QCOMPARE(memory.size(), 20'000);
        QCOMPARE(memory.recall(u"0"_qs, u"iw"_qs), std::nullopt);
        QCOMPARE(memory.recall(u"1"_qs, u"iw"_qs), u"-1"_qs);
    }
};

QTEST_GUILESS_MAIN(TranslationMemoryTest)
#include "TranslationMemoryTest.moc"
