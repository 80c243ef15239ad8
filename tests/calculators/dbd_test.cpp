#include "calculators/dbd.h"

#include "ui/messages.h"
#include "ui/modal.h"

#include "tests/support/modalwindow.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

void withWindow(Messages &messages, const std::function<void(TfrmDBD &)> &body)
{
    withModalWindow<TfrmDBD>(body, messages);
}

void calculate(TfrmDBD &window, QDate start, QDate end)
{
    window.dStart->setDate(start);
    window.dEnd->setDate(end);
    QTest::mouseClick(window.CalcBtn, Qt::LeftButton);
}

}  // namespace

class TestDbd : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void opensOnTodayAndTheEndOfTheMonth();
    void countsBothCalendars_data();
    void countsBothCalendars();
    void endBeforeStartKeepsTheResults();
    void acceleratorPressesCalculate();
};

void TestDbd::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestDbd::opensOnTodayAndTheEndOfTheMonth()
{
    RecordedMessages messages;
    withWindow(messages, [](TfrmDBD &window) {
        const QDate today = QDate::currentDate();
        QCOMPARE(window.windowTitle(), QString("Days Between Dates Calculation"));
        QCOMPARE(window.size(), QSize(365, 185));
        QCOMPARE(window.dStart->date(), today);
        QCOMPARE(window.dEnd->date(), QDate(today.year(), today.month(), today.daysInMonth()));
        QVERIFY(window.dStart->calendarPopup());
        QVERIFY(window.dEnd->calendarPopup());
        QCOMPARE(window.lbl360->text(), QString());
        QCOMPARE(window.lbl365->text(), QString());
        QCOMPARE(window.lbl360->font().pointSize(), 10);
        QCOMPARE(window.Label3->text(), QString("360 Day Calendar:"));
        QCOMPARE(window.Label4->text(), QString("365 Day Calendar:"));
    });
}

void TestDbd::countsBothCalendars_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<QString>("days360");
    QTest::addColumn<QString>("days365");

    QTest::newRow("same day") << QDate(2023, 6, 30) << QDate(2023, 6, 30) << "0 days"
                              << "0 days";
    // 30 * 2 + (1 - 31)
    QTest::newRow("31 January to 1 March 2023") << QDate(2023, 1, 31) << QDate(2023, 3, 1) << "30 days"
                                                << "29 days";
    QTest::newRow("28 February to 1 March 2023") << QDate(2023, 2, 28) << QDate(2023, 3, 1) << "3 days"
                                                 << "1 days";
    QTest::newRow("whole leap year 2024") << QDate(2024, 1, 1) << QDate(2024, 12, 31) << "360 days"
                                          << "365 days";
    QTest::newRow("whole common year 2023") << QDate(2023, 1, 1) << QDate(2023, 12, 31) << "360 days"
                                            << "364 days";
}

void TestDbd::countsBothCalendars()
{
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(QString, days360);
    QFETCH(QString, days365);

    RecordedMessages messages;
    withWindow(messages, [&](TfrmDBD &window) {
        calculate(window, start, end);
        QCOMPARE(messages.all, QStringList());
        QCOMPARE(window.lbl360->text(), days360);
        QCOMPARE(window.lbl365->text(), days365);
    });
}

void TestDbd::endBeforeStartKeepsTheResults()
{
    RecordedMessages messages;
    withWindow(messages, [&](TfrmDBD &window) {
        calculate(window, QDate(2023, 2, 28), QDate(2023, 3, 1));
        calculate(window, QDate(2023, 3, 2), QDate(2023, 3, 1));
        QCOMPARE(messages.all, QStringList{"ERROR - Start Date is greater than End Date - Please fix"});
        QCOMPARE(window.lbl360->text(), QString("3 days"));
        QCOMPARE(window.lbl365->text(), QString("1 days"));
    });
}

void TestDbd::acceleratorPressesCalculate()
{
    RecordedMessages messages;
    withWindow(messages, [&](TfrmDBD &window) {
        window.dStart->setDate(QDate(2024, 1, 15));
        window.dEnd->setDate(QDate(2025, 1, 15));
        window.dStart->setFocus();
        QTest::keyClick(window.dStart, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(window.lbl360->text(), QString("360 days"));
        QCOMPARE(window.lbl365->text(), QString("366 days"));
    });
}

QTEST_MAIN(TestDbd)
#include "dbd_test.moc"
