#pragma once
// The status bar's line about the list: how many orders it holds and their
// total, and the same for the selection, a sum per currency when they differ:
// "5 przelewów, razem 3 456,78 zł — zaznaczone 2: 1 300,00 zł".

#include <QList>
#include <QString>

class CKantomixDoc;

// Empty for a document without orders.
QString orderTotalsText(const CKantomixDoc &doc, const QList<int> &selectedRows);
