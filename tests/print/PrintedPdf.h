#pragma once
// Orders printed through QPrinter into a PDF file and read back.

#include "PdfText.h"
#include "model/PrzelewDane.h"
#include "print/FormPages.h"

#include <QPrinter>
#include <QTemporaryDir>

struct PdfJob
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("out.pdf"));
    QPrinter printer{QPrinter::HighResolution};

    explicit PdfJob(double marginMm = 0, QPageSize::PageSizeId paper = QPageSize::A4)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(paper));
        printer.setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
    }

    // A page an order, or the blank form of each order's kind; nothing read
    // (not ok) when a page cannot be printed.
    PdfText print(const AllSettings &s, const QList<CPrzelewDane> &orders, bool blank = false)
    {
        CFormPrinter forms(s);
        {
            FormPageJob job(forms, printer);
            for (const CPrzelewDane &r : orders)
                if (!job.printPage(r, blank, r.kind))
                    return {};
        }
        return PdfText::read(path);
    }
};
