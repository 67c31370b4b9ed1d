#pragma once
// CHop: fills the counterparty register from the data folder of one of four
// DOS programs. Each table step adds the parties it finds or updates the row
// of the same name (any kind, any letter case) in one transaction, and
// counts its rows once committed. A step whose table or columns are missing
// is passed over quietly; one the register refuses (a write or its commit
// failing) leaves nothing behind, is remembered for the summary, and the
// import goes on with the next.

#include <QString>
#include <QStringList>

class PartyStore;

class CHop
{
public:
    enum Source { Korvant = 0, Liczydor = 1, Kontrel = 2, Plasnik = 3 };

    // dataFolder is the chosen folder followed by "/dbfs".
    CHop(int source, const QString &dataFolder, PartyStore &target);

    void Run();
    int added() const { return m_added; }
    int updated() const { return m_updated; }
    // "Zaimportowano: %d.\nZaktualizowano: %d." with the two counts (rows the
    // register holds), followed by the register's messages when a step failed.
    QString summary() const;
    // The register's messages of the steps that failed, each once.
    QStringList errors() const { return m_errors; }
    bool failed() const { return !m_errors.isEmpty(); }

    // True when `folder` (as chosen, without "/dbfs") holds the source's
    // first table as a readable DBF.
    static bool checkFolder(int source, const QString &folder);
    // Why the folder cannot be imported from, naming the table that was not
    // found or not readable; empty when it can.
    static QString folderProblem(int source, const QString &folder);
    // The data folder of a chosen folder: its "dbfs" sub-folder in any case.
    static QString dataFolderOf(const QString &folder);

    struct Step;

private:
    void runStep(const Step &step, const QString &folder, const QString &table);
    void runYearly(const QString &folder);

    int m_source;
    QString m_folder;
    PartyStore &m_target;
    int m_added = 0;
    int m_updated = 0;
    QStringList m_errors;
};
