#pragma once
// Where every field of an order lands inside one section of a form.
// Rectangles are 0.1 mm relative to the section's origin.

#include "print/FormCanvas.h"
#include "print/PrintJobParams.h"

class CPrzelewDane;

// templateMode: the whole form is drawn (false when printing onto a
// pre-printed original, whose currency box is already there).
void DrawOrdinaryForm(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec, bool templateMode);
void DrawZusForm(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec, bool templateMode);
void DrawTaxForm(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec, bool templateMode);
// The form of the order's kind; an ordinary form for a kind outside the three.
void DrawFormOfKind(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec, bool templateMode);
// The 60 mm receipt stub left of a form in the stub layouts; never boxed.
void DrawStub(FormCanvas &canvas, const PrintJobParams &params, const CPrzelewDane &rec);

// Drawing primitives shared by the layouts.
// One character per box from the first box, moving right by the pitch.
// False when the text has more characters than boxes (the rest is not printed).
bool DrawBoxes(FormCanvas &canvas, const LRect &first, const QString &text, int count, int pitch);
// The 26-character ZUS account pattern used with "Print3Kratki", or empty.
QString ZusThreeBoxPattern(int zusAccountType);
// A tax period "05M0300" as "05  M  03  00".
QString SpacedTaxPeriod(const QString &period);
