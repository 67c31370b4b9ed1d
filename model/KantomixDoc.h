#pragma once
// The open file of orders: an ordered list of CPrzelewDane kept in the text
// format, written back in the version it was read in. Every change is
// announced (orders put in, taken out, replaced, moved, the whole list
// replaced, the modified flag, the title), so lists and windows follow it
// without being told by whoever made the change.

#include "model/PrzelewDane.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QIODevice;

class CKantomixDoc : public QObject
{
    Q_OBJECT
public:
    // NotOrderFile: neither a version header nor one readable order (a PDF,
    // a photo); nothing of it is taken.
    enum class OpenResult { Opened, OldFormat, Failed, NotOrderFile };
    // How many numbers of unread lines unreadLineNumbers() keeps.
    static constexpr int kListedUnreadLines = 5;

    CKantomixDoc();
    ~CKantomixDoc() override;

    int count() const { return int(m_orders.size()); }
    const CPrzelewDane &at(int index) const { return *m_orders[size_t(index)]; }

    // Appends, leaving the modified flag as it is.
    void Add(const CPrzelewDane &record);
    void Add(CPrzelewDane &&record);
    void Add(std::vector<CPrzelewDane> &&records);
    // Puts the record at `index` (0 to count()), the orders from there moving down.
    void Insert(int index, const CPrzelewDane &record);
    void Replace(int index, const CPrzelewDane &record);
    // Deletes `n` orders from `index` on; nothing when they are not all there.
    void Delete(int index, int n = 1);
    void DeleteAll();
    // Sorts in place; gives, for each position after the sort, the index the
    // order had before it (so a list can keep its selection on its orders).
    std::vector<int> Sort(int sortKey, bool ascending);
    // Puts the orders in the order a sort gave (position i takes the order
    // that stood at formerIndex[i]); false, changing nothing, when
    // `formerIndex` is not an arrangement of every position.
    bool Reorder(const std::vector<int> &formerIndex);

    // Empties the document for a new file: no orders, version 5, not modified.
    void NewDocument();
    QString title() const { return m_title; }
    QString path() const { return m_path; }

    // Reads a file. Opened and OldFormat both leave the orders read so far;
    // errorString() tells the reason of a failure or the old-format message.
    // A document that holds only part of its file (lines rejected, or the
    // rest after an old-format line) is opened as modified: it differs from
    // the file, and a save under the same name would drop those lines.
    OpenResult Open(const QString &path);
    OpenResult OpenDevice(QIODevice *device);
    // Writes the whole file through a temporary file that replaces the old one
    // only when every byte was written; on failure the old file stays and the
    // document stays modified.
    bool Save(const QString &path);
    bool SaveToDevice(QIODevice *device);
    QString errorString() const { return m_error; }

    // Lines of the file opened last that the document does not hold: rejected
    // ones and, after an old-format stop, that line and the rest. Blank lines
    // hold nothing and are not counted. 0 again after a save or a new document.
    int unreadLineCount() const { return m_unreadCount; }
    // The numbers (from 1, the header counted) of the first unread lines.
    const QList<int> &unreadLineNumbers() const { return m_unreadNumbers; }

    int version() const { return m_version; }
    // The version a save writes: the document's own, raised to 5 when an
    // order could not be read back from a file of that version.
    int saveVersion() const;

    // True when the file the document was read from or saved to last was
    // changed on disk since (another program wrote to it, or replaced it):
    // a save would throw that change away.
    bool fileChangedOnDisk() const;

    bool isModified() const { return m_modified; }
    void setModified(bool modified = true);

Q_SIGNALS:
    // Orders first to last (positions after the insert) are put in.
    void ordersAboutToBeInserted(int first, int last);
    void ordersInserted(int first, int last);
    // Orders first to last (positions before the removal) are taken out.
    void ordersAboutToBeRemoved(int first, int last);
    void ordersRemoved(int first, int last);
    void orderReplaced(int index);
    // A sort or Reorder moves the orders; `formerIndex` as Sort gives it.
    void ordersAboutToBeReordered();
    void ordersReordered(const std::vector<int> &formerIndex);
    // Every order at once: emptied, a new document, a file read.
    void aboutToReset();
    void reset();
    void modifiedChanged(bool modified);
    void titleChanged(const QString &title);

private:
    // Around a change of the whole list: the reset is announced, then the
    // modified flag and the title where they changed.
    void beginReset();
    void endReset();
    void clearOrders();
    void append(CPrzelewDane &&record);
    OpenResult readAll(class CImport &reader);
    void noteUnreadLine(int number);
    void clearUnreadLines();
    bool writeAll(QIODevice *device, int version);

    // What the file was like when it was read or written: size, time, identity.
    struct FileStamp
    {
        qint64 size = -1;           // -1: no file
        qint64 modifiedNs = 0;
        quint64 device = 0, inode = 0;
        bool operator==(const FileStamp &) const = default;
    };
    static FileStamp stampOf(const QString &path);

    std::vector<std::unique_ptr<CPrzelewDane>> m_orders;
    FileStamp m_stamp;
    int m_version = 5;
    bool m_modified = false;
    int m_unreadCount = 0;
    QList<int> m_unreadNumbers;
    QString m_title;
    QString m_path;
    QString m_error;
    bool m_modifiedBeforeReset = false;
    QString m_titleBeforeReset;
};
