// The batch path without the PDF: arbitrary bytes are read as a file of
// orders, and every order read is planned, mapped and laid out on a
// recording canvas as the batch would print it, so that absurd field
// contents and settings reach the page plan and the field layouts. The first bytes choose the
// print settings.

#include "model/Import.h"
#include "print/PagePlan.h"
#include "RecordingCanvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr size_t kSettingsBytes = 12;
constexpr int kMaxOrders = 200;
constexpr qsizetype kMaxOps = 20000;    // far more than the largest page draws

class Bytes
{
public:
    Bytes(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    int next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int signedNext() { return int(int8_t(next())); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

AllSettings settingsFrom(Bytes &b)
{
    AllSettings s;
    const int flags = b.next();
    s.general.fontSize = b.signedNext();
    s.general.valueDelimiter = QString(b.next() % 4, QChar(u'*'));
    for (FormKind k : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax}) {
        PrintSettings &p = s.forKind(k);
        const int bits = b.next();
        p.originalForm = bits & 1;
        p.fitInBox = (bits >> 1) & 1;
        p.printSymbol = (bits >> 2) & 1;
        p.doNotPrintZusBankNo = (bits >> 3) & 1;
        p.print3Kratki = (bits >> 4) & 1;
        p.opType = (bits >> 5) & 1;
        // Out-of-range form types, offsets and scales too: the set-up must cope.
        p.formType = (bits >> 6) - 1;
        p.formTypeOrig = b.signedNext() % 7;
        p.offsetX = b.signedNext();
        p.scaleX = (flags & 1) ? b.signedNext() * 4 : 100;
        p.scaleY = (flags & 2) ? -p.scaleX : p.scaleX;
    }
    return s;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < kSettingsBytes)
        return 0;
    Bytes settingsBytes(data, kSettingsBytes);
    const AllSettings settings = settingsFrom(settingsBytes);

    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data + kSettingsBytes), qsizetype(size - kSettingsBytes));
    buffer.open(QIODevice::ReadOnly);
    CImport reader;
    reader.OpenDevice(&buffer);

    static const DeviceGeometry a4{100, 100, 9921, 14031, 1200, 1200};   // A4 at 1200 dpi
    CPrzelewDane rec;
    int orders = 0;
    for (int lines = 0; lines < 100000 && orders < kMaxOrders; ++lines) {
        const CImport::ReadResult r = reader.ReadRecord(rec);
        if (r == CImport::EndOfFile)
            break;
        if (r != CImport::RecordRead) {
            (void)CImport::problemText(reader.lastProblem(), reader.version());
            continue;
        }
        ++orders;
        for (bool blank : {false, true}) {
            const std::optional<PagePlan> plan = planPage(settings, rec, blank, rec.kind);
            if (!plan)
                std::abort();   // the reader gives only the three kinds
            const PrintJobParams &params = plan->fields;
            RecordingCanvas canvas;
            CPrintEngine::DrawForm(canvas, *plan, rec, PageMapping::of(*plan, a4));
            if (canvas.ops.size() > kMaxOps)
                std::abort();
            // Boxes hold one character each.
            if (params.fitInBox)
                for (const DrawOp &op : canvas.ops)
                    if (op.kind == DrawOp::SingleLine && op.rect.width() < 60 && op.text.size() > 1)
                        std::abort();
        }
    }
    return 0;
}
