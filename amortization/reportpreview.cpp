#include "reportpreview.h"

#include "reportpainter.h"

#include "ui/messages.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Amortization Schedule Report");
const QString kPdfFilter = QStringLiteral("PDF files (*.pdf)");

template<typename Owner, typename Handler>
QAction *addTool(QToolBar *bar, const QString &text, const QKeySequence &shortcut, Owner *owner, Handler handler)
{
    QAction *action = bar->addAction(text);
    action->setShortcut(shortcut);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(QLatin1Char('&')),
                                                     shortcut.toString(QKeySequence::NativeText)));
    QObject::connect(action, &QAction::triggered, owner, handler);
    return action;
}

void prepareForReport(QPrinter &printer)
{
    printer.setDocName(kTitle);
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
    printer.setPaperSource(QPrinter::Auto);
    printer.setPrintRange(QPrinter::AllPages);
    setReportPageLayout(printer);
}

}  // namespace

ReportPreview::ReportPreview(const std::vector<ReportPage> &pages, Messages &messages, QWidget *parent)
    : QDialog(parent)
    , m_pages(pages)
    , m_messages(messages)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setWindowTitle(kTitle);
    prepareForReport(*m_printer);
    m_preview = new QPrintPreviewWidget(m_printer.get(), this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintRequested);

    auto *bar = new QToolBar(this);
    actWholePage =
        addTool(bar, tr("&Whole Page"), QKeySequence(Qt::CTRL | Qt::Key_0), this, [this] { m_preview->fitInView(); });
    actActualSize = addTool(bar, tr("&100 %"), QKeySequence(Qt::CTRL | Qt::Key_1), this, [this] {
        m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_preview->setZoomFactor(1.0);
    });
    actPageWidth =
        addTool(bar, tr("Page &Width"), QKeySequence(Qt::CTRL | Qt::Key_2), this, [this] { m_preview->fitToWidth(); });
    bar->addSeparator();
    actFirstPage =
        addTool(bar, tr("&First Page"), QKeySequence(Qt::CTRL | Qt::Key_Home), this, [this] { showPage(1); });
    actPriorPage = addTool(bar, tr("P&revious Page"), QKeySequence(Qt::Key_PageUp), this,
                           [this] { showPage(m_preview->currentPage() - 1); });
    actNextPage = addTool(bar, tr("&Next Page"), QKeySequence(Qt::Key_PageDown), this,
                          [this] { showPage(m_preview->currentPage() + 1); });
    actLastPage = addTool(bar, tr("&Last Page"), QKeySequence(Qt::CTRL | Qt::Key_End), this,
                          [this] { showPage(m_preview->pageCount()); });
    bar->addSeparator();
    actPrinterSetup = addTool(bar, tr("Printer &Setup..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), this,
                              &ReportPreview::printerSetup);
    actPrint = addTool(bar, tr("&Print..."), QKeySequence::Print, this, &ReportPreview::print);
    actSave = addTool(bar, tr("Sa&ve..."), QKeySequence::Save, this, &ReportPreview::save);
    actLoad = addTool(bar, tr("L&oad..."), QKeySequence::Open, this, &ReportPreview::load);
    bar->addSeparator();
    actClose = addTool(bar, tr("&Close"), QKeySequence::Close, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);
    resize(820, 700);
    m_preview->fitInView();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::paintRequested(QPrinter *printer)
{
    paintReport(m_pages, *printer);
}

void ReportPreview::showPage(int page)
{
    m_preview->setCurrentPage(std::clamp(page, 1, std::max(1, m_preview->pageCount())));
}

bool ReportPreview::havePrinter()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        return true;
    m_messages.showMessage(tr("No printer is installed. Save the report as a PDF file instead."));
    return false;
}

void ReportPreview::printerSetup()
{
    if (!havePrinter())
        return;
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(tr("Printer Setup"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The layout of the report is fixed; only the printer and its options change.
    prepareForReport(*m_printer);
    m_preview->updatePreview();
}

void ReportPreview::print()
{
    if (!havePrinter())
        return;
    if (m_printer->outputFormat() != QPrinter::NativeFormat) {
        m_printer->setOutputFormat(QPrinter::NativeFormat);
        prepareForReport(*m_printer);
    }
    m_preview->print();
}

void ReportPreview::save()
{
    QFileDialog dialog(this, tr("Save Report"), QString(), kPdfFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        saveReport(dialog.selectedFiles().constFirst());
}

void ReportPreview::load()
{
    QFileDialog dialog(this, tr("Load Report"), QString(), kPdfFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        loadReport(dialog.selectedFiles().constFirst());
}

bool ReportPreview::saveReport(const QString &path)
{
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setCreator(QStringLiteral("Quillmont Calculator"));
    prepareForReport(pdf);
    if (paintReport(m_pages, pdf))
        return true;
    m_messages.showMessage(tr("Could not save the report as %1.").arg(QDir::toNativeSeparators(path)));
    return false;
}

bool ReportPreview::loadReport(const QString &path)
{
    QDialog viewer(this);
    viewer.setWindowTitle(QStringLiteral("%1 - %2").arg(kTitle, QFileInfo(path).fileName()));
    auto *document = new QPdfDocument(&viewer);
    if (document->load(path) != QPdfDocument::Error::None) {
        m_messages.showMessage(tr("Could not open %1 as a saved report.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    auto *view = new QPdfView(&viewer);
    view->setDocument(document);
    view->setPageMode(QPdfView::PageMode::MultiPage);
    view->setZoomMode(QPdfView::ZoomMode::FitInView);
    auto *layout = new QVBoxLayout(&viewer);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    viewer.resize(size());
    viewer.exec();
    return true;
}
