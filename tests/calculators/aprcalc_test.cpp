#include "calculators/aprcalc.h"

#include "ui/calcbutton.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/sharedvalues.h"

#include "tests/support/modalwindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <array>
#include <functional>

// Loan amount, rate, payment, term and fees, in the order of the boxes.
using Boxes = std::array<QString, 5>;
// Payment box, amount financed, finance charge and APR after a calculation.
using Results = std::array<QString, 4>;
Q_DECLARE_METATYPE(Boxes)
Q_DECLARE_METATYPE(Results)

namespace QTest {
template<>
char *toString(const Results &results)
{
    return QTest::toString(QStringList(results.begin(), results.end()).join(" | "));
}
}  // namespace QTest

namespace {

const Boxes defaults = {"100000.00", "12.000", "0.00", "60", "1000.00"};

std::array<QLineEdit *, 5> boxesOf(TfrmAPRCalc &window)
{
    return {window.edtLoanAmt, window.edtIntRate, window.edtMoPmt, window.edtTerm, window.edtExCost};
}

void fill(TfrmAPRCalc &window, const Boxes &texts)
{
    const auto boxes = boxesOf(window);
    for (size_t at = 0; at < boxes.size(); ++at)
        boxes[at]->setText(texts[at]);
}

Results resultsOf(TfrmAPRCalc &window)
{
    return {window.edtMoPmt->text(), window.lblAdjPV->text(), window.lblFinCharge->text(), window.lblAPR->text()};
}

void pressCalculate(TfrmAPRCalc &window)
{
    window.edtLoanAmt->setFocus();
    QTest::mouseClick(window.btnCalc, Qt::LeftButton);
}

void withWindow(SharedLoanValues &shared, Messages &messages, const std::function<void(TfrmAPRCalc &)> &body)
{
    withModalWindow<TfrmAPRCalc>(body, shared, messages);
}

}  // namespace

class TestAprCalc : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void opensWithTheSharedValues();
    void tabRunsDownTheBoxesToTheButton();
    void calculates_data();
    void calculates();
    void secondInputStepReadsTheShownPayment();
    void failingBoxKeepsTheEarlierValues();
    void inputStepRefuses_data();
    void inputStepRefuses();
    void inputStepRefills_data();
    void inputStepRefills();
    void acceleratorOnAFreshWindowComputesNothing();
    void enterOnTheButtonCalculatesButNotInABox();
    void hugeLoanEnds();
    void closeHandsTheBoxesOn_data();
    void closeHandsTheBoxesOn();
    void closeWithLettersInTheTermStaysOpen();
};

void TestAprCalc::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestAprCalc::opensWithTheSharedValues()
{
    SharedLoanValues shared;
    shared.LastPayment = "1500";
    shared.LastTerm = "36";
    RecordedMessages messages;
    withWindow(shared, messages, [](TfrmAPRCalc &window) {
        QCOMPARE(window.windowTitle(), QString("APR Calculator"));
        QCOMPARE(window.size(), QSize(267, 263));
        QCOMPARE(window.Label11->text(), QString("For Amortized Loans Only"));
        QCOMPARE(window.edtLoanAmt->text(), QString("100000.00"));
        QCOMPARE(window.edtIntRate->text(), QString("12.000"));
        QCOMPARE(window.edtMoPmt->text(), QString("1500"));
        QCOMPARE(window.edtTerm->text(), QString("36"));
        QCOMPARE(window.edtExCost->text(), QString("1000.00"));
        QCOMPARE(window.lblAPR->text(), QString());
        QCOMPARE(window.edtMoPmt->toolTip(), QString("Leave blank to calculate"));
        QVERIFY(!window.btnCalc->autoDefault());
    });
}

void TestAprCalc::tabRunsDownTheBoxesToTheButton()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        QCOMPARE(QApplication::focusWidget(), window.edtLoanAmt);
        const QList<QWidget *> order = {window.edtIntRate, window.edtMoPmt, window.edtTerm, window.edtExCost,
                                        window.btnCalc};
        for (QWidget *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    });
}

void TestAprCalc::calculates_data()
{
    QTest::addColumn<Boxes>("boxes");
    QTest::addColumn<Results>("results");

    QTest::newRow("defaults with fees of 1000")
        << defaults << Results{"2224.44", "$99,000.00", "$34,466.69", "12.443%"};
    QTest::newRow("no fees give the note rate") << Boxes{"100000.00", "12.000", "0.00", "60", "0"}
                                                << Results{"2224.44", "$100,000.00", "$33,466.69", "12.000%"};
    // The payment is 88.8488; 12 of them less 990 is 76.1855.
    QTest::newRow("1000 at 12 for 12 months with fees of 10")
        << Boxes{"1000.00", "12.000", "", "12", "10.00"} << Results{"88.85", "$990.00", "$76.19", "13.903%"};
    QTest::newRow("fees equal to the loan")
        << Boxes{"100000.00", "12.000", "", "60", "100000"} << Results{"2224.44", "", "", "Check Parameters"};
    QTest::newRow("fees above the loan") << Boxes{"100000.00", "12.000", "0", "60", "150000"}
                                         << Results{"2224.44", "", "", "Check Parameters"};
    // 133466.69 of payments less 101000 financed.
    QTest::newRow("negative fees run the search away") << Boxes{"100000.00", "12.000", "0.00", "60", "-1000"}
                                                       << Results{"2224.44", "$101,000.00", "$32,466.69", "0.000%"};
    QTest::newRow("payment of blanks only is computed") << Boxes{"100000.00", "12.000", "   ", "60", "1000.00"}
                                                        << Results{"2224.44", "$99,000.00", "$34,466.69", "12.443%"};
    // 60 * 2500 - 99000
    QTest::newRow("typed payment changes the charge, not the APR")
        << Boxes{"100000.00", "12.000", "2500", "60", "1000.00"}
        << Results{"2500", "$99,000.00", "$51,000.00", "12.443%"};
    QTest::newRow("payment too small for a finance charge")
        << Boxes{"100000.00", "12.000", "1000", "60", "1000.00"} << Results{"1000", "$99,000.00", "", "12.443%"};
    QTest::newRow("empty fees count as none")
        << Boxes{"100000.00", "12.000", "0.00", "60", ""} << Results{"2224.44", "$100,000.00", "$33,466.69", "12.000%"};
}

void TestAprCalc::calculates()
{
    QFETCH(Boxes, boxes);
    QFETCH(Results, results);

    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        fill(window, boxes);
        pressCalculate(window);
        QCOMPARE(messages.all, QStringList());
        QCOMPARE(resultsOf(window), results);
        QCOMPARE(QApplication::focusWidget(), window.btnCalc);
    });
}

void TestAprCalc::secondInputStepReadsTheShownPayment()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        pressCalculate(window);
        // A press on the focused button keeps the full computed payment.
        QTest::mouseClick(window.btnCalc, Qt::LeftButton);
        QCOMPARE(window.lblFinCharge->text(), QString("$34,466.69"));
        // Entering the button again reads 2224.44 from the box: 60 * 2224.44 - 99000.
        pressCalculate(window);
        QCOMPARE(resultsOf(window), (Results{"2224.44", "$99,000.00", "$34,466.40", "12.443%"}));
        QCOMPARE(messages.all, QStringList());
    });
}

void TestAprCalc::failingBoxKeepsTheEarlierValues()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        window.edtExCost->setFocus();
        QTest::keyClick(window.edtExCost, Qt::Key_Tab);
        // The loan amount is stored, the rate fails; the amount financed
        // keeps 99000 from the first step.
        fill(window, {"50000", "twelve", "0.00", "60", "1000.00"});
        pressCalculate(window);
        QCOMPARE(messages.all, QStringList{"Please enter a valid number!"});
        QCOMPARE(QApplication::focusWidget(), window.edtLoanAmt);
        QTest::keyClick(window.edtLoanAmt, Qt::Key_A, Qt::AltModifier);
        // Half the default payment; 99000 financed on a 50000 loan climbs away.
        QCOMPARE(resultsOf(window), (Results{"1112.22", "$99,000.00", "", "0.000%"}));
    });
}

void TestAprCalc::inputStepRefuses_data()
{
    QTest::addColumn<Boxes>("boxes");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("focusBox");

    const QString badRate = "Interest rate cannot be equal or less than 0!";
    const QString badTerm = "Term cannot be equal or less than 0!";
    const QString badNumber = "Please enter a valid number!";
    QTest::newRow("rate 0") << Boxes{"100000", "0", "", "60", "1000"} << QStringList{badRate} << 1;
    QTest::newRow("term 0.0 is not replaced") << Boxes{"100000", "12", "", "0.0", "1000"} << QStringList{badTerm} << 3;
    QTest::newRow("term -5") << Boxes{"100000", "12", "", "-5", "1000"} << QStringList{badTerm} << 3;
    QTest::newRow("rate 0 and term 0.0 both, the rate first")
        << Boxes{"100000", "0", "", "0.0", "1000"} << QStringList{badRate, badTerm} << 3;
    QTest::newRow("thousands separator in the fees")
        << Boxes{"100000", "12", "", "60", "1,000"} << QStringList{badNumber} << 0;
    QTest::newRow("thousands separator in the loan amount")
        << Boxes{"1,000", "12", "", "60", "10"} << QStringList{badNumber} << 0;
    QTest::newRow("loan amount of blanks only") << Boxes{"   ", "12", "", "60", "10"} << QStringList{badNumber} << 0;
    QTest::newRow("bad number stops before the checks")
        << Boxes{"100000", "0", "x", "0.0", "10"} << QStringList{badNumber} << 0;
}

void TestAprCalc::inputStepRefuses()
{
    QFETCH(Boxes, boxes);
    QFETCH(QStringList, shown);
    QFETCH(int, focusBox);

    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        fill(window, boxes);
        pressCalculate(window);
        QCOMPARE(messages.all, shown);
        QCOMPARE(QApplication::focusWidget(), boxesOf(window)[focusBox]);
        QCOMPARE(resultsOf(window), (Results{boxes[2], "", "", ""}));
    });
}

void TestAprCalc::inputStepRefills_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");

    QTest::newRow("empty loan amount") << 0 << ""
                                       << "90000";
    QTest::newRow("empty rate") << 1 << ""
                                << "7.5";
    QTest::newRow("empty payment stays empty") << 2 << ""
                                               << "";
    QTest::newRow("empty term") << 3 << ""
                                << "48";
    QTest::newRow("term 0") << 3 << "0"
                            << "48";
    QTest::newRow("term infinite number") << 3 << "infinite number"
                                          << "48";
    QTest::newRow("term 00 stays") << 3 << "00"
                                   << "00";
    QTest::newRow("empty fees become 0") << 4 << ""
                                         << "0";
}

void TestAprCalc::inputStepRefills()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, after);

    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        shared = {"90000", "7.5", "48", "800", "300"};
        boxesOf(window)[box]->setText(text);
        window.edtExCost->setFocus();
        QTest::keyClick(window.edtExCost, Qt::Key_Tab);
        QCOMPARE(boxesOf(window)[box]->text(), after);
    });
}

void TestAprCalc::acceleratorOnAFreshWindowComputesNothing()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        window.edtLoanAmt->setFocus();
        QTest::keyClick(window.edtLoanAmt, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(messages.all, QStringList{"Invalid floating point operation."});
        QCOMPARE(QApplication::focusWidget(), window.edtLoanAmt);
        QCOMPARE(resultsOf(window), (Results{"0.00", "", "", ""}));
    });
}

void TestAprCalc::enterOnTheButtonCalculatesButNotInABox()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        window.edtExCost->setFocus();
        QTest::keyClick(window.edtExCost, Qt::Key_Return);
        QCOMPARE(resultsOf(window), (Results{"0.00", "", "", ""}));
        QTest::keyClick(window.edtExCost, Qt::Key_Tab);
        QTest::keyClick(window.btnCalc, Qt::Key_Return);
        QCOMPARE(resultsOf(window), (Results{"2224.44", "$99,000.00", "$34,466.69", "12.443%"}));
        QCOMPARE(messages.all, QStringList());
    });
}

void TestAprCalc::hugeLoanEnds()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        // The search gives up; the amount financed is then too large to show.
        fill(window, {"1e15", "12", "", "60", "1000"});
        pressCalculate(window);
        QCOMPARE(messages.all, QStringList{"Invalid floating point operation."});
        QCOMPARE(window.lblAPR->text(), QString());
    });
}

void TestAprCalc::closeHandsTheBoxesOn_data()
{
    QTest::addColumn<Boxes>("boxes");
    QTest::addColumn<QString>("lastTerm");

    QTest::newRow("59.5 months become 60") << Boxes{"5000", "8", "100", "59.5", "10"} << "60";
    QTest::newRow("60.5 months tie to even 60") << Boxes{"5000", "8", "100", "60.5", "10"} << "60";
    QTest::newRow("61.5 months tie to even 62") << Boxes{"5000", "8", "100", "61.5", "10"} << "62";
    QTest::newRow("term 0 leaves the shared term") << Boxes{"5000", "8", "100", "0", "10"} << "36";
    QTest::newRow("negative term leaves the shared term") << Boxes{"5000", "8", "100", "-5", "10"} << "36";
    QTest::newRow("empty payment is handed on empty") << Boxes{"5000", "x", "", "12", "10"} << "12";
}

void TestAprCalc::closeHandsTheBoxesOn()
{
    QFETCH(Boxes, boxes);
    QFETCH(QString, lastTerm);

    SharedLoanValues shared;
    shared.LastTerm = "36";
    shared.LastBalloon = "77";
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) { fill(window, boxes); });
    QCOMPARE(messages.all, QStringList());
    QCOMPARE(shared.LastLoanAmt, boxes[0]);
    QCOMPARE(shared.LastRate, boxes[1]);
    QCOMPARE(shared.LastPayment, boxes[2]);
    QCOMPARE(shared.LastTerm, lastTerm);
    QCOMPARE(shared.LastBalloon, QString("77"));
}

void TestAprCalc::closeWithLettersInTheTermStaysOpen()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmAPRCalc &window) {
        fill(window, {"5000", "8", "100", "abc", "10"});
        window.close();
        QVERIFY(window.isVisible());
        QCOMPARE(messages.errors, QStringList{"'abc' is not a valid floating point value."});
        QCOMPARE(shared.LastLoanAmt, QString("5000"));
        QCOMPARE(shared.LastPayment, QString("100"));
        QCOMPARE(shared.LastTerm, QString("60"));
        window.edtTerm->setText("12");
        window.close();
        QVERIFY(!window.isVisible());
    });
    QCOMPARE(shared.LastTerm, QString("12"));
}

QTEST_MAIN(TestAprCalc)
#include "aprcalc_test.moc"
