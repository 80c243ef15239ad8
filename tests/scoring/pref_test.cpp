#include "scoringtestsupport.h"

#include "datastore/table.h"
#include "scoring/pref.h"
#include "scoring/should_i.h"
#include "ui/dbcontrols.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/sharedvalues.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <memory>

namespace {

const QString kCouldNotPost = QStringLiteral("Could not post defaults");
const QString kPrefFile = QStringLiteral("ZIVORODI.DBF");

const QStringList kBars{"tbAMT", "tbRate", "tbCOL", "tbTerm", "tbSCORE", "tbLTV", "tbDTI", "tbFee", "tbGUT", "tbHB"};
const QStringList kBoxes{"DBEditAMT", "DBEditRATE", "DBEditTERM", "SCORE", "LTV", "DTI", "DBEditFEE"};

QStringList texts(QWidget *window, const QStringList &names)
{
    QStringList result;
    for (const QString &name : names)
        result << window->findChild<QLineEdit *>(name)->text();
    return result;
}

QList<int> positions(QWidget *window)
{
    QList<int> result;
    for (const QString &name : kBars)
        result << window->findChild<QSlider *>(name)->value();
    return result;
}

QSlider *bar(QWidget *window, const QString &name)
{
    return window->findChild<QSlider *>(name);
}

QLineEdit *box(QWidget *window, const QString &name)
{
    return window->findChild<QLineEdit *>(name);
}

QString focusName(QWidget *window)
{
    return window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

}  // namespace

class TestPref : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newFileShowsTheSeededRecord();
    void tabOrder();
    void everyWayOfClosingSaves_data();
    void everyWayOfClosingSaves();
    void unchangedCloseStillPostsTheSameBytes();
    void averages_data();
    void averages();
    void pendingTextTakenByThePost();
    void refusedText_data();
    void refusedText();
    void keyFilter_data();
    void keyFilter();
    void weightZeroRemovesItsFactor();
    void tableNotOpen();

private:
    // Opens the scoring window, then the preference window from its button,
    // and runs body on the preference window; scoring is run after it.
    void withPrefs(
        const std::function<void(QWidget *)> &body, const std::function<void(QWidget *)> &scoring = [](QWidget *) {});

    std::unique_ptr<TemporaryWorkDir> m_dir;
    std::unique_ptr<TData> m_data;
    SharedLoanValues m_shared;
    RecordedMessages m_messages;
};

void TestPref::init()
{
    m_dir = std::make_unique<TemporaryWorkDir>();
    m_data = std::make_unique<TData>();
    m_messages.clear();
}

void TestPref::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    m_data.reset();
    m_dir.reset();
}

void TestPref::withPrefs(const std::function<void(QWidget *)> &body, const std::function<void(QWidget *)> &scoring)
{
    whenModal([&](QWidget *window) {
        whenModal(body);
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("BitBtnPrefs")), Qt::LeftButton);
        scoring(window);
    });
    openModal<TfrmShould_I>(nullptr, m_shared, m_messages, *m_data);
}

void TestPref::newFileShowsTheSeededRecord()
{
    QStringList shown;
    QList<int> bars;
    QString focus;
    QString caption;
    withPrefs([&](QWidget *window) {
        shown = texts(window, kBoxes);
        bars = positions(window);
        focus = focusName(window);
        caption = window->windowTitle();
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    QCOMPARE(caption, QStringLiteral("Preference Settings"));
    QCOMPARE(shown, (QStringList{"100000", "12.000", "60", "600", "70", "30", "1.000"}));
    QCOMPARE(bars, QList<int>(10, 2));
    QCOMPARE(focus, QStringLiteral("DBEditAMT"));
    QCOMPARE(m_messages.all, QStringList());
}

void TestPref::tabOrder()
{
    QStringList visited;
    withPrefs([&](QWidget *window) {
        visited << focusName(window);
        for (int i = 0; i < 18; ++i) {
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
            visited << focusName(window);
        }
    });
    QCOMPARE(visited, (QStringList{"DBEditAMT", "tbAMT", "DBEditRATE", "tbRate", "tbCOL", "DBEditTERM", "tbTerm",
                                   "SCORE", "tbSCORE", "LTV", "tbLTV", "DTI", "tbDTI", "DBEditFEE", "tbFee", "tbGUT",
                                   "tbHB", "Button1", "DBEditAMT"}));
}

void TestPref::everyWayOfClosingSaves_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Continue clicked") << "continue";
    QTest::newRow("Escape in an average box") << "escape box";
    QTest::newRow("Escape on a weight bar") << "escape bar";
    QTest::newRow("close box") << "close";
}

void TestPref::everyWayOfClosingSaves()
{
    QFETCH(QString, way);
    withPrefs([&](QWidget *window) {
        QTest::keyClick(bar(window, "tbAMT"), Qt::Key_End);
        QTest::keyClick(bar(window, "tbHB"), Qt::Key_Home);
        typeInto(box(window, "SCORE"), QStringLiteral("650"));
        QTest::keyClick(box(window, "SCORE"), Qt::Key_Tab);
        if (way == QLatin1String("continue"))
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        else if (way == QLatin1String("escape box"))
            QTest::keyClick(box(window, "DTI"), Qt::Key_Escape);
        else if (way == QLatin1String("escape bar"))
            QTest::keyClick(bar(window, "tbGUT"), Qt::Key_Escape);
        else
            window->close();
    });
    QCOMPARE(m_messages.all, QStringList());
    const auto records = dbfreadRecords(QDir::current().filePath(kPrefFile));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].value("WGT_AMT"), QStringLiteral("4"));
    QCOMPARE(records[0].value("WGT_HB"), QStringLiteral("0"));
    QCOMPARE(records[0].value("WGT_COL"), QStringLiteral("2"));
    QCOMPARE(records[0].value("AVG_SCORE"), QStringLiteral("650"));
}

void TestPref::unchangedCloseStillPostsTheSameBytes()
{
    const QString path = QDir::current().filePath(kPrefFile);
    const QDateTime longAgo(QDate(2001, 2, 3), QTime(4, 5, 6));
    QByteArray before;
    bool aged = false;
    // Take the bytes as the scoring window leaves them and age the file;
    // a post then shows as a new modification time.
    whenModal([&](QWidget *window) {
        QFile file(path);
        if (file.open(QIODevice::ReadWrite)) {
            before = file.readAll();
            aged = file.setFileTime(longAgo, QFileDevice::FileModificationTime);
        }
        whenModal([](QWidget *prefs) { QTest::keyClick(prefs->focusWidget(), Qt::Key_Escape); });
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("BitBtnPrefs")), Qt::LeftButton);
    });
    openModal<TfrmShould_I>(nullptr, m_shared, m_messages, *m_data);

    QVERIFY(aged);
    QCOMPARE(m_messages.all, QStringList());
    QVERIFY(QFileInfo(path).lastModified() != longAgo);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    QCOMPARE(after.size(), before.size());
    // Bytes 1 to 3 are the header's date of last change.
    QCOMPARE(after.left(1), before.left(1));
    QCOMPARE(after.mid(4), before.mid(4));
}

void TestPref::averages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored");

    QTest::newRow("fee 1.2345 stored 1.23 shown 1.230") << "DBEditFEE"
                                                        << "1.2345"
                                                        << "1.230"
                                                        << "AVG_FEE"
                                                        << "1.23";
    QTest::newRow("rate 12.3456 stored 12.346") << "DBEditRATE"
                                                << "12.3456"
                                                << "12.346"
                                                << "AVG_RATE"
                                                << "12.346";
    QTest::newRow("rate in exponent form") << "DBEditRATE"
                                           << "1.25e1"
                                           << "12.500"
                                           << "AVG_RATE"
                                           << "12.5";
    QTest::newRow("amount 250.5 stored 251") << "DBEditAMT"
                                             << "250.5"
                                             << "251"
                                             << "AVG_AMT"
                                             << "251";
    QTest::newRow("term 72 shown by its pattern") << "DBEditTERM"
                                                  << "72"
                                                  << "72"
                                                  << "AVG_TERM"
                                                  << "72";
    QTest::newRow("credit score 700") << "SCORE"
                                      << "700"
                                      << "700"
                                      << "AVG_SCORE"
                                      << "700";
    QTest::newRow("LTV with a plus sign") << "LTV"
                                          << "+80"
                                          << "80"
                                          << "AVG_LTV"
                                          << "80";
    QTest::newRow("emptied DTI leaves the field blank") << "DTI"
                                                        << ""
                                                        << ""
                                                        << "AVG_DTI"
                                                        << "None";
}

void TestPref::averages()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QString shown;
    QString focus;
    withPrefs([&](QWidget *window) {
        typeInto(box(window, name), typed);
        QTest::keyClick(box(window, name), Qt::Key_Tab);
        shown = box(window, name)->text();
        focus = focusName(window);
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    QCOMPARE(m_messages.all, QStringList());
    QTEST(shown, "shown");
    QVERIFY(focus != name);
    const auto records = dbfreadRecords(QDir::current().filePath(kPrefFile));
    QCOMPARE(records.size(), 1);
    QTEST(records[0].value(field), "stored");
}

void TestPref::pendingTextTakenByThePost()
{
    withPrefs([&](QWidget *window) {
        typeInto(box(window, "DBEditAMT"), QStringLiteral("250.5"));
        QTest::keyClick(box(window, "DBEditAMT"), Qt::Key_Escape);
    });
    QCOMPARE(m_messages.all, QStringList());
    QCOMPARE(dbfreadRecords(QDir::current().filePath(kPrefFile)).value(0).value("AVG_AMT"), QStringLiteral("251"));
}

void TestPref::refusedText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("kept");

    QTest::newRow("credit score average 1000 refused") << "SCORE"
                                                       << "1000"
                                                       << "Numeric out of range."
                                                       << "AVG_SCORE"
                                                       << "600";
    QTest::newRow("amount 1e14 wider than its 14 places") << "DBEditAMT"
                                                          << "1e14"
                                                          << "Numeric out of range."
                                                          << "AVG_AMT"
                                                          << "100000";
    // The message ends in a quote, which sorts before the full stop.
    QTest::newRow("rate without exponent digits") << "DBEditRATE"
                                                  << "1e"
                                                  << "'1e' is not a valid floating point value for field 'AVG_RATE'"
                                                  << "AVG_RATE"
                                                  << "12.0";
    QTest::newRow("term with a sign inside") << "DBEditTERM"
                                             << "6-0"
                                             << "'6-0' is not a valid integer value for field 'AVG_TERM'"
                                             << "AVG_TERM"
                                             << "60";
}

void TestPref::refusedText()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, error);
    QFETCH(QString, field);
    QString focus;
    QString selected;
    QStringList errorsOnLeaving;
    TableState state = TableState::Inactive;
    int heldWeight = -1;
    withPrefs(
        [&](QWidget *window) {
            QTest::keyClick(bar(window, "tbAMT"), Qt::Key_Home);
            typeInto(box(window, name), typed);
            QTest::keyClick(box(window, name), Qt::Key_Tab);
            errorsOnLeaving = m_messages.errors;
            focus = focusName(window);
            selected = box(window, name)->selectedText();
            QTest::keyClick(box(window, name), Qt::Key_Escape);
        },
        [&](QWidget *) {
            state = m_data->tblPref.state();
            heldWeight = m_data->tblPref.fieldByName("WGT_AMT").asInteger();
        });
    QCOMPARE(errorsOnLeaving, QStringList{error});
    QCOMPARE(focus, name);
    QCOMPARE(selected, typed);
    QCOMPARE(m_messages.messages, QStringList{kCouldNotPost});
    // The new weights wait in the unposted record, which closing the
    // scoring window drops.
    QCOMPARE(state, TableState::Edit);
    QCOMPARE(heldWeight, 0);
    const auto records = dbfreadRecords(QDir::current().filePath(kPrefFile));
    QCOMPARE(records.size(), 1);
    QTEST(records[0].value(field), "kept");
    QCOMPARE(records[0].value("WGT_AMT"), QStringLiteral("2"));
}

void TestPref::keyFilter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");

    QTest::newRow("rate drops letters but e") << "DBEditRATE"
                                              << "1a2,b.5e1"
                                              << "12.5e1";
    QTest::newRow("amount keeps sign and exponent") << "DBEditAMT"
                                                    << "-1E5$"
                                                    << "-1E5";
    QTest::newRow("fee drops percent sign") << "DBEditFEE"
                                            << "1.5%"
                                            << "1.5";
    QTest::newRow("credit score drops the decimal point") << "SCORE"
                                                          << "6.5"
                                                          << "65";
    QTest::newRow("term drops exponent letters") << "DBEditTERM"
                                                 << "6e0"
                                                 << "60";
    QTest::newRow("DTI keeps a sign") << "DTI"
                                      << "+3x5"
                                      << "+35";
}

void TestPref::keyFilter()
{
    QFETCH(QString, name);
    QFETCH(QString, keys);
    QString text;
    withPrefs([&](QWidget *window) {
        typeInto(box(window, name), keys);
        text = box(window, name)->text();
        // Leave the box empty so the post clears the field without a fault.
        typeInto(box(window, name), QString());
    });
    QTEST(text, "text");
}

void TestPref::weightZeroRemovesItsFactor()
{
    QString shown;
    withPrefs([&](QWidget *window) { QTest::keyClick(bar(window, "tbTerm"), Qt::Key_Home); },
              [&](QWidget *window) {
                  typeInto(window->findChild<QLineEdit *>(QStringLiteral("edtTerm")), QStringLiteral("72"));
                  QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("CalcBtn")), Qt::LeftButton);
                  shown = window->findChild<QLabel *>(QStringLiteral("fcLabelScore"))->text();
              });
    QCOMPARE(m_messages.all, QStringList());
    // With the term weighted 2 the same loan shows 40.
    QCOMPARE(shown, QStringLiteral("50"));
    QCOMPARE(dbfreadRecords(QDir::current().filePath(kPrefFile)).value(0).value("WGT_TERM"), QStringLiteral("0"));
}

void TestPref::tableNotOpen()
{
    QFile file(kPrefFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a table");
    file.close();

    QStringList shown;
    QList<int> bars;
    withPrefs([&](QWidget *window) {
        shown = texts(window, kBoxes);
        bars = positions(window);
        QTest::keyClicks(box(window, "DBEditAMT"), QStringLiteral("5"));
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    QCOMPARE(shown, QStringList(7, QString()));
    QCOMPARE(bars, QList<int>(10, 2));
    QCOMPARE(m_messages.messages,
             (QStringList{"Cannot Open ZIVORODI.DBF. Make sure no one else us using the program.", kCouldNotPost}));
    QCOMPARE(m_messages.errors, QStringList());
}

QTEST_MAIN(TestPref)
#include "pref_test.moc"
