// Yields during long commands: always when asked outright, otherwise only on
// every n-th call and only once the interval has passed.
#include "ui/event_yield.h"

#include <QTest>
#include <QTimer>

using namespace mozaru;
using std::chrono::hours;
using std::chrono::milliseconds;

class EventYieldTest : public QObject {
    Q_OBJECT
private slots:
    void nowProcessesPendingEvents();
    void maybeChecksTheClockEveryNthCall_data();
    void maybeChecksTheClockEveryNthCall();
};

void EventYieldTest::nowProcessesPendingEvents() {
    EventYield yield(hours(1));
    bool ran = false;
    QTimer::singleShot(0, this, [&ran] { ran = true; });
    yield.now();
    QVERIFY(ran);
    QCOMPARE(yield.yields(), 1);
}

void EventYieldTest::maybeChecksTheClockEveryNthCall_data() {
    QTest::addColumn<int>("intervalMs");
    QTest::addColumn<int>("checkEvery");
    QTest::addColumn<int>("calls");
    QTest::addColumn<int>("yields");
    QTest::newRow("interval passed, 3 of every 4 calls skip") << 0 << 4 << 3 << 0;
    QTest::newRow("interval passed, 4th call yields") << 0 << 4 << 4 << 1;
    QTest::newRow("interval passed, 9 calls") << 0 << 4 << 9 << 2;
    QTest::newRow("interval not passed") << 3600000 << 1 << 100 << 0;
}

void EventYieldTest::maybeChecksTheClockEveryNthCall() {
    QFETCH(int, intervalMs);
    QFETCH(int, checkEvery);
    QFETCH(int, calls);
    QFETCH(int, yields);
    EventYield yield(milliseconds(intervalMs), static_cast<std::uint32_t>(checkEvery));
    for (int i = 0; i < calls; ++i) yield.maybe();
    QCOMPARE(yield.yields(), yields);
}

QTEST_MAIN(EventYieldTest)
#include "event_yield_test.moc"
