#include "scoringtestsupport.h"

#include "datastore/table.h"
#include "scoring/should_i.h"
#include "ui/dbcontrols.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/sharedvalues.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QString kCannotCreate =
    QStringLiteral("Unable to create ZIVORODI.DBF. Make sure program is in a writable directory.");
const QString kCannotOpen = QStringLiteral("Cannot Open ZIVORODI.DBF. Make sure no one else us using the program.");

// What one press of Calculate left on the window.
struct Outcome
{
    QString score;  // the shown score, empty while the labels are hidden
    int bar = -1;
    QString focus;
};

}  // namespace

class TestShouldI : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void calculation_data();
    void calculation();
    void refills_data();
    void refills();
    void scoreOutOfRangeKeepsEditState();
    void labelsKeepTheLastScore();

    void seedsOnFirstUse();
    void seedsFromTheSharedValues();
    void failedSeedingPostsNothing_data();
    void failedSeedingPostsNothing();
    void existingFileWithNoRecordScores50();
    void resultResetOnEveryOpening();
    void fileThatCannotBeOpened();
    void unwritableDirectory();
    void closeDropsPendingEdit();

private:
    // Opens the scoring window the way the main window does and runs body on it.
    void withWindow(const std::function<void(QWidget *)> &body);
    Outcome calculate(QWidget *window, const QString &inputs);

    std::unique_ptr<TemporaryWorkDir> m_dir;
    std::unique_ptr<TData> m_data;
    SharedLoanValues m_shared;
    RecordedMessages m_messages;
};

void TestShouldI::init()
{
    m_dir = std::make_unique<TemporaryWorkDir>();
    m_data = std::make_unique<TData>();
    m_shared = SharedLoanValues{};
    m_messages.clear();
}

void TestShouldI::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    m_data.reset();
    m_dir.reset();
}

void TestShouldI::withWindow(const std::function<void(QWidget *)> &body)
{
    whenModal(body);
    openModal<TfrmShould_I>(nullptr, m_shared, m_messages, *m_data);
}

// inputs: "name=text|..." typed into the boxes; "cbxName=#i" picks item i
// with the arrow keys.
Outcome TestShouldI::calculate(QWidget *window, const QString &inputs)
{
    for (const QString &input : inputs.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const QString name = input.section(QLatin1Char('='), 0, 0);
        const QString text = input.section(QLatin1Char('='), 1);
        if (auto *combo = window->findChild<QComboBox *>(name)) {
            combo->setFocus();
            if (text.startsWith(QLatin1Char('#'))) {
                const int steps = text.mid(1).toInt() - combo->currentIndex();
                for (int i = 0; i < qAbs(steps); ++i)
                    QTest::keyClick(combo, steps < 0 ? Qt::Key_Up : Qt::Key_Down);
            } else {
                typeInto(combo->lineEdit(), text);
            }
        } else {
            auto *box = window->findChild<QLineEdit *>(name);
            if (!box)
                qFatal("no box %s", qPrintable(name));
            typeInto(box, text);
        }
    }
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("CalcBtn")), Qt::LeftButton);

    Outcome outcome;
    const auto *label = window->findChild<QLabel *>(QStringLiteral("fcLabelScore"));
    if (label->isVisible() && window->findChild<QLabel *>(QStringLiteral("fcLabelLS"))->isVisible())
        outcome.score = label->text();
    outcome.bar = window->findChild<TDBTrackBar *>(QStringLiteral("fcTrackBarResults"))->value();
    if (QWidget *focus = window->focusWidget())
        outcome.focus = focus->objectName();
    return outcome;
}

void TestShouldI::calculation_data()
{
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("score");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<QString>("focus");

    const QStringList none;
    // Scores from the ten terms by hand; all weights 2, averages 100000,
    // 12, 60, 30, 70, 600, 1. The bar rounds ties to even.
    QTest::newRow("untouched boxes on a new file show 50") << ""
                                                           << "50" << 5 << none << none << "CalcBtn";
    QTest::newRow("good loan shows 95") << "edtLoanAmt=200000|edtRate=14|cbxQuality=#0|edtCreditScore=650|cbxFeeling=#0"
                                        << "95" << 10 << none << none << "CalcBtn";
    QTest::newRow("term 72 scores 4.0004 stored 4.0 shows 40") << "edtTerm=72"
                                                               << "40" << 4 << none << none << "CalcBtn";
    QTest::newRow("rate 12.5 scores 5.25 stored 5.3 shows 53") << "edtRate=12.5"
                                                               << "53" << 5 << none << none << "CalcBtn";

    QTest::newRow("amount 1000000000000 refused") << "edtLoanAmt=1000000000000"
                                                  << "" << 0 << QStringList{"Incorrect Amount"} << none << "edtLoanAmt";
    // 999999999999 passes the check; its score is held at 100, too wide for RESULT.
    QTest::newRow("amount 999999999999 passes, clamped 100 out of range")
        << "edtLoanAmt=999999999999"
        << "" << 0 << none << QStringList{"Numeric out of range."} << "CalcBtn";
    QTest::newRow("amount 0 refused") << "edtLoanAmt=0"
                                      << "" << 0 << QStringList{"Incorrect Amount"} << none << "edtLoanAmt";
    QTest::newRow("negative amount refused") << "edtLoanAmt=-5"
                                             << "" << 0 << QStringList{"Incorrect Amount"} << none << "edtLoanAmt";
    // 5 - 2 * (939 * 0.0833) * 0.5 = -73.2187 is held at 0.
    QTest::newRow("term 999 accepted, score below 0 shows 0") << "edtTerm=999"
                                                              << "0" << 0 << none << none << "CalcBtn";
    QTest::newRow("term 999.5 refused") << "edtTerm=999.5"
                                        << "" << 0 << QStringList{"Incorrect term"} << none << "edtTerm";
    QTest::newRow("term -1 refused") << "edtTerm=-1"
                                     << "" << 0 << QStringList{"Incorrect term"} << none << "edtTerm";
    QTest::newRow("term typed 0.0 is not refilled and refused")
        << "edtTerm=0.0"
        << "" << 0 << QStringList{"Incorrect term"} << none << "edtTerm";
    // 5 + 2 * (87 * 0.5) * 0.5 = 48.5.
    QTest::newRow("rate 99 accepted") << "edtRate=99"
                                      << "485" << 10 << none << none << "CalcBtn";
    QTest::newRow("rate 0 refused") << "edtRate=0"
                                    << "" << 0 << QStringList{"Interest rate cannot be equal or less than 0"} << none
                                    << "edtRate";
    QTest::newRow("rate 99.01 refused with the same message")
        << "edtRate=99.01"
        << "" << 0 << QStringList{"Interest rate cannot be equal or less than 0"} << none << "edtRate";
    // 5 + (2 * (0 - 1)) * 0.5 = 4.
    QTest::newRow("fees 0 accepted") << "edtFees=0"
                                     << "40" << 4 << none << none << "CalcBtn";
    // 5 + (2 * 98) * 0.5 = 103, held at 100.
    QTest::newRow("fees 99 accepted, clamped 100 out of range")
        << "edtFees=99"
        << "" << 0 << none << QStringList{"Numeric out of range."} << "CalcBtn";
    QTest::newRow("fees -0.01 refused") << "edtFees=-0.01"
                                        << "" << 0 << QStringList{"Incorrect fees"} << none << "edtFees";
    QTest::newRow("empty fees count as 0.00") << "edtFees="
                                              << "40" << 4 << none << none << "CalcBtn";
    // 5 + 2 * (399 * 0.01) * 0.5 = 8.99, stored 9.0.
    QTest::newRow("credit score 999 accepted") << "edtCreditScore=999"
                                               << "90" << 9 << none << none << "CalcBtn";
    QTest::newRow("credit score 1000 refused")
        << "edtCreditScore=1000"
        << "" << 0 << QStringList{"Incorrect Credit Score"} << none << "edtCreditScore";
    // 5 + 2 * (-200 * 0.01) * 0.5 = 3; with -50 the score is -1.5, held at 0.
    QTest::newRow("credit score 400 scores 3") << "edtCreditScore=400"
                                               << "30" << 3 << none << none << "CalcBtn";
    QTest::newRow("credit score -50 has no lower bound") << "edtCreditScore=-50"
                                                         << "0" << 0 << none << none << "CalcBtn";
    QTest::newRow("amount 0 and term -1 give two messages, focus in term")
        << "edtLoanAmt=0|edtTerm=-1"
        << "" << 0 << QStringList{"Incorrect Amount", "Incorrect term"} << none << "edtTerm";
    QTest::newRow("every check fails, focus in the credit score")
        << "edtLoanAmt=0|edtTerm=-1|edtRate=0|edtFees=100|edtCreditScore=1000"
        << "" << 0
        << QStringList{"Incorrect Amount", "Incorrect term", "Interest rate cannot be equal or less than 0",
                       "Incorrect fees", "Incorrect Credit Score"}
        << none << "edtCreditScore";
    QTest::newRow("empty DTI stops with the conversion error")
        << "edtDTI="
        << "" << 0 << none << QStringList{"'' is not a valid floating point value."} << "CalcBtn";
    QTest::newRow("amount text converts before any check")
        << "edtLoanAmt=1,000|edtTerm=-1"
        << "" << 0 << none << QStringList{"'1,000' is not a valid floating point value."} << "CalcBtn";
    // (2 * (1 - -1)) * 0.5 = 2, twice the first item's term.
    QTest::newRow("typed-over collateral counts as index -1") << "cbxQuality=Solid as a rock"
                                                              << "70" << 7 << none << none << "CalcBtn";
    QTest::newRow("typing an item's text picks that item") << "cbxQuality=Easy resale"
                                                           << "60" << 6 << none << none << "CalcBtn";
    QTest::newRow("typed text differing in case is no item") << "cbxQuality=easy resale"
                                                             << "70" << 7 << none << none << "CalcBtn";
    QTest::newRow("last items lower the score") << "cbxFeeling=#2|cbxHowbad=#2"
                                                << "30" << 3 << none << none << "CalcBtn";
    // 2 * (4900000 * 0.00001) * 0.5 = 49; the bar stays at its top.
    QTest::newRow("amount 4.9 million over shows 540") << "edtLoanAmt=5000000"
                                                       << "540" << 10 << none << none << "CalcBtn";
    // 5 + 9490000 * 0.00001 = 99.9 still fits RESULT; 99.95 does not.
    QTest::newRow("score 99.9 shows 999") << "edtLoanAmt=9590000"
                                          << "999" << 10 << none << none << "CalcBtn";
    QTest::newRow("score 99.95 out of range") << "edtLoanAmt=9595000"
                                              << "" << 0 << none << QStringList{"Numeric out of range."} << "CalcBtn";
}

void TestShouldI::calculation()
{
    QFETCH(QString, inputs);
    Outcome outcome;
    withWindow([&](QWidget *window) { outcome = calculate(window, inputs); });

    QTEST(outcome.score, "score");
    QTEST(outcome.bar, "bar");
    QTEST(m_messages.messages, "messages");
    QTEST(m_messages.errors, "errors");
    QTEST(outcome.focus, "focus");
}

void TestShouldI::refills_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refilled");

    QTest::newRow("empty amount from the shared amount") << "edtLoanAmt"
                                                         << ""
                                                         << "100000.00";
    QTest::newRow("empty rate from the shared rate") << "edtRate"
                                                     << ""
                                                     << "12.000";
    QTest::newRow("empty term from the shared term") << "edtTerm"
                                                     << ""
                                                     << "60";
    QTest::newRow("term 0 from the shared term") << "edtTerm"
                                                 << "0"
                                                 << "60";
    QTest::newRow("term 'infinite number' from the shared term") << "edtTerm"
                                                                 << "infinite number"
                                                                 << "60";
    QTest::newRow("term 0.0 kept") << "edtTerm"
                                   << "0.0"
                                   << "0.0";
    QTest::newRow("empty credit score becomes 600") << "edtCreditScore"
                                                    << ""
                                                    << "600";
    QTest::newRow("empty LTV becomes 70") << "edtLTV"
                                          << ""
                                          << "70";
    QTest::newRow("empty fees become 0.00") << "edtFees"
                                            << ""
                                            << "0.00";
    QTest::newRow("empty DTI stays empty") << "edtDTI"
                                           << ""
                                           << "";
}

void TestShouldI::refills()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, refilled);
    m_shared.LastTerm = QStringLiteral("60");
    QString text;
    withWindow([&](QWidget *window) {
        calculate(window, box + QLatin1Char('=') + typed);
        text = window->findChild<QLineEdit *>(box)->text();
    });
    QCOMPARE(text, refilled);
}

void TestShouldI::scoreOutOfRangeKeepsEditState()
{
    TableState state = TableState::Inactive;
    double result = -1;
    QString shown;
    withWindow([&](QWidget *window) {
        calculate(window, QString());
        calculate(window, QStringLiteral("edtLoanAmt=999999999999"));
        state = m_data->tblPref.state();
        result = m_data->tblPref.fieldByName("RESULT").asFloat();
        shown = window->findChild<QLabel *>(QStringLiteral("fcLabelScore"))->text();
    });
    QCOMPARE(m_messages.errors, QStringList{"Numeric out of range."});
    QCOMPARE(state, TableState::Edit);
    QCOMPARE(result, 5.0);
    QCOMPARE(shown, QStringLiteral("50"));
    const auto records = dbfreadRecords(QDir::current().filePath(QStringLiteral("ZIVORODI.DBF")));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].value("RESULT"), QStringLiteral("5.0"));
}

void TestShouldI::labelsKeepTheLastScore()
{
    QStringList shown;
    withWindow([&](QWidget *window) {
        shown << calculate(window, QStringLiteral("edtRate=12.5")).score;
        shown << calculate(window, QStringLiteral("edtRate=0")).score;
        shown << calculate(window, QStringLiteral("edtRate=12")).score;
    });
    QCOMPARE(shown, (QStringList{"53", "53", "50"}));
}

void TestShouldI::seedsOnFirstUse()
{
    QVERIFY(!QFile::exists(QStringLiteral("ZIVORODI.DBF")));
    bool busyCursorLeft = true;
    withWindow([&](QWidget *) { busyCursorLeft = QApplication::overrideCursor() != nullptr; });
    QCOMPARE(m_messages.all, QStringList());
    QVERIFY(!busyCursorLeft);

    const auto records = dbfreadRecords(QDir::current().filePath(QStringLiteral("ZIVORODI.DBF")));
    QCOMPARE(records.size(), 1);
    const QMap<QString, QString> expected{
        {"LAST_UPD", "'" + QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")) + "'"},
        {"AVG_AMT", "100000"},
        {"AVG_DTI", "30"},
        {"AVG_FEE", "1.0"},
        {"AVG_LTV", "70"},
        {"AVG_RATE", "12.0"},
        {"AVG_SCORE", "600"},
        {"AVG_TERM", "60"},
        {"WGT_AMT", "2"},
        {"WGT_COL", "2"},
        {"WGT_DTI", "2"},
        {"WGT_FEE", "2"},
        {"WGT_GUT", "2"},
        {"WGT_HB", "2"},
        {"WGT_LTV", "2"},
        {"WGT_RATE", "2"},
        {"WGT_SCORE", "2"},
        {"WGT_TERM", "2"},
        {"RESULT", "0.0"}};
    QCOMPARE(records[0], expected);
}

void TestShouldI::seedsFromTheSharedValues()
{
    m_shared.LastLoanAmt = QStringLiteral("250000.75");
    m_shared.LastRate = QStringLiteral("7.1235");
    m_shared.LastTerm = QStringLiteral("360.5");
    QString shown;
    withWindow([&](QWidget *window) { shown = calculate(window, QString()).score; });
    // The loan boxes hold the same shared values, so the loan is average.
    QCOMPARE(shown, QStringLiteral("50"));

    const auto records = dbfreadRecords(QDir::current().filePath(QStringLiteral("ZIVORODI.DBF")));
    QCOMPARE(records.size(), 1);
    // The amount rounded to whole units; 7.1235 is held in binary just
    // below the half, so it keeps 7.123; the term goes to the even 360.
    QCOMPARE(records[0].value("AVG_AMT"), QStringLiteral("250001"));
    QCOMPARE(records[0].value("AVG_RATE"), QStringLiteral("7.123"));
    QCOMPARE(records[0].value("AVG_TERM"), QStringLiteral("360"));
}

void TestShouldI::failedSeedingPostsNothing_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("error");

    QTest::newRow("shared amount no number") << "abc"
                                             << "'abc' is not a valid floating point value.";
    QTest::newRow("shared amount too wide for AVG_AMT") << "1e15"
                                                        << "Numeric out of range.";
}

void TestShouldI::failedSeedingPostsNothing()
{
    QFETCH(QString, amount);
    QFETCH(QString, error);
    m_shared.LastLoanAmt = amount;
    bool active = true;
    QString creditScore;
    withWindow([&](QWidget *window) {
        active = m_data->tblPref.active();
        creditScore = window->findChild<QLineEdit *>(QStringLiteral("edtCreditScore"))->text();
    });
    QCOMPARE(m_messages.errors, QStringList{error});
    QCOMPARE(m_messages.messages, QStringList());
    QVERIFY(!active);
    QCOMPARE(creditScore, QString());
    // The empty new file is gone, so the next opening seeds afresh.
    QVERIFY(!QFile::exists(QStringLiteral("ZIVORODI.DBF")));

    m_shared.LastLoanAmt = QStringLiteral("100000.00");
    m_messages.clear();
    withWindow([](QWidget *) {});
    QCOMPARE(m_messages.all, QStringList());
    const auto records = dbfreadRecords(QDir::current().filePath(QStringLiteral("ZIVORODI.DBF")));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].value("AVG_AMT"), QStringLiteral("100000"));
}

void TestShouldI::existingFileWithNoRecordScores50()
{
    TTable(QStringLiteral("ZIVORODI.DBF").toStdString()).createTable(kPrefFieldDefinitions);
    QStringList shown;
    withWindow([&](QWidget *window) {
        shown << calculate(window, QString()).score;
        shown << calculate(window, QStringLiteral("edtLoanAmt=900000|edtTerm=12|cbxQuality=#0")).score;
    });
    QCOMPARE(shown, (QStringList{"50", "50"}));
    QCOMPARE(m_messages.all, QStringList());

    const auto records = dbfreadRecords(QDir::current().filePath(QStringLiteral("ZIVORODI.DBF")));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].value("RESULT"), QStringLiteral("5.0"));
    QCOMPARE(records[0].value("AVG_AMT"), QStringLiteral("None"));
    QCOMPARE(records[0].value("WGT_AMT"), QStringLiteral("None"));
}

void TestShouldI::resultResetOnEveryOpening()
{
    withWindow([&](QWidget *window) { calculate(window, QStringLiteral("edtRate=12.5")); });
    QCOMPARE(dbfreadRecords(QDir::current().filePath(QStringLiteral("ZIVORODI.DBF"))).value(0).value("RESULT"),
             QStringLiteral("5.3"));

    int bar = -1;
    bool labelHidden = false;
    withWindow([&](QWidget *window) {
        bar = window->findChild<TDBTrackBar *>(QStringLiteral("fcTrackBarResults"))->value();
        labelHidden = window->findChild<QLabel *>(QStringLiteral("fcLabelScore"))->isHidden();
    });
    QCOMPARE(bar, 0);
    QVERIFY(labelHidden);
    QCOMPARE(dbfreadRecords(QDir::current().filePath(QStringLiteral("ZIVORODI.DBF"))).value(0).value("RESULT"),
             QStringLiteral("0.0"));
}

void TestShouldI::fileThatCannotBeOpened()
{
    QFile file(QStringLiteral("ZIVORODI.DBF"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a table");
    file.close();

    QString creditScore;
    int quality = -2;
    Outcome outcome;
    withWindow([&](QWidget *window) {
        creditScore = window->findChild<QLineEdit *>(QStringLiteral("edtCreditScore"))->text();
        quality = window->findChild<QComboBox *>(QStringLiteral("cbxQuality"))->currentIndex();
        outcome = calculate(window, QStringLiteral("edtDTI=30"));
    });
    QCOMPARE(m_messages.messages, QStringList{kCannotOpen});
    QCOMPARE(creditScore, QString());
    QCOMPARE(quality, 1);
    QCOMPARE(m_messages.errors, QStringList{"Field 'AVG_AMT' not found."});
    QCOMPARE(outcome.score, QString());
}

void TestShouldI::unwritableDirectory()
{
    // A link into a directory that does not exist: there is no file, and
    // none can be created, whatever rights the test runs with.
    QVERIFY(QFile::link(QStringLiteral("no-such-directory/ZIVORODI.DBF"), QStringLiteral("ZIVORODI.DBF")));
    withWindow([](QWidget *) {});
    QCOMPARE(m_messages.messages, (QStringList{kCannotCreate, kCannotOpen}));
    QCOMPARE(m_messages.errors, QStringList());
}

void TestShouldI::closeDropsPendingEdit()
{
    withWindow([&](QWidget *window) {
        calculate(window, QString());
        m_data->tblPref.edit();
        m_data->tblPref.fieldByName("RESULT").setAsFloat(7.5);
    });
    QVERIFY(!m_data->tblPref.active());
    QCOMPARE(dbfreadRecords(QDir::current().filePath(QStringLiteral("ZIVORODI.DBF"))).value(0).value("RESULT"),
             QStringLiteral("5.0"));
}

QTEST_MAIN(TestShouldI)
#include "should_i_test.moc"
