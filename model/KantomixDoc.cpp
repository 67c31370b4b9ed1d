#include "model/KantomixDoc.h"

#include "app/Messages.h"
#include "model/Import.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr size_t kGrowth = 500;

QString newDocumentTitle() { return QStringLiteral("Nowy plik przelewów"); }

// Sorts [left, right] in place: pivot in the middle, left part recursively,
// right part by continuing the loop.
void quickSort(std::vector<std::unique_ptr<CPrzelewDane>> &v, long left, long right, bool ascending)
{
    while (left < right) {
        const CPrzelewDane pivot = *v[size_t((left + right) / 2)];
        long i = left, j = right;
        while (i <= j) {
            if (ascending) {
                while (*v[size_t(i)] < pivot) ++i;
                while (*v[size_t(j)] > pivot) --j;
            } else {
                while (*v[size_t(i)] > pivot) ++i;
                while (*v[size_t(j)] < pivot) --j;
            }
            if (i <= j) {
                if (*v[size_t(i)] != *v[size_t(j)])
                    std::swap(v[size_t(i)], v[size_t(j)]);
                ++i;
                --j;
            }
        }
        // Recurse into the smaller part so the stack stays shallow.
        if (j - left < right - i) {
            quickSort(v, left, j, ascending);
            left = i;
        } else {
            quickSort(v, i, right, ascending);
            right = j;
        }
    }
}

} // namespace

CKantomixDoc::CKantomixDoc()
{
    NewDocument();
}

CKantomixDoc::~CKantomixDoc() = default;

void CKantomixDoc::Add(const CPrzelewDane &record)
{
    if (m_orders.size() == m_orders.capacity())
        m_orders.reserve(m_orders.size() + kGrowth);
    m_orders.push_back(std::make_unique<CPrzelewDane>(record));
}

void CKantomixDoc::Replace(int index, const CPrzelewDane &record)
{
    if (index < 0 || index >= count())
        return;
    *m_orders[size_t(index)] = record;
    m_modified = true;
}

void CKantomixDoc::Delete(int index)
{
    if (index < 0 || index >= count())
        return;
    m_orders.erase(m_orders.begin() + index);
    m_modified = true;
}

void CKantomixDoc::DeleteAll()
{
    m_orders.clear();
    m_version = 5;
}

void CKantomixDoc::Sort(int sortKey, bool ascending)
{
    for (auto &order : m_orders)
        order->sortKey = sortKey;
    if (m_orders.size() < 2)
        return;
    quickSort(m_orders, 0, long(m_orders.size()) - 1, ascending);
}

void CKantomixDoc::NewDocument()
{
    DeleteAll();
    m_modified = false;
    m_title = newDocumentTitle();
    m_path.clear();
    m_error.clear();
}

CKantomixDoc::OpenResult CKantomixDoc::Open(const QString &path)
{
    CImport reader;
    if (!reader.Open(path, QIODevice::ReadOnly)) {
        m_error = reader.errorString();
        return OpenResult::Failed;
    }
    const OpenResult result = readAll(reader);
    if (result != OpenResult::Failed) {
        m_path = path;
        m_title = QFileInfo(path).fileName();
    }
    return result;
}

CKantomixDoc::OpenResult CKantomixDoc::OpenDevice(QIODevice *device)
{
    CImport reader;
    if (!reader.OpenDevice(device)) {
        m_error = device ? device->errorString() : QString();
        return OpenResult::Failed;
    }
    return readAll(reader);
}

CKantomixDoc::OpenResult CKantomixDoc::readAll(CImport &reader)
{
    DeleteAll();
    m_error.clear();
    CPrzelewDane record;
    for (;;) {
        switch (reader.ReadRecord(record)) {
        case CImport::RecordRead:
            Add(record);
            continue;
        case CImport::RecordRejected:
            continue;
        case CImport::OldFormat:
            m_modified = false;
            m_error = Msg::oldFormat();
            return OpenResult::OldFormat;
        case CImport::EndOfFile:
            break;
        }
        break;
    }
    m_modified = false;
    if (reader.readFailed()) {
        // Half a file is not the file: say so rather than show it as whole.
        DeleteAll();
        m_error = QStringLiteral("Odczyt pliku został przerwany przez błąd urządzenia.");
        return OpenResult::Failed;
    }
    m_version = reader.version();
    return OpenResult::Opened;
}

int CKantomixDoc::saveVersion() const
{
    int version = m_version;
    for (const auto &order : m_orders) {
        if (version >= 5)
            break;
        QByteArray line;
        const bool readable = (version >= 2 || order->kind == KindOrdinary)
            && (version >= 5 || order->kind != KindTax)
            && CImport::FormatRecord(*order, version, line, nullptr);
        // An order this version cannot hold would be lost on the next open.
        if (!readable)
            version = 5;
    }
    return version;
}

bool CKantomixDoc::SaveToDevice(QIODevice *device)
{
    CImport writer;
    writer.OpenDevice(device);
    if (!writer.WriteHeader(saveVersion())) {
        m_error = writer.errorString();
        return false;
    }
    for (const auto &order : m_orders) {
        if (!writer.WriteRecord(*order)) {
            m_error = writer.errorString();
            return false;
        }
    }
    return true;
}

bool CKantomixDoc::Save(const QString &path)
{
    m_error.clear();
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (!ok)
        m_error = file.errorString();
    else if (!SaveToDevice(&file)) {
        file.cancelWriting();
        ok = false;
    } else if (!file.commit()) {
        m_error = file.errorString();
        ok = false;
    }
    if (!ok) {
        m_error = Msg::saveFailed() + u'\n' + m_error;
        return false;
    }
    m_version = saveVersion();
    m_modified = false;
    m_path = path;
    m_title = QFileInfo(path).fileName();
    return true;
}
