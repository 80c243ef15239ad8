#include "calculators/pmtcalc.h"

#include "ui/calcbutton.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/sharedvalues.h"

#include "tests/support/modalwindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <array>
#include <functional>

using Texts = std::array<QString, 5>;
Q_DECLARE_METATYPE(Texts)

namespace QTest {
template<>
char *toString(const Texts &texts)
{
    return QTest::toString(QStringList(texts.begin(), texts.end()).join(" | "));
}
}  // namespace QTest

namespace {

const Texts defaults = {"100000.00", "12.000", "60", "0.00", "0.00"};

std::array<QLineEdit *, 5> boxesOf(TfrmPmtCalc &window)
{
    return {window.edtLoanAmt, window.edtIntRate, window.edtTerm, window.edtMoPmt, window.edtBallAmt};
}

Texts textsOf(TfrmPmtCalc &window)
{
    Texts texts;
    const auto boxes = boxesOf(window);
    for (size_t at = 0; at < boxes.size(); ++at)
        texts[at] = boxes[at]->text();
    return texts;
}

QList<int> boldBoxesOf(TfrmPmtCalc &window)
{
    QList<int> bold;
    const auto boxes = boxesOf(window);
    for (size_t at = 0; at < boxes.size(); ++at) {
        if (boxes[at]->font().bold())
            bold << static_cast<int>(at);
    }
    return bold;
}

void fill(TfrmPmtCalc &window, int option, const Texts &texts)
{
    window.rgCalcOptItems.button(option)->setChecked(true);
    const auto boxes = boxesOf(window);
    for (size_t at = 0; at < boxes.size(); ++at)
        boxes[at]->setText(texts[at]);
}

// A mouse press on Calculate while a box has the focus: the focus enters
// the button, which runs the input step, and the release clicks.
void pressCalculate(TfrmPmtCalc &window)
{
    window.edtLoanAmt->setFocus();
    QTest::mouseClick(window.btnCalc, Qt::LeftButton);
}

// Opens the window through its real modal showing, runs body on it, and
// closes it; a window that refuses to close is forced shut so the test ends.
void withWindow(SharedLoanValues &shared, Messages &messages, const std::function<void(TfrmPmtCalc &)> &body)
{
    withModalWindow<TfrmPmtCalc>(body, shared, messages);
}

}  // namespace

class TestPmtCalc : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void opensWithTheSharedValues();
    void tabRunsFromTheOptionsDownTheBoxes();
    void computes_data();
    void computes();
    void secondClickComputesTheSameAgain();
    void faultLeavesTheBoxesRegularAndUnchanged_data();
    void faultLeavesTheBoxesRegularAndUnchanged();
    void inputStepRefusesAndComputesNothing_data();
    void inputStepRefusesAndComputesNothing();
    void inputStepRefillsFromTheSharedValues_data();
    void inputStepRefillsFromTheSharedValues();
    void failingBoxKeepsItsEarlierValue();
    void tabIntoTheButtonRunsTheInputStep();
    void acceleratorOnAFreshWindowComputesFromZeros();
    void acceleratorClicksWithoutANewInputStep();
    void spaceClicksWithoutANewInputStep();
    void enterInABoxDoesNotCalculate();
    void closeHandsTheBoxesOn_data();
    void closeHandsTheBoxesOn();
    void closeAfterInfiniteNumberStaysOpen();
};

void TestPmtCalc::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestPmtCalc::opensWithTheSharedValues()
{
    SharedLoanValues shared;
    shared.LastBalloon = "250.00";
    RecordedMessages messages;
    withWindow(shared, messages, [](TfrmPmtCalc &window) {
        QCOMPARE(window.windowTitle(), QString("Payment Calculator"));
        QCOMPARE(window.size(), QSize(435, 197));
        QCOMPARE(window.rgCalcOptItems.checkedId(), 0);
        QCOMPARE(window.rgCalcOptItems.checkedButton()->text(), QString("Compute Amortized Payment"));
        QCOMPARE(window.rgCalcOptItems.button(4)->text(), QString("Compute Loan Amount "));
        QCOMPARE(textsOf(window), (Texts{"100000.00", "12.000", "60", "0.00", "250.00"}));
        QCOMPARE(window.btnCalc->text(), QString("C&alculate"));
        QVERIFY(!window.btnCalc->autoDefault());
    });
}

void TestPmtCalc::tabRunsFromTheOptionsDownTheBoxes()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        window.rgCalcOptItems.checkedButton()->setFocus();
        const QList<QWidget *> order = {window.edtLoanAmt, window.edtIntRate, window.edtTerm,
                                        window.edtMoPmt,   window.edtBallAmt, window.btnCalc};
        for (QWidget *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    });
}

void TestPmtCalc::computes_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<Texts>("input");
    QTest::addColumn<Texts>("shown");
    QTest::addColumn<QList<int>>("bold");

    QTest::newRow("amortized payment of the defaults")
        << 0 << defaults << Texts{"100000.00", "12.000", "60", "2224.44", "0.00"} << QList<int>{3};
    QTest::newRow("interest only of the defaults")
        << 1 << defaults << Texts{"100000.00", "12.000", "60", "1000.00", "100000.00"} << QList<int>{3, 4};
    QTest::newRow("term for 2224.44 clears the balloon")
        << 2 << Texts{"100000.00", "12.000", "60", "2224.44", "5000"}
        << Texts{"100000.00", "12.000", "60.00", "2224.44", "0.00"} << QList<int>{2};
    QTest::newRow("rate for 2224.44") << 3 << Texts{"100000.00", "12.000", "60", "2224.44", "0.00"}
                                      << Texts{"100000.00", "12.000", "60", "2224.44", "0.00"} << QList<int>{1};
    QTest::newRow("loan amount for 2224.44") << 4 << Texts{"100000.00", "12.000", "60", "2224.44", "0.00"}
                                             << Texts{"99999.79", "12.000", "60", "2224.44", "0.00"} << QList<int>{0};
    QTest::newRow("term for the first month's interest is infinite")
        << 2 << Texts{"100000.00", "12", "60", "1000", "0.00"}
        << Texts{"100000.00", "12", "infinite number", "1000", "0.00"} << QList<int>{2};
    QTest::newRow("term for 1500") << 2 << Texts{"100000.00", "12", "60", "1500", "0.00"}
                                   << Texts{"100000.00", "12", "110.41", "1500", "0.00"} << QList<int>{2};
    QTest::newRow("rate for 1000 over 60 will not amortize")
        << 3 << Texts{"100000", "12.000", "60", "1000", "0"} << Texts{"100000", "will not amortize", "60", "1000", "0"}
        << QList<int>{1};
    QTest::newRow("rate with a balloon of 50000") << 3 << Texts{"100000", "12.000", "60", "1000", "50000"}
                                                  << Texts{"100000", "2.411", "60", "1000", "50000"} << QList<int>{1};
    QTest::newRow("loan amount with a balloon at 2.411")
        << 4 << Texts{"100000", "2.411", "60", "1000", "50000"} << Texts{"100709.30", "2.411", "60", "1000", "50000"}
        << QList<int>{0};
    QTest::newRow("loan amount with a balloon at 12")
        << 4 << Texts{"100000", "12", "60", "1000", "50000"} << Texts{"72205.02", "12", "60", "1000", "50000"}
        << QList<int>{0};
    QTest::newRow("interest only tie at the cent goes down to even")
        << 1 << Texts{"100012.5", "12", "60", "0.00", "0.00"} << Texts{"100012.5", "12", "60", "1000.12", "100012.50"}
        << QList<int>{3, 4};
    QTest::newRow("interest only tie at the cent goes up to even")
        << 1 << Texts{"100013.5", "12", "60", "0.00", "0.00"} << Texts{"100013.5", "12", "60", "1000.14", "100013.50"}
        << QList<int>{3, 4};
    QTest::newRow("term box 0 takes the shared term")
        << 0 << Texts{"100000.00", "12.000", "0", "0.00", "0.00"}
        << Texts{"100000.00", "12.000", "60", "2224.44", "0.00"} << QList<int>{3};
    QTest::newRow("term box infinite number takes the shared term")
        << 0 << Texts{"100000.00", "12.000", "infinite number", "0.00", "0.00"}
        << Texts{"100000.00", "12.000", "60", "2224.44", "0.00"} << QList<int>{3};
    // log10(1 / 0.6) / log10(0.99) = 50.8267
    QTest::newRow("rate is not checked for the term option")
        << 2 << Texts{"100000", "-12", "60", "1500", "0"} << Texts{"100000", "-12", "50.83", "1500", "0.00"}
        << QList<int>{2};
}

void TestPmtCalc::computes()
{
    QFETCH(int, option);
    QFETCH(Texts, input);
    QFETCH(Texts, shown);
    QFETCH(QList<int>, bold);

    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        fill(window, option, input);
        pressCalculate(window);
        QCOMPARE(messages.all, QStringList());
        QCOMPARE(textsOf(window), shown);
        QCOMPARE(boldBoxesOf(window), bold);
        QCOMPARE(QApplication::focusWidget(), window.btnCalc);
    });
}

void TestPmtCalc::secondClickComputesTheSameAgain()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        fill(window, 3, {"100000", "12", "60", "1000", "50000"});
        pressCalculate(window);
        QTest::mouseClick(window.btnCalc, Qt::LeftButton);
        QCOMPARE(textsOf(window), (Texts{"100000", "2.411", "60", "1000", "50000"}));
        QCOMPARE(messages.all, QStringList());
    });
}

void TestPmtCalc::faultLeavesTheBoxesRegularAndUnchanged_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<Texts>("input");
    QTest::addColumn<QString>("error");

    // The input step only replaces "0", so 0.0 reaches the formula.
    QTest::newRow("payment over a term of 0.0")
        << 0 << Texts{"100000.00", "12.000", "0.0", "0.00", "0.00"} << "Floating point division by zero.";
    QTest::newRow("term at a rate of 0") << 2 << Texts{"100000.00", "0", "60", "1000", "0.00"}
                                         << "Invalid floating point operation.";
    QTest::newRow("payment over an endless term")
        << 0 << Texts{"100000.00", "12.000", "1e10", "0.00", "0.00"} << "Floating point overflow.";
    QTest::newRow("loan amount too large for currency")
        << 4 << Texts{"100000.00", "12.000", "60", "1e15", "0.00"} << "Invalid floating point operation.";
}

void TestPmtCalc::faultLeavesTheBoxesRegularAndUnchanged()
{
    QFETCH(int, option);
    QFETCH(Texts, input);
    QFETCH(QString, error);

    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        // A result first, so that a bold box is there to be reset.
        pressCalculate(window);
        QCOMPARE(boldBoxesOf(window), QList<int>{3});
        fill(window, option, input);
        pressCalculate(window);
        QCOMPARE(messages.errors, QStringList{error});
        QCOMPARE(messages.messages, QStringList());
        QCOMPARE(textsOf(window), input);
        QCOMPARE(boldBoxesOf(window), QList<int>());
        QVERIFY(window.isVisible());
    });
}

void TestPmtCalc::inputStepRefusesAndComputesNothing_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<Texts>("input");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focusBox");

    const QString badRate = "Interest rate cannot be equal or less than 0!";
    const QString badPayment = "Payment cannot be equal or less than 0!";
    const QString badNumber = "Please enter a valid number!";
    QTest::newRow("rate 0 for the amortized payment")
        << 0 << Texts{"100000.00", "0", "60", "0.00", "0.00"} << badRate << 1;
    QTest::newRow("rate 0 for the interest only payment")
        << 1 << Texts{"100000.00", "0.000", "60", "0.00", "0.00"} << badRate << 1;
    QTest::newRow("negative rate for the loan amount")
        << 4 << Texts{"100000.00", "-1", "60", "1000", "0.00"} << badRate << 1;
    QTest::newRow("payment 0 for the term") << 2 << defaults << badPayment << 3;
    QTest::newRow("negative payment for the rate")
        << 3 << Texts{"100000.00", "12.000", "60", "-5", "0.00"} << badPayment << 3;
    QTest::newRow("thousands separator in the loan amount")
        << 0 << Texts{"1,000", "12.000", "60", "0.00", "0.00"} << badNumber << 0;
    QTest::newRow("letters in the balloon, focus to the loan amount")
        << 0 << Texts{"100000.00", "12.000", "60", "0.00", "abc"} << badNumber << 0;
    QTest::newRow("blanks only are not an empty box")
        << 0 << Texts{"100000.00", "12.000", "60", "  ", "0.00"} << badNumber << 0;
    QTest::newRow("term 00 is not replaced but read")
        << 0 << Texts{"100000.00", "12.000", "00x", "0.00", "0.00"} << badNumber << 0;
    QTest::newRow("will not amortize in the rate box is read for every option")
        << 2 << Texts{"100000.00", "will not amortize", "60", "1000", "0.00"} << badNumber << 0;
    QTest::newRow("bad number stops before the rate check")
        << 0 << Texts{"100000.00", "0", "60", "1,5", "0.00"} << badNumber << 0;
}

void TestPmtCalc::inputStepRefusesAndComputesNothing()
{
    QFETCH(int, option);
    QFETCH(Texts, input);
    QFETCH(QString, message);
    QFETCH(int, focusBox);

    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        fill(window, option, input);
        pressCalculate(window);
        QCOMPARE(messages.all, QStringList{message});
        QCOMPARE(QApplication::focusWidget(), boxesOf(window)[focusBox]);
        QCOMPARE(textsOf(window), input);
        QCOMPARE(boldBoxesOf(window), QList<int>());
    });
}

void TestPmtCalc::inputStepRefillsFromTheSharedValues_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");

    QTest::newRow("empty loan amount") << 0 << ""
                                       << "90000";
    QTest::newRow("empty rate") << 1 << ""
                                << "7.5";
    QTest::newRow("empty term") << 2 << ""
                                << "48";
    QTest::newRow("term 0") << 2 << "0"
                            << "48";
    QTest::newRow("term infinite number") << 2 << "infinite number"
                                          << "48";
    QTest::newRow("term 0.0 stays") << 2 << "0.0"
                                    << "0.0";
    QTest::newRow("term 00 stays") << 2 << "00"
                                   << "00";
    QTest::newRow("term Infinite Number stays") << 2 << "Infinite Number"
                                                << "Infinite Number";
    QTest::newRow("empty payment") << 3 << ""
                                   << "800";
    QTest::newRow("empty balloon") << 4 << ""
                                   << "300";
    QTest::newRow("blank balloon stays") << 4 << " "
                                         << " ";
}

void TestPmtCalc::inputStepRefillsFromTheSharedValues()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(QString, after);

    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        shared = {"90000", "7.5", "48", "800", "300"};
        boxesOf(window)[box]->setText(text);
        window.edtBallAmt->setFocus();
        QTest::keyClick(window.edtBallAmt, Qt::Key_Tab);
        QCOMPARE(boxesOf(window)[box]->text(), after);
    });
}

void TestPmtCalc::failingBoxKeepsItsEarlierValue()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        // The first step stores the whole default loan.
        window.edtBallAmt->setFocus();
        QTest::keyClick(window.edtBallAmt, Qt::Key_Tab);
        // The second stores the new loan amount and rate, then stops at the
        // term; the term and the payment keep 60 and 0.
        fill(window, 0, {"50000", "6", "sixty", "999", "0.00"});
        pressCalculate(window);
        QCOMPARE(messages.all, QStringList{"Please enter a valid number!"});
        // The accelerator computes on what was stored: 50000 at 6 % for 60.
        QTest::keyClick(window.edtLoanAmt, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(window.edtMoPmt->text(), QString("966.64"));
    });
}

void TestPmtCalc::tabIntoTheButtonRunsTheInputStep()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        window.edtIntRate->setText("0");
        window.edtBallAmt->setFocus();
        QTest::keyClick(window.edtBallAmt, Qt::Key_Tab);
        QCOMPARE(messages.all, QStringList{"Interest rate cannot be equal or less than 0!"});
        QCOMPARE(QApplication::focusWidget(), window.edtIntRate);
        QCOMPARE(window.edtMoPmt->text(), QString("0.00"));
    });
}

void TestPmtCalc::acceleratorOnAFreshWindowComputesFromZeros()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        window.edtLoanAmt->setFocus();
        QTest::keyClick(window.edtLoanAmt, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(messages.all, QStringList{"Invalid floating point operation."});
        QCOMPARE(QApplication::focusWidget(), window.edtLoanAmt);
        QCOMPARE(textsOf(window), defaults);
    });
}

void TestPmtCalc::acceleratorClicksWithoutANewInputStep()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        window.edtBallAmt->setFocus();
        QTest::keyClick(window.edtBallAmt, Qt::Key_Tab);
        window.edtLoanAmt->setFocus();
        window.edtLoanAmt->setText("");
        QTest::keyClicks(window.edtLoanAmt, "50000");
        QTest::keyClick(window.edtLoanAmt, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(messages.all, QStringList());
        QCOMPARE(window.edtMoPmt->text(), QString("2224.44"));
        QCOMPARE(QApplication::focusWidget(), window.edtLoanAmt);
    });
}

void TestPmtCalc::spaceClicksWithoutANewInputStep()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        window.edtBallAmt->setFocus();
        QTest::keyClick(window.edtBallAmt, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.btnCalc);
        window.edtIntRate->setText("6");
        QTest::keyClick(window.btnCalc, Qt::Key_Space);
        QCOMPARE(window.edtMoPmt->text(), QString("2224.44"));
    });
}

void TestPmtCalc::enterInABoxDoesNotCalculate()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        window.edtMoPmt->setFocus();
        QTest::keyClick(window.edtMoPmt, Qt::Key_Return);
        QCOMPARE(window.edtMoPmt->text(), QString("0.00"));
        QCOMPARE(boldBoxesOf(window), QList<int>());
        QVERIFY(window.isVisible());
        QCOMPARE(messages.all, QStringList());
    });
}

void TestPmtCalc::closeHandsTheBoxesOn_data()
{
    QTest::addColumn<Texts>("boxes");
    QTest::addColumn<Texts>("handedOn");

    QTest::newRow("59.5 months become 60")
        << Texts{"5000", "8", "59.5", "100", "7"} << Texts{"5000", "8", "60", "100", "7"};
    QTest::newRow("60.5 months tie to even 60")
        << Texts{"5000", "8", "60.5", "100", "7"} << Texts{"5000", "8", "60", "100", "7"};
    QTest::newRow("61.5 months tie to even 62")
        << Texts{"5000", "8", "61.5", "100", "7"} << Texts{"5000", "8", "62", "100", "7"};
    QTest::newRow("texts pass unchanged, will not amortize included")
        << Texts{" 1e3", "will not amortize", "60", "", "abc"} << Texts{" 1e3", "will not amortize", "60", "", "abc"};
}

void TestPmtCalc::closeHandsTheBoxesOn()
{
    QFETCH(Texts, boxes);
    QFETCH(Texts, handedOn);

    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) { fill(window, 0, boxes); });
    QCOMPARE((Texts{shared.LastLoanAmt, shared.LastRate, shared.LastTerm, shared.LastPayment, shared.LastBalloon}),
             handedOn);
    // The next opening starts from them, with its own first option.
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        QCOMPARE(textsOf(window), handedOn);
        QCOMPARE(window.rgCalcOptItems.checkedId(), 0);
    });
    QCOMPARE(messages.all, QStringList());
}

void TestPmtCalc::closeAfterInfiniteNumberStaysOpen()
{
    SharedLoanValues shared;
    RecordedMessages messages;
    withWindow(shared, messages, [&](TfrmPmtCalc &window) {
        fill(window, 2, {"90000", "12", "60", "900", "0.00"});
        pressCalculate(window);
        QCOMPARE(window.edtTerm->text(), QString("infinite number"));
        window.close();
        QVERIFY(window.isVisible());
        QCOMPARE(messages.errors, QStringList{"'infinite number' is not a valid floating point value."});
        QCOMPARE(shared.LastLoanAmt, QString("90000"));
        QCOMPARE(shared.LastRate, QString("12"));
        QCOMPARE(shared.LastTerm, QString("60"));
        QCOMPARE(shared.LastPayment, QString("0.00"));
        window.edtTerm->setText("24");
        window.close();
        QVERIFY(!window.isVisible());
    });
    QCOMPARE(shared.LastTerm, QString("24"));
    QCOMPARE(shared.LastPayment, QString("900"));
}

QTEST_MAIN(TestPmtCalc)
#include "pmtcalc_test.moc"
