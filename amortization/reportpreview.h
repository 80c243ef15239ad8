#pragma once

#include "reportlayout.h"

#include <QDialog>

#include <memory>
#include <vector>

class Messages;
class QAction;
class QPrintPreviewWidget;
class QPrinter;

// The print preview of a produced report: zoom, paging, printer setup,
// printing, saving as PDF and loading a saved report.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    ReportPreview(const std::vector<ReportPage> &pages, Messages &messages, QWidget *parent = nullptr);
    ~ReportPreview() override;

    // Writes the report as a PDF file; false after telling the user why not.
    bool saveReport(const QString &path);
    // Shows a saved report in a window of its own; false after telling why not.
    bool loadReport(const QString &path);

    QPrintPreviewWidget *preview() const { return m_preview; }

    QAction *actWholePage;
    QAction *actActualSize;
    QAction *actPageWidth;
    QAction *actFirstPage;
    QAction *actPriorPage;
    QAction *actNextPage;
    QAction *actLastPage;
    QAction *actPrinterSetup;
    QAction *actPrint;
    QAction *actSave;
    QAction *actLoad;
    QAction *actClose;

private:
    void paintRequested(QPrinter *printer);
    bool havePrinter();
    void printerSetup();
    void print();
    void save();
    void load();
    void showPage(int page);

    const std::vector<ReportPage> &m_pages;
    Messages &m_messages;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget *m_preview;
};
