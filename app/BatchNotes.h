#pragma once
// The lines a batch writes for its caller about single lines and orders of
// the file (passed over, cut, doubtful), all through one place: at most
// kLimit of them, then one line with the count of the rest, so that a file
// of junk cannot bury the caller in notes. Lines can be held back until the
// file has shown it is a file of orders.

#include <QString>
#include <QStringList>
#include <functional>

class BatchNotes
{
public:
    static constexpr int kLimit = 100;

    explicit BatchNotes(std::function<void(const QString &)> sink) : m_sink(std::move(sink)) {}

    void add(const QString &line);
    // From now on lines wait; release() writes them, dropHeld() forgets them.
    void holdBack() { m_holding = true; }
    void release();
    void dropHeld();
    // Writes the count of the lines left out, if any.
    void finish();

private:
    void write(const QString &line);

    std::function<void(const QString &)> m_sink;
    QStringList m_held;
    bool m_holding = false;
    int m_given = 0;        // written or held
    qint64 m_leftOut = 0;
};

// A line as it may reach a terminal: control characters (a NUL, an escape
// sequence) appear as \x1B instead of acting.
QString printableLine(const QString &text);

// One line for the calling program on standard error, "kantomix: " first,
// written whole and printable.
void writeToStandardError(const QString &text);
