#pragma once
// Calculator sessions shared by the automaton test and the calculator edit
// test: the same keys give the same results through the plain automaton and
// through the real widget.

#include <QString>
#include <QStringList>

struct CalcCase
{
    const char *name;
    const char *keys;     // space-separated: numbers, + - * / = % t (CE) u (C)
    int decimals;
    const char *evaluated; // the text of the last evaluation ("E": invalid)
    const char *shown;     // the field's text afterwards, as get text gives it
    const char *display;   // ... and as the field shows it
    bool resultRefused;    // the last result was refused and the text selected
};

inline constexpr CalcCase kCalcCases[] = {
    {"multiplication before addition", "2 + 3 * 4 =", 2, "14", "14", "14,00", false},
    {"subtraction from the left", "10 - 3 - 2 =", 2, "5", "5", "5,00", false},
    {"product then sum", "2 * 3 + 4 =", 2, "10", "10", "10,00", false},
    {"percent of the last number", "200 + 10 %", 2, "200,1", "200,1", "200,10", false},
    {"division by zero keeps the divisor", "1 / 0 =", 2, "E", "0", "0,00", true},
    {"invalid result replaced by the next number", "1 / 0 = + 2 =", 2, "2", "2", "2,00", false},
    {"repeated operator", "5 + + 3 =", 2, "8", "8", "8,00", false},
    {"operator after operator pushes the 0", "5 + * 3 =", 2, "5", "5", "5,00", false},
    {"continuing from a result", "2 + 3 = + 4 =", 2, "9", "9", "9,00", false},
    {"ten thirds", "10 / 3 =", 2, "3,33", "3,33", "3,33", false},
    {"two thirds rounds up", "2 / 3 =", 2, "0,67", "0,67", "0,67", false},
    {"ten thirds, four decimals", "10 / 3 =", 4, "3,3333", "3,3333", "3,3333", false},
    {"half rounds away from zero, no decimals", "10 / 4 =", 0, "3", "3", "3", false},
    {"negative half rounds away from zero", "0 - 10 / 4 =", 0, "-3", "-3", "-3", false},
    {"CE drops the entry and the pending operator", "2 + 3 t", 2, "2", "2", "2,00", false},
    {"C clears", "2 + 3 u", 2, "", "0", "0,00", false},
    {"negative result", "3 - 5 =", 2, "-2", "-2", "-2,00", false},
    {"decimal operand", "0,5 * 3 =", 2, "1,5", "1,5", "1,50", false},
    {"product rounded to the shown decimals", "1,25 * 0,5 =", 2, "0,63", "0,63", "0,63", false},
    {"overflow is invalid", "922337203685 * 922337203685 =", 2, "E", "922337203685",
     "922 337 203 685,00", true},
    {"result too long for the field", "999999999999 * 10 =", 2, "9999999999990", "10", "10,00", true},
};
