#include "app/HandedOverFile.h"

#include "app/PathBytes.h"
#include "app/SystemErrors.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

DescriptorReader::~DescriptorReader()
{
    ::close(m_fd);
}

qint64 DescriptorReader::readData(char *data, qint64 maxSize)
{
    ssize_t n;
    do
        n = ::read(m_fd, data, size_t(maxSize));
    while (n < 0 && errno == EINTR);
    if (n < 0)
        setErrorString(systemReason(errno));
    return n;
}

QString HandedOverFile::open(const QString &path)
{
    // Only a regular file or a pipe: a device such as /dev/zero would never end.
    m_shown = shownPath(path);
    const QByteArray bytes = systemPath(path);
    struct stat st;
    if (::stat(bytes.constData(), &st) != 0)
        return openProblemText(m_shown, errno);
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("%1 jest folderem, a nie plikiem.").arg(m_shown);
    if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode))
        return QStringLiteral("%1 nie jest zwykłym plikiem ani potokiem.").arg(m_shown);
    const int fd = ::open(bytes.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return openProblemText(m_shown, errno);
    m_file = std::make_unique<DescriptorReader>(fd);
    // A regular file is watched: its size and time at the end must be those of the start.
    m_watched = ::fstat(fd, &m_start) == 0 && S_ISREG(m_start.st_mode);
    m_reader.OpenDevice(m_file.get());
    // Until the file shows a header or an order it may be no file of orders
    // at all (a PDF, a photo): its lines are held back, to be told as one.
    if (!m_reader.hasHeader())
        m_notes.holdBack();
    if (m_reader.skippedFirstLine()) {
        ++m_passedOver;
        m_notes.add(QStringLiteral("wiersz 1 pominięty: sześć znaków, które nie są nagłówkiem wersji (ver=NN)"));
    }
    return {};
}

bool HandedOverFile::next(CPrzelewDane &order, int &line)
{
    for (;;) {
        const CImport::ReadResult read = m_reader.ReadRecord(order);
        if (read == CImport::EndOfFile)
            return false;
        line = int(m_reader.lineNumber());
        QString why;
        if (read != CImport::RecordRead)
            why = CImport::problemText(m_reader.lastProblem(), m_reader.version());
        else if (order.amount.value() < 0)
            why = QStringLiteral("„%1” nie jest kwotą do zapłaty (kwota ujemna)").arg(order.amount.toTwoDecimalText());
        if (why.isEmpty()) {
            ++m_ordersRead;
            m_notes.release();
            return true;
        }
        // Passed over, as the format says; the caller learns which and why.
        if (!m_reader.lastLineBlank())
            ++m_passedOver;
        m_notes.add(QStringLiteral("wiersz %1 pominięty: %2").arg(line).arg(why));
    }
}

bool HandedOverFile::changed() const
{
    struct stat now;
    return m_watched
        && (::fstat(m_file->handle(), &now) != 0 || now.st_size != m_start.st_size
            || now.st_mtim.tv_sec != m_start.st_mtim.tv_sec || now.st_mtim.tv_nsec != m_start.st_mtim.tv_nsec);
}

QString HandedOverFile::endProblem(const Wording &words)
{
    if (m_reader.readFailed())
        return QStringLiteral("Odczyt pliku %1 nie powiódł się: %2; %3.")
            .arg(m_shown, m_reader.errorString(), words.nothingDone);
    if (!m_reader.hasHeader() && m_ordersRead == 0 && m_passedOver > 0) {
        // The window refuses such a file; so does a run without it, in one line.
        m_notes.dropHeld();
        return QStringLiteral("Plik %1 nie jest plikiem przelewów: nie ma nagłówka wersji ani żadnego "
                              "przelewu, który da się odczytać; %2.")
            .arg(m_shown, words.nothingDone);
    }
    if (changed())
        return QStringLiteral("Plik %1 zmienił się w trakcie %2 (inny program go skrócił, wydłużył albo zapisał "
                              "na nowo); %3 mógłby nie odpowiadać żadnej jego wersji, %4.")
            .arg(m_shown, words.during, words.result, words.nothingDone);
    return {};
}
