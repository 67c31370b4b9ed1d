#include "model/KantomixDoc.h"

#include "base/Messages.h"
#include "model/Cp1250.h"
#include "model/Import.h"
#include "model/PolishCollation.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>
#include <numeric>
#include <string>

#include <sys/stat.h>

namespace {

constexpr size_t kGrowth = 500;

QString newDocumentTitle() { return QStringLiteral("Nowy plik przelewów"); }

// What one order is compared by, worked out once per sort instead of once
// per comparison: a text as its Polish collation key in a shared pool, dates
// and amounts as numbers.
struct SortEntry
{
    uint32_t offset = 0;
    uint32_t length = 0;
    int64_t number = 0;
    size_t index = 0;
};

class SortKeys
{
public:
    explicit SortKeys(int key) : m_key(key) {}

    SortEntry entryFor(const CPrzelewDane &r, size_t index)
    {
        SortEntry e;
        e.index = index;
        switch (m_key) {
        case SortRecipient: addText(e, r.recipient1); break;
        case SortTitle: addText(e, r.title1); break;
        case SortAccount: addText(e, r.AccountNumberText()); break;
        case SortCurrency: addText(e, r.currency); break;
        case SortKindName: addText(e, r.kindName); break;
        case SortDate:
            e.number = r.date.isValid() ? r.date.date().toJulianDay() * 86400000LL + r.date.msecsOfDay()
                                        : INT64_MIN;
            break;
        case SortAmount: e.number = r.amount.value(); break;
        }
        return e;
    }

    int compare(const SortEntry &a, const SortEntry &b) const
    {
        if (a.length | b.length) {
            const int c = std::memcmp(m_pool.data() + a.offset, m_pool.data() + b.offset,
                                      std::min(a.length, b.length));
            if (c != 0)
                return c;
            if (a.length != b.length)
                return a.length < b.length ? -1 : 1;
        }
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    }

private:
    void addText(SortEntry &e, const QString &text)
    {
        e.offset = uint32_t(m_pool.size());
        PolishCollation::appendSortKey(text, m_pool);
        e.length = uint32_t(m_pool.size() - e.offset);
    }

    int m_key;
    std::string m_pool;
};

// Sorts [left, right] in place: pivot in the middle, left part recursively,
// right part by continuing the loop; equal entries are not swapped.
void quickSort(std::vector<SortEntry> &v, const SortKeys &keys, long left, long right, bool ascending)
{
    const int sign = ascending ? 1 : -1;
    while (left < right) {
        const SortEntry pivot = v[size_t((left + right) / 2)];
        long i = left, j = right;
        while (i <= j) {
            while (sign * keys.compare(v[size_t(i)], pivot) < 0) ++i;
            while (sign * keys.compare(v[size_t(j)], pivot) > 0) --j;
            if (i <= j) {
                if (keys.compare(v[size_t(i)], v[size_t(j)]) != 0)
                    std::swap(v[size_t(i)], v[size_t(j)]);
                ++i;
                --j;
            }
        }
        // Recurse into the smaller part so the stack stays shallow.
        if (j - left < right - i) {
            quickSort(v, keys, left, j, ascending);
            left = i;
        } else {
            quickSort(v, keys, i, right, ascending);
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
    Add(CPrzelewDane(record));
}

void CKantomixDoc::Add(CPrzelewDane &&record)
{
    const int at = count();
    Q_EMIT ordersAboutToBeInserted(at, at);
    append(std::move(record));
    Q_EMIT ordersInserted(at, at);
}

void CKantomixDoc::Add(std::vector<CPrzelewDane> &&records)
{
    if (records.empty())
        return;
    const int first = count(), last = first + int(records.size()) - 1;
    Q_EMIT ordersAboutToBeInserted(first, last);
    for (CPrzelewDane &record : records)
        append(std::move(record));
    Q_EMIT ordersInserted(first, last);
}

void CKantomixDoc::append(CPrzelewDane &&record)
{
    if (m_orders.size() == m_orders.capacity())
        m_orders.reserve(m_orders.size() + kGrowth);
    m_orders.push_back(std::make_unique<CPrzelewDane>(std::move(record)));
}

void CKantomixDoc::Insert(int index, const CPrzelewDane &record)
{
    if (index < 0 || index > count())
        return;
    Q_EMIT ordersAboutToBeInserted(index, index);
    m_orders.insert(m_orders.begin() + index, std::make_unique<CPrzelewDane>(record));
    Q_EMIT ordersInserted(index, index);
    setModified();
}

void CKantomixDoc::Replace(int index, const CPrzelewDane &record)
{
    if (index < 0 || index >= count())
        return;
    *m_orders[size_t(index)] = record;
    Q_EMIT orderReplaced(index);
    setModified();
}

void CKantomixDoc::Delete(int index, int n)
{
    if (index < 0 || n <= 0 || index > count() - n)
        return;
    Q_EMIT ordersAboutToBeRemoved(index, index + n - 1);
    m_orders.erase(m_orders.begin() + index, m_orders.begin() + index + n);
    Q_EMIT ordersRemoved(index, index + n - 1);
    setModified();
}

void CKantomixDoc::DeleteAll()
{
    beginReset();
    clearOrders();
    endReset();
}

void CKantomixDoc::clearOrders()
{
    m_orders.clear();
    m_version = 5;
}

void CKantomixDoc::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    Q_EMIT modifiedChanged(modified);
}

void CKantomixDoc::beginReset()
{
    m_modifiedBeforeReset = m_modified;
    m_titleBeforeReset = m_title;
    Q_EMIT aboutToReset();
}

void CKantomixDoc::endReset()
{
    Q_EMIT reset();
    if (m_modified != m_modifiedBeforeReset)
        Q_EMIT modifiedChanged(m_modified);
    if (m_title != m_titleBeforeReset)
        Q_EMIT titleChanged(m_title);
}

std::vector<int> CKantomixDoc::Sort(int sortKey, bool ascending)
{
    Q_EMIT ordersAboutToBeReordered();
    for (auto &order : m_orders)
        order->sortKey = sortKey;
    std::vector<int> formerIndex(m_orders.size());
    std::iota(formerIndex.begin(), formerIndex.end(), 0);
    if (m_orders.size() >= 2) {
        SortKeys keys(sortKey);
        std::vector<SortEntry> entries;
        entries.reserve(m_orders.size());
        for (size_t i = 0; i < m_orders.size(); ++i)
            entries.push_back(keys.entryFor(*m_orders[i], i));
        quickSort(entries, keys, 0, long(entries.size()) - 1, ascending);
        std::vector<std::unique_ptr<CPrzelewDane>> sorted;
        sorted.reserve(m_orders.capacity());
        for (size_t i = 0; i < entries.size(); ++i) {
            formerIndex[i] = int(entries[i].index);
            sorted.push_back(std::move(m_orders[entries[i].index]));
        }
        m_orders = std::move(sorted);
    }
    Q_EMIT ordersReordered(formerIndex);
    return formerIndex;
}

bool CKantomixDoc::Reorder(const std::vector<int> &formerIndex)
{
    if (formerIndex.size() != m_orders.size())
        return false;
    std::vector<bool> taken(m_orders.size(), false);
    for (int former : formerIndex) {
        if (former < 0 || size_t(former) >= taken.size() || taken[size_t(former)])
            return false;
        taken[size_t(former)] = true;
    }
    Q_EMIT ordersAboutToBeReordered();
    std::vector<std::unique_ptr<CPrzelewDane>> arranged;
    arranged.reserve(m_orders.capacity());
    for (int former : formerIndex)
        arranged.push_back(std::move(m_orders[size_t(former)]));
    m_orders = std::move(arranged);
    Q_EMIT ordersReordered(formerIndex);
    return true;
}

void CKantomixDoc::NewDocument()
{
    beginReset();
    clearOrders();
    m_modified = false;
    m_title = newDocumentTitle();
    m_path.clear();
    m_stamp = FileStamp();
    m_error.clear();
    clearUnreadLines();
    endReset();
}

void CKantomixDoc::noteUnreadLine(int number)
{
    if (m_unreadNumbers.size() < kListedUnreadLines)
        m_unreadNumbers.append(number);
    ++m_unreadCount;
}

void CKantomixDoc::clearUnreadLines()
{
    m_unreadCount = 0;
    m_unreadNumbers.clear();
}

CKantomixDoc::FileStamp CKantomixDoc::stampOf(const QString &path)
{
    struct stat st;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {qint64(st.st_size), qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, quint64(st.st_dev),
            quint64(st.st_ino)};
}

bool CKantomixDoc::fileChangedOnDisk() const
{
    if (m_path.isEmpty())
        return false;
    const FileStamp now = stampOf(m_path);
    // A file gone since holds nothing a save could lose.
    return now.size >= 0 && !(now == m_stamp);
}

CKantomixDoc::OpenResult CKantomixDoc::Open(const QString &path)
{
    // Taken before reading: a change while it is read shows at the next save.
    const FileStamp stamp = stampOf(path);
    CImport reader;
    if (!reader.Open(path, QIODevice::ReadOnly)) {
        m_error = reader.errorString();
        return OpenResult::Failed;
    }
    beginReset();
    const OpenResult result = readAll(reader);
    if (result == OpenResult::Opened || result == OpenResult::OldFormat) {
        m_stamp = stamp;
        m_path = path;
        m_title = QFileInfo(path).fileName();
    }
    endReset();
    return result;
}

CKantomixDoc::OpenResult CKantomixDoc::OpenDevice(QIODevice *device)
{
    CImport reader;
    if (!reader.OpenDevice(device)) {
        m_error = device ? device->errorString() : QString();
        return OpenResult::Failed;
    }
    beginReset();
    const OpenResult result = readAll(reader);
    endReset();
    return result;
}

// Within a reset: nothing is announced order by order.
CKantomixDoc::OpenResult CKantomixDoc::readAll(CImport &reader)
{
    clearOrders();
    m_error.clear();
    clearUnreadLines();
    if (reader.skippedFirstLine())
        noteUnreadLine(reader.skippedFirstLine());
    CPrzelewDane record;
    bool oldFormat = false;
    for (;;) {
        const CImport::ReadResult result = reader.ReadRecord(record);
        if (result == CImport::EndOfFile)
            break;
        if (result == CImport::RecordRead && !oldFormat) {
            append(std::move(record)); // the next read fills every field again
            continue;
        }
        // From an old-format line on nothing is taken, but the lines are
        // counted: a save under the same name would drop every one of them.
        if (result == CImport::OldFormat)
            oldFormat = true;
        if (!reader.lastLineBlank())
            noteUnreadLine(int(reader.lineNumber()));
    }
    if (reader.readFailed()) {
        // Half a file is not the file: say so rather than show it as whole.
        clearOrders();
        clearUnreadLines();
        m_modified = false;
        m_error = Msg::readFailed();
        return OpenResult::Failed;
    }
    if (!reader.hasHeader() && m_orders.empty() && m_unreadCount > 0) {
        clearUnreadLines();
        m_modified = false;
        m_error = Msg::notOrderFile();
        return OpenResult::NotOrderFile;
    }
    // Holding only part of the file, the document is not what the file holds.
    m_modified = m_unreadCount > 0;
    if (oldFormat) {
        m_error = Msg::oldFormat(); // the version stays 5
        return OpenResult::OldFormat;
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
    return writeAll(device, saveVersion());
}

bool CKantomixDoc::writeAll(QIODevice *device, int version)
{
    CImport writer;
    writer.OpenDevice(device);
    if (!writer.WriteHeader(version)) {
        m_error = writer.errorString();
        return false;
    }
    for (size_t i = 0; i < m_orders.size(); ++i) {
        if (!writer.WriteRecord(*m_orders[i])) {
            // Which order keeps the file from being written, and why.
            m_error = QStringLiteral("Przelewu nr %1 (odbiorca: %2) nie można zapisać.\n%3")
                          .arg(int(i) + 1)
                          .arg(m_orders[i]->recipient1, writer.errorString());
            return false;
        }
    }
    if (!writer.Flush()) {
        m_error = writer.errorString();
        return false;
    }
    return true;
}

bool CKantomixDoc::Save(const QString &path)
{
    m_error.clear();
    const int version = saveVersion();
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (!ok)
        m_error = file.errorString();
    else if (!writeAll(&file, version)) {
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
    m_version = version;
    clearUnreadLines(); // the file now holds exactly the document
    m_path = path;
    m_stamp = stampOf(path);
    const QString title = QFileInfo(path).fileName();
    const bool renamed = title != m_title;
    m_title = title;
    setModified(false);
    if (renamed)
        Q_EMIT titleChanged(m_title);
    return true;
}
