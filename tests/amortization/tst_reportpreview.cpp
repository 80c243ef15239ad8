#include "amortization/amortbuiltin.h"
#include "amortization/reportpreview.h"
#include "modalwait.h"
#include "scheduletable.h"

#include "calcutils/dates.h"
#include "ui/messages.h"
#include "ui/sharedvalues.h"

#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The text of a PDF file page by page, each line with its runs of blanks
// collapsed, so the columns compare as single-spaced text.
QList<QStringList> pdfPages(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        return {};
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QList<QStringList> pages;
    QStringList pageTexts = text.split(QLatin1Char('\f'));
    // The text ends with a form feed after the last page.
    if (!pageTexts.isEmpty() && pageTexts.constLast().trimmed().isEmpty())
        pageTexts.removeLast();
    for (const QString &page : pageTexts) {
        QStringList lines;
        for (const QString &line : page.split(QLatin1Char('\n'))) {
            const QString simple = line.simplified();
            if (!simple.isEmpty())
                lines << simple;
        }
        pages << lines;
    }
    return pages;
}

QString pdfTitle(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {path});
    if (!process.waitForFinished(20000))
        return {};
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Title:\\s*(.*)$"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(process.readAllStandardOutput()));
    return match.captured(1).trimmed();
}

// Types path into the next file dialog and accepts it. selectFile() leaves
// the name box alone once it has the focus, so the name is typed there; the
// dialog fills its directory view in the background and can undo an early
// choice, so this tries again until the dialog has closed.
void chooseFile(const QString &path, int attempts = 50)
{
    whenModal<QFileDialog>([path, attempts](QFileDialog *dialog) {
        const QFileInfo file(path);
        dialog->setDirectory(file.absolutePath());
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(file.fileName());
        static_cast<QDialog *>(dialog)->accept();
        if (dialog->isVisible() && attempts > 0)
            chooseFile(path, attempts - 1);
    });
}

// Reads the page count and title of the window that shows a loaded report,
// once it is showing, and closes it.
void closeLoadedReport(int &pages, QString &title, int attempts = 500)
{
    QTimer::singleShot(10, [&pages, &title, attempts] {
        auto *viewer = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        auto *view = viewer ? viewer->findChild<QPdfView *>() : nullptr;
        if (!view) {
            if (attempts > 0)
                closeLoadedReport(pages, title, attempts - 1);
            return;
        }
        title = viewer->windowTitle();
        pages = view->document()->pageCount();
        viewer->reject();
    });
}

}  // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void defaultScheduleAsPdf();
    void headerFromTheBoxes_data();
    void headerFromTheBoxes();
    void paging_data();
    void paging();
    void zoom_data();
    void zoom();
    void shortcuts_data();
    void shortcuts();
    void everyToolHasItsOwnShortcut();
    void printingWithoutPrinter_data();
    void printingWithoutPrinter();
    void savedReportLoadsBack();
    void loadingSomethingElseFails();
    void savingWhereNothingCanBeWritten();

private:
    // Runs the schedule window with its defaults and a first payment on
    // 15 January 2024, lets setup change boxes, and saves the preview
    // through its Save button and file dialog.
    void saveThroughWindow(const QString &path, const std::function<void(TfrmAmortBuiltIn &)> &setup = {});
    // Runs body inside the modal preview of the default schedule.
    void runPreview(const std::function<void(ReportPreview &)> &body);

    std::unique_ptr<ScheduleTable> m_table;
    RecordedMessages m_messages;
};

void TestReportPreview::initTestCase()
{
    // A platform file dialog would run outside the widgets the test drives.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void TestReportPreview::init()
{
    m_table = std::make_unique<ScheduleTable>();
    m_messages.clear();
}

void TestReportPreview::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    m_table.reset();
}

void TestReportPreview::saveThroughWindow(const QString &path, const std::function<void(TfrmAmortBuiltIn &)> &setup)
{
    SharedLoanValues shared;
    auto *window = new TfrmAmortBuiltIn(shared, m_messages, m_table->data);
    whenModal<TfrmAmortBuiltIn>([&](TfrmAmortBuiltIn *w) {
        w->edt1stPmt->setDate(QDate(2024, 1, 15));
        if (setup)
            setup(*w);
        whenModal<ReportPreview>([&](ReportPreview *preview) {
            chooseFile(path);
            preview->actSave->trigger();
            preview->reject();
        });
        w->BitBtnOK->click();
        w->close();
    });
    window->exec();
    delete window;
}

void TestReportPreview::runPreview(const std::function<void(ReportPreview &)> &body)
{
    m_table->generate(Loan());
    const std::vector<ReportPage> pages =
        layoutReport({"01/15/2024", "Loan Amount: $100,000.00", "Rate: 12.000%", "Term: 60 months"}, m_table->rows());
    auto *preview = new ReportPreview(pages, m_messages);
    whenModal<ReportPreview>([&](ReportPreview *p) {
        body(*p);
        if (p->isVisible())
            p->reject();
    });
    preview->exec();
    delete preview;
}

void TestReportPreview::defaultScheduleAsPdf()
{
    const QString path = QDir(QDir::currentPath()).filePath(QStringLiteral("schedule.pdf"));
    saveThroughWindow(path);
    QVERIFY(m_messages.all.isEmpty());
    const QList<QStringList> pages = pdfPages(path);
    QCOMPARE(pages.size(), 2);
    const QString today = QString::fromStdString(DateToStr(Today()));
    for (int i = 0; i < pages.size(); ++i) {
        const QStringList &page = pages[i];
        QVERIFY(page.size() > 3);
        QCOMPARE(page[0], QStringLiteral("%1 Amortization Schedule %2").arg(today).arg(i + 1));
        QCOMPARE(page[1], QStringLiteral("Loan Amount: $100,000.00 Rate: 12.000% Term: 60 months "
                                         "Amortized Payment: $2,224.44"));
        QCOMPARE(page[2], QStringLiteral("Payment # Due Date Monthly Payment To Interest To Principal New Balance"));
    }
    QCOMPARE(pages[0][3], QStringLiteral("1 01/15/2024 2,224.44 1,000.00 1,224.44 98,775.56"));
    QVERIFY(pages[0].contains(QStringLiteral("Year End Total: 2024 26,693.28 11,164.32 15,528.96 84,471.04")));
    // Rows 36 and 37 computed by hand from the worked example's recurrence.
    QVERIFY(pages[0].contains(QStringLiteral("36 12/15/2026 2,224.44 489.90 1,734.54 47,254.97")));
    QCOMPARE(pages[0].filter(QStringLiteral("Year End Total:")).size(), 3);
    QCOMPARE(pages[1][3], QStringLiteral("37 01/15/2027 2,224.44 472.55 1,751.89 45,503.08"));
    QCOMPARE(pages[1].filter(QStringLiteral("Year End Total:")).size(), 2);
    QVERIFY(pages[1].contains(QStringLiteral("Year End Total: 2028 26,693.28 1,657.09 25,036.19 0.43")));
    QCOMPARE(pages[1].constLast(), QStringLiteral("Grand Total: 133,466.40 33,466.83 99,999.57 0.43"));
    QCOMPARE(pdfTitle(path), QStringLiteral("Amortization Schedule Report"));
}

void TestReportPreview::headerFromTheBoxes_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("loanLine");
    QTest::newRow("amount half down to even, rate padded") << "1234.565"
                                                           << "7.5"
                                                           << "12"
                                                           << "Loan Amount: $1,234.56 Rate: 7.500% Term: 12 months";
    QTest::newRow("amount half up to even, term as typed") << "1234.575"
                                                           << "12.000"
                                                           << "0012"
                                                           << "Loan Amount: $1,234.58 Rate: 12.000% Term: 0012 months";
}

void TestReportPreview::headerFromTheBoxes()
{
    QFETCH(QString, amount);
    QFETCH(QString, rate);
    QFETCH(QString, term);
    QFETCH(QString, loanLine);
    const QString path = QDir(QDir::currentPath()).filePath(QStringLiteral("header.pdf"));
    saveThroughWindow(path, [&](TfrmAmortBuiltIn &w) {
        w.edtLoanAmt->setText(amount);
        w.edtRate->setText(rate);
        w.edtTerm->setText(term);
    });
    const QList<QStringList> pages = pdfPages(path);
    QVERIFY(!pages.isEmpty());
    QVERIFY(pages[0].size() > 1);
    QVERIFY2(pages[0][1].startsWith(loanLine), qPrintable(pages[0][1]));
}

void TestReportPreview::paging_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("page");
    QTest::newRow("opens on the first page") << QStringList{} << 1;
    QTest::newRow("next page") << QStringList{"next"} << 2;
    QTest::newRow("next stops at the last page") << QStringList{"next", "next"} << 2;
    QTest::newRow("last page") << QStringList{"last"} << 2;
    QTest::newRow("first after last") << QStringList{"last", "first"} << 1;
    QTest::newRow("previous stops at the first page") << QStringList{"prior"} << 1;
    QTest::newRow("previous after last") << QStringList{"last", "prior"} << 1;
}

void TestReportPreview::paging()
{
    QFETCH(QStringList, steps);
    QFETCH(int, page);
    int current = 0;
    int count = 0;
    runPreview([&](ReportPreview &preview) {
        const QHash<QString, QAction *> actions{{"next", preview.actNextPage},
                                                {"prior", preview.actPriorPage},
                                                {"first", preview.actFirstPage},
                                                {"last", preview.actLastPage}};
        for (const QString &step : steps)
            actions.value(step)->trigger();
        current = preview.preview()->currentPage();
        count = preview.preview()->pageCount();
    });
    QCOMPARE(count, 2);
    QCOMPARE(current, page);
}

void TestReportPreview::zoom_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("mode");
    QTest::newRow("whole page") << "actWholePage" << int(QPrintPreviewWidget::FitInView);
    QTest::newRow("page width") << "actPageWidth" << int(QPrintPreviewWidget::FitToWidth);
    QTest::newRow("100 percent") << "actActualSize" << int(QPrintPreviewWidget::CustomZoom);
}

void TestReportPreview::zoom()
{
    QFETCH(QString, tool);
    QFETCH(int, mode);
    int zoomMode = -1;
    qreal factor = 0;
    runPreview([&](ReportPreview &preview) {
        // Start from another mode so that each tool has to change it.
        preview.preview()->setZoomMode(QPrintPreviewWidget::CustomZoom);
        preview.preview()->setZoomFactor(0.3);
        const QHash<QString, QAction *> actions{{"actWholePage", preview.actWholePage},
                                                {"actPageWidth", preview.actPageWidth},
                                                {"actActualSize", preview.actActualSize}};
        actions.value(tool)->trigger();
        zoomMode = preview.preview()->zoomMode();
        factor = preview.preview()->zoomFactor();
    });
    QCOMPARE(zoomMode, mode);
    if (mode == QPrintPreviewWidget::CustomZoom)
        QCOMPARE(factor, 1.0);
}

void TestReportPreview::shortcuts_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("page");
    QTest::newRow("page down to the next page") << QKeySequence(Qt::Key_PageDown) << 2;
    QTest::newRow("ctrl end to the last page") << QKeySequence(Qt::CTRL | Qt::Key_End) << 2;
    QTest::newRow("page up stays on the first") << QKeySequence(Qt::Key_PageUp) << 1;
}

void TestReportPreview::shortcuts()
{
    QFETCH(QKeySequence, keys);
    QFETCH(int, page);
    int current = 0;
    bool closedByKey = false;
    runPreview([&](ReportPreview &preview) {
        QApplication::setActiveWindow(&preview);
        QVERIFY(QTest::qWaitForWindowActive(&preview));
        QTest::keySequence(&preview, keys);
        current = preview.preview()->currentPage();
        QTest::keySequence(&preview, QKeySequence::Close);
        closedByKey = !preview.isVisible();
    });
    QCOMPARE(current, page);
    QVERIFY(closedByKey);
}

void TestReportPreview::everyToolHasItsOwnShortcut()
{
    QStringList shortcuts;
    QString title;
    runPreview([&](ReportPreview &preview) {
        title = preview.windowTitle();
        for (QAction *action : {preview.actWholePage, preview.actActualSize, preview.actPageWidth, preview.actFirstPage,
                                preview.actPriorPage, preview.actNextPage, preview.actLastPage, preview.actPrinterSetup,
                                preview.actPrint, preview.actSave, preview.actLoad, preview.actClose})
            shortcuts << action->shortcut().toString();
    });
    QCOMPARE(title, QStringLiteral("Amortization Schedule Report"));
    QCOMPARE(shortcuts.size(), 12);
    QVERIFY(!shortcuts.contains(QString()));
    shortcuts.removeDuplicates();
    QCOMPARE(shortcuts.size(), 12);
}

void TestReportPreview::printingWithoutPrinter_data()
{
    QTest::addColumn<bool>("setup");
    QTest::newRow("print") << false;
    QTest::newRow("printer setup") << true;
}

void TestReportPreview::printingWithoutPrinter()
{
    QFETCH(bool, setup);
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed here");
    runPreview([&](ReportPreview &preview) {
        (setup ? preview.actPrinterSetup : preview.actPrint)->trigger();
        QVERIFY(preview.isVisible());
    });
    QCOMPARE(m_messages.messages, QStringList{"No printer is installed. Save the report as a PDF file instead."});
}

void TestReportPreview::savedReportLoadsBack()
{
    const QString path = QDir(QDir::currentPath()).filePath(QStringLiteral("saved.pdf"));
    int loadedPages = -1;
    QString viewerTitle;
    runPreview([&](ReportPreview &preview) {
        QVERIFY(preview.saveReport(path));
        chooseFile(path);
        closeLoadedReport(loadedPages, viewerTitle);
        preview.actLoad->trigger();
    });
    QCOMPARE(loadedPages, 2);
    QCOMPARE(viewerTitle, QStringLiteral("Amortization Schedule Report - saved.pdf"));
    QVERIFY(m_messages.all.isEmpty());
}

void TestReportPreview::loadingSomethingElseFails()
{
    const QString path = QDir(QDir::currentPath()).filePath(QStringLiteral("notes.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a report\n");
    file.close();
    bool loaded = true;
    runPreview([&](ReportPreview &preview) { loaded = preview.loadReport(path); });
    QVERIFY(!loaded);
    QCOMPARE(m_messages.messages,
             QStringList{QStringLiteral("Could not open %1 as a saved report.").arg(QDir::toNativeSeparators(path))});
}

void TestReportPreview::savingWhereNothingCanBeWritten()
{
    const QString path = QDir(QDir::currentPath()).filePath(QStringLiteral("missing/report.pdf"));
    bool saved = true;
    runPreview([&](ReportPreview &preview) { saved = preview.saveReport(path); });
    QVERIFY(!saved);
    QCOMPARE(m_messages.messages,
             QStringList{QStringLiteral("Could not save the report as %1.").arg(QDir::toNativeSeparators(path))});
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
