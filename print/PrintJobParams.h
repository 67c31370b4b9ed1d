#pragma once
// What the field layouts read of the settings of a form kind: the part of a
// page's plan (PagePlan::fields) that decides how each field is written.

#include <QString>

struct PrintJobParams
{
    int fitInBox = 1;                                  // one character per box
    QString fontName = QStringLiteral("Courier New");
    int fontCharset = 1;                               // kept for the settings; Qt text is Unicode
    int fontSize = 10;                                 // points
    int printSymbol = 0;                               // print the form symbol
    int singleCopy = 0;                                // print the first section only
    QString valueDelimiter = QStringLiteral("**");     // around the amount as free text
    int opTypeMark = 0;                                // tax: print the "X" mark
    int noZusAccount = 0;                              // ZUS: leave the ZUS account row empty
    int threeZusBoxes = 0;                             // ZUS: only boxes 1, 2 and 21 of the account
    int paymentQr = 0;                                 // the payment QR code beside the form
};
