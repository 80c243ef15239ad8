#include "amortization/amortbuiltin.h"
#include "amortization/reportpreview.h"
#include "modalwait.h"

#include "datastore/table.h"
#include "ui/messages.h"
#include "ui/sharedvalues.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

class TestAmortBuiltIn : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithSharedValues();
    void rowsLabelsAndHints_data();
    void rowsLabelsAndHints();
    void tabOrder();
    void previewShowsDefaultSchedule();
    void enterPressesPreview_data();
    void enterPressesPreview();
    void rejectedEntries_data();
    void rejectedEntries();
    void zeroLoanClosesAfterPreview();
    void zeroLoanClosesAfterRejection();
    void negativeLoanPreviewsEmptyReport();
    void negativeTermAccepted();
    void generationErrors_data();
    void generationErrors();
    void tableThatCannotBeCreated();
    void secondPreviewReplacesSchedule();
    void closingCopiesValuesBack_data();
    void closingCopiesValuesBack();
    void termThatIsNoNumberKeepsWindowOpen();

private:
    // Opens the window with exec() and runs body inside its modal loop.
    void runWindow(const std::function<void(TfrmAmortBuiltIn &)> &body);
    // Presses Preview; returns the page count of the preview that opened, or
    // -1 when none did. Closes the preview.
    int previewPages(TfrmAmortBuiltIn &window);
    int storedRows();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
    std::unique_ptr<TData> m_data;
    SharedLoanValues m_shared;
    RecordedMessages m_messages;
};

void TestAmortBuiltIn::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_data = std::make_unique<TData>();
    m_shared = SharedLoanValues();
    m_messages.clear();
}

void TestAmortBuiltIn::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    m_data.reset();
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

void TestAmortBuiltIn::runWindow(const std::function<void(TfrmAmortBuiltIn &)> &body)
{
    auto *window = new TfrmAmortBuiltIn(m_shared, m_messages, *m_data);
    whenModal<TfrmAmortBuiltIn>([body](TfrmAmortBuiltIn *w) {
        body(*w);
        if (w->isVisible())
            w->close();
    });
    window->exec();
    delete window;
}

int TestAmortBuiltIn::previewPages(TfrmAmortBuiltIn &window)
{
    int pages = -1;
    whenModal<ReportPreview>([&pages](ReportPreview *preview) {
        pages = preview->preview()->pageCount();
        preview->reject();
    });
    window.BitBtnOK->click();
    return pages;
}

int TestAmortBuiltIn::storedRows()
{
    TTable &table = m_data->tblAmort;
    if (table.active())
        table.close();
    table.open();
    const int rows = table.recordCount();
    table.close();
    return rows;
}

void TestAmortBuiltIn::opensWithSharedValues()
{
    m_shared.LastLoanAmt = QStringLiteral("25000.00");
    m_shared.LastRate = QStringLiteral("7.5");
    m_shared.LastTerm = QStringLiteral("36");
    m_shared.LastPayment = QStringLiteral("800.00");
    runWindow([](TfrmAmortBuiltIn &w) {
        QCOMPARE(w.windowTitle(), QStringLiteral("Amortization Schedule"));
        QCOMPARE(w.edtLoanAmt->text(), QStringLiteral("25000.00"));
        QCOMPARE(w.edtRate->text(), QStringLiteral("7.5"));
        QCOMPARE(w.edtTerm->text(), QStringLiteral("36"));
        QCOMPARE(w.edtPmt->text(), QStringLiteral("800.00"));
        QCOMPARE(w.edtMo2Prn->text(), QStringLiteral("60"));
        QCOMPARE(w.edt1stPmt->date(), QDate::currentDate());
        QVERIFY(w.edt1stPmt->calendarPopup());
        QCOMPARE(w.BitBtnOK->text(), QStringLiteral("&Preview"));
        QVERIFY(w.BitBtnOK->isDefault());
        QVERIFY(!w.BitBtnOK->icon().isNull());
    });
    QVERIFY(m_messages.all.isEmpty());
}

void TestAmortBuiltIn::rowsLabelsAndHints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("hint");
    QTest::newRow("loan amount") << "edtLoanAmt"
                                 << "Loan Amount"
                                 << "Enter loan amount";
    QTest::newRow("rate") << "edtRate"
                          << "Interest Rate (%)"
                          << "Enter interest rate in percent";
    QTest::newRow("term") << "edtTerm"
                          << "Term in Months"
                          << "loan term";
    QTest::newRow("payment") << "edtPmt"
                             << "Payment"
                             << "(only if not amortized)";
    QTest::newRow("months to print") << "edtMo2Prn"
                                     << "Print how many months"
                                     << "How many month to print";
    QTest::newRow("first payment date") << "edt1stPmt"
                                        << "First Payment Date"
                                        << "Enter first payment date";
}

void TestAmortBuiltIn::rowsLabelsAndHints()
{
    QFETCH(QString, control);
    QFETCH(QString, label);
    QFETCH(QString, hint);
    runWindow([&](TfrmAmortBuiltIn &w) {
        auto *widget = w.findChild<QWidget *>(control);
        QVERIFY(widget);
        QCOMPARE(widget->toolTip(), hint);
        QString caption;
        for (QLabel *candidate : w.findChildren<QLabel *>()) {
            if (candidate->buddy() == widget)
                caption = candidate->text();
        }
        QCOMPARE(caption, label);
    });
}

void TestAmortBuiltIn::tabOrder()
{
    const QStringList controls{"edtLoanAmt", "edtRate", "edtTerm", "edtPmt", "edtMo2Prn", "edt1stPmt", "BitBtnOK"};
    QStringList visited;
    runWindow([&](TfrmAmortBuiltIn &w) {
        for (QWidget *next = w.edtLoanAmt; next && visited.size() < controls.size(); next = next->nextInFocusChain()) {
            if (controls.contains(next->objectName()) && !visited.contains(next->objectName()))
                visited << next->objectName();
        }
    });
    QCOMPARE(visited, controls);
}

void TestAmortBuiltIn::previewShowsDefaultSchedule()
{
    bool pointerRestored = false;
    QString title;
    int pages = -1;
    runWindow([&](TfrmAmortBuiltIn &w) {
        w.edt1stPmt->setDate(QDate(2024, 1, 15));
        whenModal<ReportPreview>([&](ReportPreview *preview) {
            pointerRestored = QApplication::overrideCursor() == nullptr;
            title = preview->windowTitle();
            pages = preview->preview()->pageCount();
            preview->reject();
        });
        w.BitBtnOK->click();
        QVERIFY(w.isVisible());
        // The report opened the table to print and leaves it open.
        QVERIFY(m_data->tblAmort.active());
    });
    QCOMPARE(title, QStringLiteral("Amortization Schedule Report"));
    QCOMPARE(pages, 2);
    QVERIFY(pointerRestored);
    QVERIFY(m_messages.all.isEmpty());
    QVERIFY(!m_data->tblAmort.active());
    QCOMPARE(storedRows(), 60);
}

void TestAmortBuiltIn::enterPressesPreview_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("in the loan amount box") << "edtLoanAmt";
    QTest::newRow("in the months box") << "edtMo2Prn";
    QTest::newRow("in the date picker") << "edt1stPmt";
}

void TestAmortBuiltIn::enterPressesPreview()
{
    QFETCH(QString, control);
    int pages = -1;
    runWindow([&](TfrmAmortBuiltIn &w) {
        auto *widget = w.findChild<QWidget *>(control);
        QVERIFY(widget);
        widget->setFocus();
        whenModal<ReportPreview>([&pages](ReportPreview *preview) {
            pages = preview->preview()->pageCount();
            preview->reject();
        });
        QTest::keyClick(widget, Qt::Key_Return);
    });
    QCOMPARE(pages, 2);
}

void TestAmortBuiltIn::rejectedEntries_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    const QString invalid = QStringLiteral("Enter a valid entries!");
    const QString minus = QStringLiteral("Interest cannot be minus. Try again.");
    const QString months = QStringLiteral("Number of months cannot be less than 1. Try again.");
    QTest::newRow("empty loan amount") << "edtLoanAmt"
                                       << "" << QStringList{invalid};
    QTest::newRow("loan amount with thousands separator") << "edtLoanAmt"
                                                          << "100,000.00" << QStringList{invalid};
    QTest::newRow("loan amount beyond currency") << "edtLoanAmt"
                                                 << "1e16" << QStringList{invalid};
    QTest::newRow("letters in the rate") << "edtRate"
                                         << "twelve" << QStringList{invalid};
    QTest::newRow("term 60.0 refused") << "edtTerm"
                                       << "60.0" << QStringList{invalid};
    QTest::newRow("empty term") << "edtTerm"
                                << "" << QStringList{invalid};
    QTest::newRow("payment with dollar sign") << "edtPmt"
                                              << "$500" << QStringList{invalid};
    QTest::newRow("months with decimal point") << "edtMo2Prn"
                                               << "12.5" << QStringList{invalid};
    QTest::newRow("rate zero") << "edtRate"
                               << "0" << QStringList{minus, invalid};
    QTest::newRow("rate negative") << "edtRate"
                                   << "-1.5" << QStringList{minus, invalid};
    QTest::newRow("rate below four decimals is zero") << "edtRate"
                                                      << "0.00001" << QStringList{minus, invalid};
    QTest::newRow("months zero") << "edtMo2Prn"
                                 << "0" << QStringList{months, invalid};
    QTest::newRow("months negative") << "edtMo2Prn"
                                     << "-3" << QStringList{months, invalid};
}

void TestAmortBuiltIn::rejectedEntries()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    runWindow([&](TfrmAmortBuiltIn &w) {
        auto *edit = w.findChild<QLineEdit *>(control);
        QVERIFY(edit);
        edit->setText(text);
        w.edtRate->setFocus();
        w.BitBtnOK->click();
        QCOMPARE(m_messages.messages, expected);
        QCOMPARE(w.focusWidget(), w.edtLoanAmt);
        QCOMPARE(edit->text(), text);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QTest::qWait(20);
        QVERIFY(w.isVisible());
        // A term that is no number would keep the window from closing.
        w.edtTerm->setText(QStringLiteral("60"));
    });
    QVERIFY(m_messages.errors.isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("TEMPAMORT.DBF")));
}

void TestAmortBuiltIn::zeroLoanClosesAfterPreview()
{
    int pages = -1;
    bool openDuringPreview = false;
    bool openAfterClick = false;
    bool neededClosing = false;
    auto *window = new TfrmAmortBuiltIn(m_shared, m_messages, *m_data);
    whenModal<TfrmAmortBuiltIn>([&](TfrmAmortBuiltIn *w) {
        w->edtLoanAmt->setText(QStringLiteral("0"));
        whenModal<ReportPreview>([&](ReportPreview *preview) {
            // Queued events run meanwhile: the close waits for the click.
            QTest::qWait(50);
            openDuringPreview = w->isVisible();
            pages = preview->preview()->pageCount();
            preview->reject();
        });
        w->BitBtnOK->click();
        openAfterClick = w->isVisible();
        QTimer::singleShot(2000, w, [&neededClosing, w] {
            neededClosing = true;
            w->close();
        });
    });
    window->exec();
    delete window;
    QVERIFY(openDuringPreview);
    QVERIFY(openAfterClick);
    QVERIFY(!neededClosing);
    QCOMPARE(pages, 1);
    QVERIFY(m_messages.all.isEmpty());
    QCOMPARE(m_shared.LastLoanAmt, QStringLiteral("0"));
    QCOMPARE(storedRows(), 0);
}

void TestAmortBuiltIn::zeroLoanClosesAfterRejection()
{
    bool openAfterClick = false;
    bool neededClosing = false;
    auto *window = new TfrmAmortBuiltIn(m_shared, m_messages, *m_data);
    whenModal<TfrmAmortBuiltIn>([&](TfrmAmortBuiltIn *w) {
        w->edtLoanAmt->setText(QStringLiteral("0.00"));
        w->edtRate->setText(QStringLiteral("0"));
        w->BitBtnOK->click();
        openAfterClick = w->isVisible();
        QTimer::singleShot(2000, w, [&neededClosing, w] {
            neededClosing = true;
            w->close();
        });
    });
    window->exec();
    delete window;
    QVERIFY(openAfterClick);
    QVERIFY(!neededClosing);
    QCOMPARE(m_messages.messages, (QStringList{"Interest cannot be minus. Try again.", "Enter a valid entries!"}));
}

void TestAmortBuiltIn::negativeLoanPreviewsEmptyReport()
{
    int pages = -1;
    runWindow([&](TfrmAmortBuiltIn &w) {
        w.edtLoanAmt->setText(QStringLiteral("-5000"));
        pages = previewPages(w);
        QTest::qWait(20);
        QVERIFY(w.isVisible());
    });
    QCOMPARE(pages, 1);
    QCOMPARE(storedRows(), 0);
}

void TestAmortBuiltIn::negativeTermAccepted()
{
    int pages = -1;
    runWindow([&](TfrmAmortBuiltIn &w) {
        w.edtTerm->setText(QStringLiteral("-60"));
        w.edtMo2Prn->setText(QStringLiteral("12"));
        pages = previewPages(w);
    });
    QCOMPARE(pages, 1);
    QVERIFY(m_messages.all.isEmpty());
    QCOMPARE(storedRows(), 12);
}

void TestAmortBuiltIn::generationErrors_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("payment");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("rows");
    QTest::newRow("term 0 divides by zero") << "100000.00"
                                            << "0"
                                            << "0.00"
                                            << "Floating point division by zero." << 0;
    QTest::newRow("balance over the field range after two rows") << "980000000.00"
                                                                 << "60"
                                                                 << "0.01"
                                                                 << "Numeric out of range." << 2;
    QTest::newRow("loan over the field range") << "1200000000.00"
                                               << "60"
                                               << "0.00"
                                               << "Numeric out of range." << 0;
}

void TestAmortBuiltIn::generationErrors()
{
    QFETCH(QString, amount);
    QFETCH(QString, term);
    QFETCH(QString, payment);
    QFETCH(QString, error);
    QFETCH(int, rows);
    int pages = -1;
    runWindow([&](TfrmAmortBuiltIn &w) {
        w.edtLoanAmt->setText(amount);
        w.edtTerm->setText(term);
        w.edtPmt->setText(payment);
        // A preview would be a failure; close it so the test can go on.
        whenModal<ReportPreview>(
            [&pages](ReportPreview *preview) {
                pages = preview->preview()->pageCount();
                preview->reject();
            },
            20);
        w.BitBtnOK->click();
        QTest::qWait(300);
        QVERIFY(w.isVisible());
        QVERIFY(!m_data->tblAmort.active());
    });
    QCOMPARE(pages, -1);
    QCOMPARE(m_messages.errors, QStringList{error});
    QVERIFY(m_messages.messages.isEmpty());
    QCOMPARE(storedRows(), rows);
}

void TestAmortBuiltIn::tableThatCannotBeCreated()
{
    // A directory of that name cannot be replaced by the table file.
    QVERIFY(QDir().mkdir(QStringLiteral("TEMPAMORT.DBF")));
    int pages = -1;
    runWindow([&](TfrmAmortBuiltIn &w) {
        whenModal<ReportPreview>(
            [&pages](ReportPreview *preview) {
                pages = preview->preview()->pageCount();
                preview->reject();
            },
            20);
        w.BitBtnOK->click();
        QTest::qWait(300);
    });
    QCOMPARE(pages, -1);
    QCOMPARE(m_messages.messages,
             QStringList{"Could not create temp table. Make sure no one else is running this tool now."});
    QVERIFY(m_messages.errors.isEmpty());
}

void TestAmortBuiltIn::secondPreviewReplacesSchedule()
{
    int first = -1;
    int second = -1;
    runWindow([&](TfrmAmortBuiltIn &w) {
        first = previewPages(w);
        w.edtMo2Prn->setText(QStringLiteral("12"));
        second = previewPages(w);
    });
    QCOMPARE(first, 2);
    QCOMPARE(second, 1);
    QVERIFY(m_messages.all.isEmpty());
    QCOMPARE(storedRows(), 12);
}

void TestAmortBuiltIn::closingCopiesValuesBack_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("storedTerm");
    QTest::newRow("whole term kept") << "360"
                                     << "360";
    QTest::newRow("61.5 rounds to even 62") << "61.5"
                                            << "62";
    QTest::newRow("60.5 rounds to even 60") << "60.5"
                                            << "60";
}

void TestAmortBuiltIn::closingCopiesValuesBack()
{
    QFETCH(QString, term);
    QFETCH(QString, storedTerm);
    m_shared.LastBalloon = QStringLiteral("77.00");
    runWindow([&](TfrmAmortBuiltIn &w) {
        w.edtLoanAmt->setText(QStringLiteral("5000"));
        w.edtRate->setText(QStringLiteral("will not amortize"));
        w.edtTerm->setText(term);
        w.edtPmt->setText(QStringLiteral("120.5"));
    });
    QCOMPARE(m_shared.LastLoanAmt, QStringLiteral("5000"));
    QCOMPARE(m_shared.LastRate, QStringLiteral("will not amortize"));
    QCOMPARE(m_shared.LastTerm, storedTerm);
    QCOMPARE(m_shared.LastPayment, QStringLiteral("120.5"));
    QCOMPARE(m_shared.LastBalloon, QStringLiteral("77.00"));
}

void TestAmortBuiltIn::termThatIsNoNumberKeepsWindowOpen()
{
    bool stayedOpen = false;
    runWindow([&](TfrmAmortBuiltIn &w) {
        w.edtLoanAmt->setText(QStringLiteral("5000"));
        w.edtTerm->setText(QStringLiteral("abc"));
        w.edtPmt->setText(QStringLiteral("99"));
        w.close();
        stayedOpen = w.isVisible();
        w.edtTerm->setText(QStringLiteral("48"));
    });
    QVERIFY(stayedOpen);
    QCOMPARE(m_messages.errors, QStringList{"'abc' is not a valid floating point value."});
    QCOMPARE(m_shared.LastLoanAmt, QStringLiteral("5000"));
    QCOMPARE(m_shared.LastTerm, QStringLiteral("48"));
    QCOMPARE(m_shared.LastPayment, QStringLiteral("99"));
}

QTEST_MAIN(TestAmortBuiltIn)
#include "tst_amortbuiltin.moc"
