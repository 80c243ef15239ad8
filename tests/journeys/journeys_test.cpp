#include "amortization/amortbuiltin.h"
#include "amortization/reportpreview.h"
#include "app/capsulebutton.h"
#include "app/mainform.h"
#include "calculators/aprcalc.h"
#include "calculators/dbd.h"
#include "calculators/pmtcalc.h"
#include "scoring/pref.h"
#include "scoring/should_i.h"
#include "ui/calcbutton.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

namespace {

// Keys go where the keyboard would send them: to the widget with the focus.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void type(const QString &text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

template<typename W>
struct Visit
{
    QPointer<W> window;
    bool done = false;
};

// Checks every 10 ms, for about five seconds, whether the active modal window
// is a W; then runs inside on it once it has the keyboard.
template<typename W>
void whenOpen(std::shared_ptr<Visit<W>> visit, std::function<void(W &)> inside, int attemptsLeft)
{
    QTimer::singleShot(10, [visit, inside, attemptsLeft] {
        auto *window = qobject_cast<W *>(QApplication::activeModalWidget());
        if (!window) {
            if (attemptsLeft > 0)
                whenOpen(visit, inside, attemptsLeft - 1);
            return;
        }
        visit->window = window;
        // The window system may call it active before the application has
        // moved the keyboard focus into it.
        if (QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000))
            inside(*window);
        else
            QTest::qFail("the window never became active", __FILE__, __LINE__);
        // A journey that stopped early must not leave the modal loop running.
        if (visit->window && visit->window->isVisible()) {
            if (!QTest::currentTestFailed())
                QTest::qFail("the journey left its window open", __FILE__, __LINE__);
            visit->window->QDialog::done(QDialog::Rejected);
        }
        visit->done = true;
    });
}

// Does what opens a W, acts inside it while its modal loop runs, and returns
// once the window has closed and the keyboard is back where it was.
template<typename W>
void inWindow(const std::function<void()> &open, std::function<void(W &)> inside)
{
    QWidget *const before = QApplication::activeWindow();
    auto state = std::make_shared<Visit<W>>();
    whenOpen<W>(state, std::move(inside), 500);
    open();
    QTRY_VERIFY_WITH_TIMEOUT(state->done, 10000);
    QTRY_VERIFY(!state->window || !state->window->isVisible());
    // The offscreen platform has no window manager to hand the keyboard back
    // to the window below; do what one would.
    if (before && QApplication::activeWindow() != before)
        before->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), before);
}

std::function<void()> keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return [key, modifiers] { press(key, modifiers); };
}

template<typename T>
T *child(QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

// The table as Debian's dbfread reads it, independently of our DBF layer:
// its field names and live records. Empty when the reader fails.
std::optional<QJsonObject> readWithDbfread(const QString &fileName)
{
    QProcess python;
    // The system Python holds python3-dbfread; another python3 may come first on the path.
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(JOURNEY_SCRIPT_DIR "/read_table.py"), QDir::current().filePath(fileName)});
    if (!python.waitForFinished(30000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        qWarning().noquote() << "dbfread failed:" << python.readAllStandardError();
        return std::nullopt;
    }
    const QJsonDocument document = QJsonDocument::fromJson(python.readAllStandardOutput());
    if (!document.isObject())
        return std::nullopt;
    return document.object();
}

QJsonArray recordsOf(const std::optional<QJsonObject> &table)
{
    return table ? table->value(QStringLiteral("records")).toArray() : QJsonArray();
}

}  // namespace

class TestJourneys : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void paymentThenScheduleOfTheSameLoan();
    void scoreFollowsAChangedWeight();
    void tabReachesTheAprCalculator();
    void altDCountsTheDaysToMonthEnd();
    void eachToolOffersWhatTheLastOneLeft();

private:
    void showMenu();

    QString m_startDir = QDir::currentPath();
    std::unique_ptr<QTemporaryDir> m_workDir;
    RecordedMessages m_messages;
    std::unique_ptr<TMainForm> m_form;
};

void TestJourneys::init()
{
    // A fresh working directory for each journey: the table files live there.
    m_workDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_workDir->isValid());
    QVERIFY(QDir::setCurrent(m_workDir->path()));
    m_messages.clear();
    m_form = std::make_unique<TMainForm>(m_messages);
}

void TestJourneys::cleanup()
{
    m_form.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY(QDir::setCurrent(m_startDir));
    m_workDir.reset();
}

void TestJourneys::showMenu()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
}

void TestJourneys::paymentThenScheduleOfTheSameLoan()
{
    showMenu();

    inWindow<TfrmPmtCalc>(keys(Qt::Key_P, Qt::AltModifier), [&](TfrmPmtCalc &payment) {
        for (int tabs = 0; tabs < 6 && QApplication::focusWidget() != payment.edtLoanAmt; ++tabs)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), payment.edtLoanAmt);
        // Tabbing into a box selects its text, so typing replaces it.
        type("100000");
        press(Qt::Key_Tab);
        type("12");
        press(Qt::Key_Tab);
        type("60");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), payment.btnCalc);
        press(Qt::Key_Space);
        QCOMPARE(payment.edtMoPmt->text(), QString("2224.44"));
        QVERIFY(payment.edtMoPmt->font().bold());
        QVERIFY(!payment.edtLoanAmt->font().bold());
        press(Qt::Key_Escape);
    });
    QCOMPARE(m_messages.all, QStringList());
    QCOMPARE(m_form->sharedValues().LastLoanAmt, QString("100000"));
    QCOMPARE(m_form->sharedValues().LastPayment, QString("2224.44"));

    int previewPages = 0;
    inWindow<TfrmAmortBuiltIn>(keys(Qt::Key_A, Qt::AltModifier), [&](TfrmAmortBuiltIn &schedule) {
        QCOMPARE(schedule.edtLoanAmt->text(), QString("100000"));
        QCOMPARE(schedule.edtRate->text(), QString("12"));
        QCOMPARE(schedule.edtTerm->text(), QString("60"));
        QCOMPARE(schedule.edtPmt->text(), QString("2224.44"));
        QCOMPARE(schedule.edtMo2Prn->text(), QString("60"));
        QCOMPARE(QApplication::focusWidget(), schedule.edtLoanAmt);
        inWindow<ReportPreview>(keys(Qt::Key_Return), [&](ReportPreview &preview) {
            QCOMPARE(preview.windowTitle(), QString("Amortization Schedule Report"));
            previewPages = preview.preview()->pageCount();
            // The close key the tool tip names; it differs between platforms.
            QTest::keySequence(QApplication::focusWidget(), preview.actClose->shortcut());
        });
        // The schedule window is still there for another preview.
        QVERIFY(schedule.isVisible());
        press(Qt::Key_Escape);
    });
    QCOMPARE(m_messages.all, QStringList());
    QVERIFY(previewPages >= 1);

    const QDate today = QDate::currentDate();
    const std::optional<QJsonObject> table = readWithDbfread("TEMPAMORT.DBF");
    QVERIFY(table);
    QCOMPARE(table->value("fields").toArray(),
             QJsonArray({"C_FLD1", "D_FLD1", "N_FLD1", "N_FLD2", "N_FLD3", "N_FLD4", "N_FLD5"}));
    QCOMPARE(table->value("deleted").toInt(), 0);
    const QJsonArray rows = recordsOf(table);
    QCOMPARE(rows.size(), 60);
    const QJsonObject first = rows.first().toObject();
    QCOMPARE(first.value("C_FLD1").toString(), QString::number(today.year()));
    QCOMPARE(first.value("D_FLD1").toString(), today.toString(Qt::ISODate));
    QCOMPARE(first.value("N_FLD1").toDouble(), 1.0);
    QCOMPARE(first.value("N_FLD2").toDouble(), 2224.44);
    QCOMPARE(first.value("N_FLD3").toDouble(), 1000.00);
    QCOMPARE(first.value("N_FLD4").toDouble(), 1224.44);
    QCOMPARE(first.value("N_FLD5").toDouble(), 98775.56);
    const QJsonObject last = rows.last().toObject();
    QCOMPARE(last.value("N_FLD1").toDouble(), 60.0);
    QCOMPARE(last.value("N_FLD3").toDouble(), 22.03);
    QCOMPARE(last.value("N_FLD5").toDouble(), 0.43);
    qint64 interestCents = 0;
    for (const QJsonValue &row : rows)
        interestCents += qRound64(row.toObject().value("N_FLD3").toDouble() * 100);
    QCOMPARE(interestCents, qint64(3346683));
}

void TestJourneys::scoreFollowsAChangedWeight()
{
    showMenu();

    inWindow<TfrmShould_I>(keys(Qt::Key_S, Qt::AltModifier), [&](TfrmShould_I &scoring) {
        QLabel *score = child<QLabel>(scoring, "fcLabelScore");
        QVERIFY(score);
        QCOMPARE(focusName(), QString("edtLoanAmt"));
        // A new preference file and the untouched boxes: an average loan.
        press(Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(score->isVisible());
        QCOMPARE(score->text(), QString("50"));

        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QString("edtRate"));
        type("12.5");
        press(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(score->text(), QString("53"));

        inWindow<TfrmPref>(keys(Qt::Key_P, Qt::AltModifier), [&](TfrmPref &preferences) {
            QCOMPARE(focusName(), QString("DBEditAMT"));
            press(Qt::Key_Tab);
            press(Qt::Key_Tab);
            press(Qt::Key_Tab);
            QCOMPARE(focusName(), QString("tbRate"));
            auto *rateWeight = child<QSlider>(preferences, "tbRate");
            QCOMPARE(rateWeight->value(), 2);
            press(Qt::Key_Right);
            press(Qt::Key_Right);
            QCOMPARE(rateWeight->value(), 4);
            press(Qt::Key_Escape);
        });
        // Weight 4 on half a point of rate above the average:
        // 4 * ((12.5 - 12) * 0.5) * 0.5 = 0.5, so 5.5, shown 55.
        press(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(score->text(), QString("55"));
        press(Qt::Key_Escape);
    });
    QCOMPARE(m_messages.all, QStringList());

    const std::optional<QJsonObject> table = readWithDbfread("ZIVORODI.DBF");
    QVERIFY(table);
    const QJsonArray records = recordsOf(table);
    QCOMPARE(records.size(), 1);
    const QJsonObject record = records.first().toObject();
    QCOMPARE(record.value("WGT_RATE").toDouble(), 4.0);
    for (const char *name :
         {"WGT_AMT", "WGT_COL", "WGT_DTI", "WGT_FEE", "WGT_GUT", "WGT_HB", "WGT_LTV", "WGT_SCORE", "WGT_TERM"})
        QCOMPARE(record.value(name).toDouble(), 2.0);
    QCOMPARE(record.value("RESULT").toDouble(), 5.5);
    QCOMPARE(record.value("AVG_AMT").toDouble(), 100000.0);
    QCOMPARE(record.value("AVG_RATE").toDouble(), 12.0);
    QCOMPARE(record.value("AVG_TERM").toDouble(), 60.0);
    QCOMPARE(record.value("LAST_UPD").toString(), QDate::currentDate().toString("MM/dd/yyyy"));
}

void TestJourneys::tabReachesTheAprCalculator()
{
    showMenu();
    QCOMPARE(QApplication::focusWidget(), m_form->fcButtonGroupHousCalc);
    // Payment, Amortization, Days, Should, then APR, the one without a letter.
    const QList<QWidget *> order = {m_form->fcButtonGroupAmortSche, m_form->fcButtonGroupdbd,
                                    m_form->fcButtonGroupShould_I, m_form->fcButtonGroupAprCalc};
    for (QWidget *next : order) {
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }

    inWindow<TfrmAPRCalc>(keys(Qt::Key_Space), [&](TfrmAPRCalc &apr) {
        QCOMPARE(apr.edtLoanAmt->text(), QString("100000.00"));
        QCOMPARE(apr.edtIntRate->text(), QString("12.000"));
        QCOMPARE(apr.edtTerm->text(), QString("60"));
        for (int tabs = 0; tabs < 8 && QApplication::focusWidget() != apr.btnCalc; ++tabs)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), apr.btnCalc);
        press(Qt::Key_Space);
        QCOMPARE(apr.edtMoPmt->text(), QString("2224.44"));
        QCOMPARE(apr.lblAdjPV->text(), QString("$99,000.00"));
        QCOMPARE(apr.lblFinCharge->text(), QString("$34,466.69"));
        QCOMPARE(apr.lblAPR->text(), QString("12.443%"));
        press(Qt::Key_Escape);
    });
    QCOMPARE(m_messages.all, QStringList());
    // The calculator handed its computed payment on.
    QCOMPARE(m_form->sharedValues().LastPayment, QString("2224.44"));
    QCOMPARE(QApplication::focusWidget(), m_form->fcButtonGroupAprCalc);
}

void TestJourneys::altDCountsTheDaysToMonthEnd()
{
    showMenu();
    const QDate today = QDate::currentDate();
    const QDate monthEnd(today.year(), today.month(), today.daysInMonth());
    // Within one month both calendars count the same days.
    const QString expected = QStringLiteral("%1 days").arg(today.daysTo(monthEnd));

    inWindow<TfrmDBD>(keys(Qt::Key_D, Qt::AltModifier), [&](TfrmDBD &days) {
        QCOMPARE(days.dStart->date(), today);
        QCOMPARE(days.dEnd->date(), monthEnd);
        QCOMPARE(days.lbl360->text(), QString());
        press(Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(days.lbl360->text(), expected);
        QCOMPARE(days.lbl365->text(), expected);
        press(Qt::Key_Escape);
    });
    QCOMPARE(m_messages.all, QStringList());
}

void TestJourneys::eachToolOffersWhatTheLastOneLeft()
{
    showMenu();

    inWindow<TfrmPmtCalc>(keys(Qt::Key_P, Qt::AltModifier), [&](TfrmPmtCalc &payment) {
        for (int tabs = 0; tabs < 6 && QApplication::focusWidget() != payment.edtLoanAmt; ++tabs)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), payment.edtLoanAmt);
        type("75000");
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        type("59.5");
        press(Qt::Key_Escape);
    });

    inWindow<TfrmAmortBuiltIn>(keys(Qt::Key_A, Qt::AltModifier), [&](TfrmAmortBuiltIn &schedule) {
        QCOMPARE(schedule.edtLoanAmt->text(), QString("75000"));
        // The term comes on as whole months, ties to even.
        QCOMPARE(schedule.edtTerm->text(), QString("60"));
        press(Qt::Key_Tab);
        type("9.5");
        press(Qt::Key_Escape);
    });

    inWindow<TfrmShould_I>(keys(Qt::Key_S, Qt::AltModifier), [&](TfrmShould_I &scoring) {
        QCOMPARE(child<QLineEdit>(scoring, "edtLoanAmt")->text(), QString("75000"));
        QCOMPARE(child<QLineEdit>(scoring, "edtRate")->text(), QString("9.5"));
        QCOMPARE(child<QLineEdit>(scoring, "edtTerm")->text(), QString("60"));
        press(Qt::Key_A, Qt::ControlModifier);
        type("80000");
        press(Qt::Key_Escape);
    });

    // The scoring tool hands nothing back: the payment calculator sees the
    // schedule window's values.
    inWindow<TfrmPmtCalc>(keys(Qt::Key_P, Qt::AltModifier), [&](TfrmPmtCalc &payment) {
        QCOMPARE(payment.edtLoanAmt->text(), QString("75000"));
        QCOMPARE(payment.edtIntRate->text(), QString("9.5"));
        QCOMPARE(payment.edtTerm->text(), QString("60"));
        press(Qt::Key_Escape);
    });
    QCOMPARE(m_messages.all, QStringList());
}

QTEST_MAIN(TestJourneys)
#include "journeys_test.moc"
