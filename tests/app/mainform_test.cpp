#include "app/capsulebutton.h"
#include "app/clickablelabel.h"
#include "app/mainform.h"
#include "app/programinfo.h"

#include "calculators/aprcalc.h"
#include "calculators/pmtcalc.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(std::function<void(TMainForm &)>)

namespace {

using Action = std::function<void(TMainForm &)>;

// Captures the modal window an action opens, then closes it; returns its
// class name and caption.
struct OpenedWindow
{
    QString className;
    QString caption;
};

void openedBy(TMainForm &form, const Action &action, OpenedWindow &opened,
              const std::function<void(QWidget &)> &inside = {})
{
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget *window = QApplication::activeModalWidget();
        if (!window || !opened.caption.isEmpty())
            return;
        opened = {window->metaObject()->className(), window->windowTitle()};
        if (inside)
            inside(*window);
        window->close();
    });
    closer.start();
    action(form);
    QTRY_VERIFY_WITH_TIMEOUT(!opened.caption.isEmpty() && !QApplication::activeModalWidget(), 5000);
}

}  // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
public slots:
    void acceptUrl(const QUrl &url) { m_opened = url; }

private slots:
    void initTestCase();
    void cleanup();
    void startsWithTheDefaults();
    void menuLooksAsDesigned();
    void tabVisitsTheButtonsInTabOrder();
    void onlyTheButtonsTakeTheFocus();
    void buttonsOpenTheirWindows_data();
    void buttonsOpenTheirWindows();
    void loanAmountIsOfferedByTheNextTool();
    void informationWindowShowsItsTexts();
    void webPageThatCannotOpenIsReported();
    void webPageThatOpensSaysNothing();
    void informationLinkOpensTheSamePage();

private:
    QTemporaryDir m_workDir;
    QUrl m_opened;
};

void TestMainForm::initTestCase()
{
    // The scoring and schedule windows keep their table files here.
    QVERIFY(m_workDir.isValid());
    QVERIFY(QDir::setCurrent(m_workDir.path()));
}

void TestMainForm::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestMainForm::startsWithTheDefaults()
{
    RecordedMessages messages;
    TMainForm form(messages);
    const SharedLoanValues &shared = form.sharedValues();
    QCOMPARE(shared.LastLoanAmt, QString("100000.00"));
    QCOMPARE(shared.LastRate, QString("12.000"));
    QCOMPARE(shared.LastTerm, QString("60"));
    QCOMPARE(shared.LastPayment, QString("0.00"));
    QCOMPARE(shared.LastBalloon, QString("0.00"));
    QCOMPARE(messages.all, QStringList());
}

void TestMainForm::menuLooksAsDesigned()
{
    RecordedMessages messages;
    TMainForm form(messages);
    QCOMPARE(form.windowTitle(), QString("Quillmont Loan Calculator"));
    QCOMPARE(form.size(), QSize(293, 362));
    QCOMPARE(form.fcButtonGroupHousCalc->text(), QString("&Payment Calculator"));
    QCOMPARE(form.fcButtonGroupAmortSche->text(), QString("&Amortization Schedule"));
    QCOMPARE(form.fcButtonGroupAprCalc->text(), QString("APR Calculator"));
    QCOMPARE(form.fcButtonGroupShould_I->text(), QString("&Should we make this loan?"));
    QCOMPARE(form.fcButtonGroupdbd->text(), QString("&Days Between Dates"));
    QCOMPARE(form.fcButtonGroupHousCalc->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(form.fcButtonGroupAprCalc->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(form.fcButtonGroupdbd->size(), QSize(257, 45));
    QCOMPARE(form.BitBtnAdvert->toolTip(), QString("Program Information"));
    QCOMPARE(form.BitBtnAdvert->cursor().shape(), Qt::WhatsThisCursor);
    QCOMPARE(form.lbLink->cursor().shape(), Qt::PointingHandCursor);
}

void TestMainForm::tabVisitsTheButtonsInTabOrder()
{
    RecordedMessages messages;
    TMainForm form(messages);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.fcButtonGroupHousCalc->setFocus();
    const QList<QWidget *> expected = {form.fcButtonGroupAmortSche, form.fcButtonGroupdbd, form.fcButtonGroupShould_I,
                                       form.fcButtonGroupAprCalc, form.fcButtonGroupHousCalc};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void TestMainForm::onlyTheButtonsTakeTheFocus()
{
    RecordedMessages messages;
    TMainForm form(messages);
    QCOMPARE(form.lbLink->focusPolicy(), Qt::NoFocus);
    QCOMPARE(form.BitBtnAdvert->focusPolicy(), Qt::NoFocus);
    QCOMPARE(form.fcButtonGroup1->focusPolicy(), Qt::NoFocus);
    for (CapsuleButton *button : {form.fcButtonGroupHousCalc, form.fcButtonGroupAmortSche, form.fcButtonGroupAprCalc,
                                  form.fcButtonGroupShould_I, form.fcButtonGroupdbd})
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
}

void TestMainForm::buttonsOpenTheirWindows_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");

    auto click = [](CapsuleButton *TMainForm::*button) {
        return Action([button](TMainForm &form) { QTest::mouseClick(form.*button, Qt::LeftButton); });
    };
    auto alt = [](Qt::Key key) {
        return Action([key](TMainForm &form) { QTest::keyClick(&form, key, Qt::AltModifier); });
    };
    QTest::newRow("payment button") << click(&TMainForm::fcButtonGroupHousCalc) << "TfrmPmtCalc"
                                    << "Payment Calculator";
    QTest::newRow("amortization button") << click(&TMainForm::fcButtonGroupAmortSche) << "TfrmAmortBuiltIn"
                                         << "Amortization Schedule";
    QTest::newRow("APR button") << click(&TMainForm::fcButtonGroupAprCalc) << "TfrmAPRCalc"
                                << "APR Calculator";
    QTest::newRow("should button") << click(&TMainForm::fcButtonGroupShould_I) << "TfrmShould_I"
                                   << "This loan vs. my preferences";
    QTest::newRow("days button") << click(&TMainForm::fcButtonGroupdbd) << "TfrmDBD"
                                 << "Days Between Dates Calculation";
    QTest::newRow("Alt+P") << alt(Qt::Key_P) << "TfrmPmtCalc"
                           << "Payment Calculator";
    QTest::newRow("Alt+A") << alt(Qt::Key_A) << "TfrmAmortBuiltIn"
                           << "Amortization Schedule";
    QTest::newRow("Alt+S") << alt(Qt::Key_S) << "TfrmShould_I"
                           << "This loan vs. my preferences";
    QTest::newRow("Alt+D") << alt(Qt::Key_D) << "TfrmDBD"
                           << "Days Between Dates Calculation";
    QTest::newRow("information picture") << Action([](TMainForm &form) {
        QTest::mouseClick(form.BitBtnAdvert, Qt::LeftButton);
    }) << "TfrmProgramInfo"
                                         << "Loan Servicing Software";
}

void TestMainForm::buttonsOpenTheirWindows()
{
    QFETCH(Action, action);
    QFETCH(QString, className);
    QFETCH(QString, caption);

    RecordedMessages messages;
    auto form = std::make_unique<TMainForm>(messages);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    OpenedWindow opened;
    openedBy(*form, action, opened);
    QCOMPARE(opened.className, className);
    QCOMPARE(opened.caption, caption);
    // Only the main window is left once the tool is released.
    QTRY_COMPARE(QApplication::topLevelWidgets(), QWidgetList{form.get()});
}

void TestMainForm::loanAmountIsOfferedByTheNextTool()
{
    RecordedMessages messages;
    TMainForm form(messages);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    OpenedWindow payment;
    openedBy(
        form, [](TMainForm &menu) { QTest::keyClick(&menu, Qt::Key_P, Qt::AltModifier); }, payment,
        [](QWidget &window) { qobject_cast<TfrmPmtCalc *>(&window)->edtLoanAmt->setText("75000"); });
    QCOMPARE(form.sharedValues().LastLoanAmt, QString("75000"));
    OpenedWindow apr;
    QString offered;
    openedBy(
        form, [](TMainForm &menu) { QTest::mouseClick(menu.fcButtonGroupAprCalc, Qt::LeftButton); }, apr,
        [&](QWidget &window) { offered = qobject_cast<TfrmAPRCalc *>(&window)->edtLoanAmt->text(); });
    QCOMPARE(offered, QString("75000"));
}

void TestMainForm::informationWindowShowsItsTexts()
{
    RecordedMessages messages;
    TfrmProgramInfo info(messages);
    QCOMPARE(info.size(), QSize(596, 440));
    QCOMPARE(info.MemoHeader->toPlainText().split('\n').size(), 3);
    QCOMPARE(info.MemoHeader->toPlainText().split('\n').last(), QString("Version 2.3"));
    QCOMPARE(info.MemoBody->document()->blockCount(), 17);
    QVERIFY(!info.MemoBody->isReadOnly());
    QCOMPARE(info.lbLink->toolTip(), QString("Click here"));
    QVERIFY(info.lbLink->font().underline());
    QCOMPARE(info.lbLink->font().pointSize(), 12);
}

void TestMainForm::webPageThatCannotOpenIsReported()
{
    // The offscreen platform has no browser to hand the page to.
    RecordedMessages messages;
    TMainForm form(messages);
    form.show();
    QTest::mouseClick(form.lbLink, Qt::LeftButton);
    QCOMPARE(messages.all, QStringList{"Error Opening Web Site "});
}

void TestMainForm::webPageThatOpensSaysNothing()
{
    QDesktopServices::setUrlHandler("https", this, "acceptUrl");
    RecordedMessages messages;
    TMainForm form(messages);
    form.show();
    QTest::mouseClick(form.lbLink, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(messages.all, QStringList());
    QCOMPARE(m_opened.host(), QString("www.example.com"));
}

void TestMainForm::informationLinkOpensTheSamePage()
{
    RecordedMessages messages;
    TMainForm form(messages);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    OpenedWindow info;
    openedBy(
        form, [](TMainForm &menu) { QTest::mouseClick(menu.BitBtnAdvert, Qt::LeftButton); }, info,
        [](QWidget &window) {
            QTest::mouseClick(qobject_cast<TfrmProgramInfo *>(&window)->lbLink, Qt::LeftButton, {}, QPoint(298, 10));
        });
    QCOMPARE(messages.all, QStringList{"Error Opening Web Site "});
}

QTEST_MAIN(TestMainForm)
#include "mainform_test.moc"
