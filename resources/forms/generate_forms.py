#!/usr/bin/env python3
"""Writes the twelve form templates as SVG files beside this script, or into
the folder given.

    python3 resources/forms/generate_forms.py [folder]

Every template is drawn in the engine's logical units of 0.1 mm: the viewBox is
the template's frame size, so the print engine can stretch the picture to the
rectangle (0, 0)-(frame width, frame height) and print the field texts over it.  A section of a sheet is placed the way the engine's
DrawForm places it (content shift, then the section steps); inside a section
every box row is drawn on the rectangles of the field tables, so
the printed characters land in the boxes.

The layout is data: the tables below give per form family the box rows, the
labels and the other parts of a section, and per template its frame, colour
scheme and sections.  Only the SVG features that Qt's QSvgRenderer reads are
used (rect, path, text, g, use, transform, fill, stroke).
"""

from __future__ import annotations

import os
import sys
from dataclasses import dataclass
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))

LABEL_FONT = "Liberation Sans"      # Arial's metrics; installed with fonts-liberation

# ---------------------------------------------------------------------------
# Geometry shared by every form: rows 55 high, section 149.3 x 105.8 mm.

ROW_H = 55
ROWS = (33, 120, 205, 290, 375, 460, 545, 630, 715)     # tops of the box rows
R1, R2, R3, R4, R5, R6, R7, R8, R9 = ROWS
SECTION_W = 1493
SECTION_H = 1058
STUB_W = 600

# Outline of a section's frame inside its 1493 x 1058 cell; the cells of a sheet
# lie 5 units apart (or touch), so the frames keep a margin for the cut.
FRAME = (6, 3, SECTION_W - 6, SECTION_H - 5)
STUB_FRAME = (6, 3, STUB_W - 6, SECTION_H - 5)
TITLE_STRIP_W = 52                  # the vertical title bar at a section's left edge

LABEL_SIZE = 18                     # small print above the boxes (1.8 mm)
LABEL_GAP = 7                       # label baseline above the row top


@dataclass(frozen=True)
class Boxes:
    """A row of character boxes: first box at (x, y), `count` boxes `pitch` apart."""
    x: int
    y: int
    count: int
    pitch: int
    h: int = ROW_H
    groups: tuple[int, ...] = ()    # a heavier divider after these box numbers (1-based)
    marked: tuple[int, ...] = ()    # shaded boxes (1-based), e.g. the ZUS account's 1, 2 and 21


@dataclass(frozen=True)
class Label:
    x: float
    y: float                        # baseline
    text: str
    size: float = LABEL_SIZE
    bold: bool = False
    anchor: str = "start"           # start, middle, end
    role: str = "label"             # colour role of the scheme


@dataclass(frozen=True)
class Panel:
    """A framed area (signature, fee, stamp, pre-printed text bar)."""
    x0: int
    y0: int
    x1: int
    y1: int
    fill: str = "field"             # colour role of the inside
    stroke: str = "frame"
    width: float = 2


@dataclass(frozen=True)
class Letter:
    """A pre-printed letter in a box that the program crosses out with its mark."""
    x0: int
    y0: int
    x1: int
    y1: int
    text: str


@dataclass(frozen=True)
class Rule:
    """A straight line (writing line, separator)."""
    x0: float
    y0: float
    x1: float
    y1: float
    role: str = "frame"
    width: float = 1.5


@dataclass(frozen=True)
class Layout:
    """Everything of one section that is the same in all its copies."""
    title: tuple[str, ...]          # lines of the vertical title bar
    title_size: float
    frame: tuple[int, int, int, int]
    strip_w: int = TITLE_STRIP_W    # width of the title bar
    boxes: tuple[Boxes, ...] = ()
    labels: tuple[Label, ...] = ()
    panels: tuple[Panel, ...] = ()
    letters: tuple[Letter, ...] = ()
    rules: tuple[Rule, ...] = ()


def above(x: int, row_y: int, text: str, **kw) -> Label:
    """A field label in small print just above a box row."""
    return Label(x, row_y - LABEL_GAP, text, **kw)


def account_row(x_check: int, x_rest: int, y: int, pitch: int, rest: int,
                check_marked=(), rest_marked=()) -> tuple[Boxes, Boxes]:
    """Check digits (2 boxes) and bank number + account rest, grouped by fours as on the NRB forms."""
    return (Boxes(x_check, y, 2, pitch, marked=check_marked),
            Boxes(x_rest, y, rest, pitch, groups=tuple(range(4, rest, 4)), marked=rest_marked))


def sender_row(x: int, pitch: int) -> Boxes:
    """The sender's account row: 27 boxes, since a cash deposit prints the amount in
    words there from the first box at the pitch.  A transfer prints the check digits
    in boxes 1-2 and the bank number and rest from a few units right of box 3's left
    edge, so those characters still sit inside boxes 3 to 27; heavier dividers mark
    the check digits and the groups of four digits."""
    return Boxes(x, R5, 27, pitch, groups=(2, 6, 10, 14, 18, 22, 26))


# ---------------------------------------------------------------------------
# Ordinary transfer / cash deposit ("DrawOrdinaryForm", pitch 50).

P50 = 50

# The "X" of the transfer flag lands centred in (460, 300, 490, 350) for a
# transfer and in (515, 300, 560, 350) for a cash deposit, so the two choice
# boxes sit exactly there, the faint letter of each under the cross.
WP_LETTERS = (Letter(460, 300, 490, 350, "P"), Letter(515, 300, 560, 350, "W"))
WP_LABELS = (Label(475, 292, "przelew", size=14, anchor="middle"),
             Label(537.5, 292, "wpłata", size=14, anchor="middle"))

# The date prints single-line in (100, 820, 450, 870), the form symbol centred
# in (1310, 790, 1400, 850): both get a thin box of their own.
DATE_BOX = Panel(100, 820, 450, 870, width=1.2)
SYMBOL_BOX = Panel(1310, 790, 1400, 850, width=1.2)

# Lower part: stamp and signature (the date prints in (100, 820, 450, 870)),
# the fee, and the form symbol centred in (1310, 790, 1400, 850).
SIGNATURE = Panel(75, 785, 700, 1040)
FEE = Panel(720, 785, 1100, 880)

ORDINARY = Layout(
    title=("Polecenie przelewu / wpłata gotówkowa",),
    title_size=30,
    frame=FRAME,
    boxes=(
        Boxes(75, R1, 27, P50),                         # recipient name
        Boxes(75, R2, 27, P50),                         # recipient name, line 2
        *account_row(75, 180, R3, P50, 25),             # recipient account
        Boxes(75, R4, 7, P50),                          # account characters after the 25th
        Boxes(630, R4, 3, P50),                         # currency code
        Boxes(820, R4, 12, P50),                        # amount
        sender_row(75, P50),                            # sender account / amount in words
        Boxes(75, R6, 27, P50),                         # sender name
        Boxes(75, R7, 27, P50),                         # sender name, line 2
        Boxes(75, R8, 27, P50),                         # title
        Boxes(75, R9, 27, P50),                         # title, line 2
    ),
    labels=(
        above(75, R1, "nazwa odbiorcy"),
        above(75, R2, "nazwa odbiorcy cd."),
        above(75, R3, "l.k."),
        above(180, R3, "nr rachunku odbiorcy"),
        above(630, R4, "waluta"),
        above(820, R4, "kwota"),
        *WP_LABELS,
        above(75, R5, "nr rachunku zleceniodawcy (przelew) / kwota słownie (wpłata)"),
        above(75, R6, "nazwa zleceniodawcy"),
        above(75, R7, "nazwa zleceniodawcy cd."),
        above(75, R8, "tytułem"),
        above(75, R9, "tytułem cd."),
        Label(FEE.x0 + 10, FEE.y0 + 24, "Opłata:", size=20),
    ),
    panels=(SIGNATURE, FEE, DATE_BOX, SYMBOL_BOX),
    letters=WP_LETTERS,
)

# What changes from copy to copy of the ordinary form.
SIGNATURE_LABEL = "pieczęć, data i podpis(y) zleceniodawcy"
SIGNATURE_LABEL_LAST = "pieczęć, data i podpis(y) zleceniodawcy na ostatnim blankiecie"


def ordinary_copy(caption: str, signature: str) -> tuple[Label, ...]:
    return (Label((SIGNATURE.x0 + SIGNATURE.x1) / 2, SIGNATURE.y1 - 10, signature, size=16, anchor="middle"),
            Label(FRAME[2] - 14, FRAME[3] - 16, caption, size=24, bold=True, anchor="end", role="caption"))


# ---------------------------------------------------------------------------
# Tax-office transfer ("DrawTaxForm", pitch 50).

TAX_FEE = Panel(720, 785, 1100, 870)
TAX_KEYS_Y = 895
KEY_SIZE = 15
KEY_LINE = 24


def key_block(x: int, y: int, head: str, columns, gaps) -> tuple[Label, ...]:
    """A key of one-letter codes: a bold head, then columns of entries."""
    out = [Label(x, y + KEY_SIZE, head, size=KEY_SIZE, bold=True)]
    cx = x
    for i, col in enumerate(columns):
        for j, entry in enumerate(col):
            out.append(Label(cx, y + KEY_SIZE + (j + 1) * KEY_LINE, entry, size=KEY_SIZE))
        if i < len(gaps):
            cx += gaps[i]
    return tuple(out)


TAX = Layout(
    title=("PODATKI",),
    title_size=42,
    frame=FRAME,
    boxes=(
        Boxes(75, R1, 27, P50),                         # tax office
        Boxes(75, R2, 27, P50),                         # tax office, line 2
        *account_row(75, 180, R3, P50, 25),             # tax office account
        Boxes(75, R4, 7, P50),                          # account characters after the 25th
        Boxes(820, R4, 12, P50),                        # amount
        sender_row(75, P50),                            # payer account / amount in words
        Boxes(75, R6, 27, P50),                         # payer name and address
        Boxes(75, R7, 27, P50),                         # payer name and address, line 2
        Boxes(75, R8, 14, P50),                         # payer identifier (14 characters)
        Boxes(820, R8, 1, P50),                         # identifier type letter
        Boxes(1025, R8, 7, P50, groups=(2, 3, 5)),      # period: year, type, number
        Boxes(75, R9, 7, P50),                          # form or payment symbol (7 characters)
        Boxes(425, R9, 20, P50),                        # obligation identification (20 characters)
    ),
    labels=(
        above(75, R1, "01. nazwa organu podatkowego"),
        above(75, R2, "02. nazwa organu podatkowego cd."),
        above(75, R3, "03. nr rachunku bankowego organu podatkowego"),
        above(820, R4, "05. kwota"),
        *WP_LABELS,
        Label(705, R4 + 40, "PLN", size=34, bold=True, anchor="middle"),
        above(75, R5, "06. nr rachunku bankowego zobowiązanego (przelew) / kwota słownie (wpłata)"),
        above(75, R6, "07. nazwa i adres zobowiązanego"),
        above(75, R7, "08. nazwa i adres zobowiązanego cd."),
        above(75, R8, "09. NIP lub identyfikator uzupełniający zobowiązanego"),
        above(820, R8, "10. typ identyfikatora"),
        above(1025, R8, "11. okres (rok, typ okresu. nr okresu)"),
        above(75, R9, "12. symbol formularza lub płatności"),
        above(425, R9, "13. identyfikacja zobowiązania (rodzaj dokumentu np. decyzja, tytuł wykonawczy, postanowienie)",
              size=15),
        Label((SIGNATURE.x0 + SIGNATURE.x1) / 2, SIGNATURE.y1 - 10,
              "14. pieczęć, data i podpis zobowiązanego", size=16, anchor="middle"),
        Label(TAX_FEE.x0 + 10, TAX_FEE.y0 + 24, "15. Opłata:", size=20),
        # Keys of the period types and of the identifier types.
        *key_block(720, TAX_KEYS_Y, "typ okresu:",
                   (("R - rok", "P - półrocze", "K - kwartał"), ("M - miesiąc", "D - dekada", "J - dzień")), (100,)),
        *key_block(915, TAX_KEYS_Y, "typ identyfikatora:",
                   (("N - NIP", "R - REGON", "P - PESEL"),
                    ("1 - dowód osobisty", "2 - paszport", "3 - inny dokument tożsamości")), (110,)),
    ),
    panels=(SIGNATURE, TAX_FEE, DATE_BOX, SYMBOL_BOX, Panel(630, R4, 780, R4 + ROW_H, fill="accent")),
    letters=WP_LETTERS,
)


# ---------------------------------------------------------------------------
# ZUS transfer ("DrawZusForm", pitch 47): name and title pre-printed.

P47 = 47
ZUS_KEYS_Y = 800
ZUS_KEY_SIZE = 18
ZUS_KEY_LINE = 25


def zus_lines(x: int, heads: tuple[str, ...], lines: tuple[str, ...]) -> tuple[Label, ...]:
    """A column of the ZUS keys below the boxes: bold heads, then one entry a line."""
    texts = [(h, True) for h in heads] + [(t, False) for t in lines]
    return tuple(Label(x, ZUS_KEYS_Y + ZUS_KEY_SIZE + i * ZUS_KEY_LINE, t, size=ZUS_KEY_SIZE, bold=b)
                 for i, (t, b) in enumerate(texts) if t)

ZUS = Layout(
    title=("Zakład Ubezpieczeń Społecznych", "Należności z tytułu składek"),
    title_size=34,
    frame=FRAME,
    strip_w=110,                    # the boxes start 14 mm in
    boxes=(
        # Boxes 1, 2 and 21 of the 26 account boxes carry the account type.
        *account_row(140, 235, R3, P47, 24, check_marked=(1, 2), rest_marked=(19,)),  # ZUS account
        Boxes(663, R4, 3, P47),                          # currency code
        Boxes(853, R4, 12, P47),                         # amount
        sender_row(140, P47),                            # payer account / amount in words
        Boxes(140, R6, 27, P47),                         # payer name
        Boxes(140, R7, 27, P47),                         # payer name, line 2
        Boxes(140, R8, 10, P47),                         # NIP
        Boxes(663, R8, 1, P47),                          # type of the second identifier
        Boxes(758, R8, 14, P47),                         # second identifier
        Boxes(140, R9, 1, P47),                          # payment type
        Boxes(234, R9, 2, P47),                          # declaration number
        Boxes(375, R9, 6, P47, groups=(2,)),             # declaration: month, year
        Boxes(710, R9, 15, P47),                         # decision / agreement / title number
        Boxes(1320, 780, 2, P47, h=60),                  # form symbol
    ),
    labels=(
        Label(160, R1 + 40, "Zakład Ubezpieczeń Społecznych", size=36, bold=True),
        Label(160, R2 + 40, "Należności z tytułu składek", size=30, bold=True),
        above(140, R3, "01. Nr rachunku bankowego ZUS"),
        above(663, R4, "02"),
        above(853, R4, "03. Kwota"),
        above(140, R5, "04. Nr rachunku bankowego płatnika / kwota słownie"),
        above(140, R6, "05. Nazwa skrócona płatnika lub nazwisko i imię płatnika"),
        above(140, R8, "06. NIP płatnika"),
        above(663, R8, "07"),
        above(758, R8, "08. Drugi identyfikator płatnika"),
        above(140, R9, "09"),
        above(234, R9, "10. Nr deklaracji", size=15),
        above(375, R9, "11. Deklaracja"),
        above(710, R9, "12. Nr decyzji / umowy / tytułu wykonawczego"),
        # Keys of the second identifier's types and of the payment types.
        *zus_lines(140, ("07 - Typ drugiego", "identyfikatora"),
                   ("R - REGON", "P - PESEL", "1 - Dowód osobisty", "2 - Paszport", "N - NUSP")),
        *zus_lines(400, ("09 Typ wpłaty",),
                   ("S - składka za 1 m-c", "M - składka dłuższa niż m-c", "U - układ ratalny",
                    "T - odroczenie terminu", "D - dodatkowa opłata", "E - koszty egzekucyjne",
                    "A - dodatkowa opłata", "      za błędy płatnika")),
        # How the ZUS account boxes are filled in.
        *zus_lines(720, (), ("Ubezpieczenia społeczne - wpisać 83 w 1 i 2 kratce", "oraz 1 w 21 kratce", "",
                             "Ubezpieczenie zdrowotne - wpisać 78 w 1i 2 kratce", "oraz 2 w 21 kratce", "",
                             "FP i FGŚP - wpisać 73 w 1 i 2 kratce oraz 3 w 21 kratce")),
    ),
    panels=(
        Panel(140, R1, 1409, R1 + ROW_H, fill="accent"),
        Panel(140, R2, 1409, R2 + ROW_H, fill="accent"),
    ),
)


# ---------------------------------------------------------------------------
# Receipt stub ("DrawStub", 60 mm wide, free text only).

# The stub's texts are free text in the body font: a single line is centred in
# its rectangle (at 10 pt the baseline lies about 9 units below the middle), a
# wrapped text starts at the rectangle's top.  The labels sit above the texts,
# the writing lines just below the baselines.
STUB = Layout(
    title=(),                       # the title bar names the receiver of the receipt, per copy
    title_size=24,
    frame=STUB_FRAME,
    labels=(
        Label(62, 37, "nr rachunku odbiorcy"),                  # text in (60, 20, 560, 98)
        Label(62, 124, "nr rachunku odbiorcy c.d."),            # text in (60, 106, 560, 184)
        Label(62, 195, "odbiorca:"),                            # wrapped in (60, 200, 560, 357)
        Label(62, 381, "kwota:"),                               # text in (60, 365, 560, 435)
        Label(62, 546, "zleceniodawca:"),                       # wrapped in (60, 550, 560, 762)
        Label(62, 800, "opłata:"),
        Label(311, 1030, "stempel dzienny", size=16, anchor="middle"),
    ),
    panels=(
        Panel(58, 199, 566, 360, fill="write", stroke="none"),
        Panel(58, 549, 566, 765, fill="write", stroke="none"),
        Panel(58, 820, 566, 1040, fill="field", width=2),       # day stamp
    ),
    rules=(
        Rule(60, 78, 562, 78),                          # account, line 1
        Rule(60, 164, 562, 164),                        # account, line 2
        Rule(60, 422, 562, 422),                        # amount
        Rule(60, 507, 562, 507),                        # amount in words (cash deposit)
        Rule(130, 806, 562, 806),                       # fee
    ),
)

STUB_FOR_RECIPIENT = "DOWÓD/POKWITOWANIE DLA ODBIORCY"
STUB_FOR_SENDER = "DOWÓD/POKWITOWANIE DLA ZLECENIODAWCY"


# ---------------------------------------------------------------------------
# Colour schemes: "BW" black, "KOLOR_BW" black and red, "KOLOR" red.

RED = "#d7182a"
PINK = "#fde2e5"
LIGHT_RED = "#f7bcc4"

SCHEMES = {
    "BW": dict(paper="none", frame="#000000", box="#000000", label="#000000", caption="#000000",
               field="#ffffff", write="#f0f0f0", accent="#ececec", title_fill="#d9d9d9", title_text="#000000",
               letter="#9a9a9a", mark="#d0d0d0", cut="#808080"),
    "KOLOR_BW": dict(paper="none", frame=RED, box="#000000", label=RED, caption="#000000",
                     field="#ffffff", write="#fdeef0", accent=PINK, title_fill=RED, title_text="#ffffff",
                     letter=LIGHT_RED, mark=PINK, cut=RED),
    "KOLOR": dict(paper=PINK, frame=RED, box=RED, label=RED, caption=RED,
                  field="#ffffff", write="#ffffff", accent=LIGHT_RED, title_fill=RED, title_text="#ffffff",
                  letter=LIGHT_RED, mark=LIGHT_RED, cut=RED),
}


# ---------------------------------------------------------------------------
# The twelve templates and where their sections lie (DrawForm):
# content shift, then each section at its offset from the first one.

@dataclass(frozen=True)
class Section:
    layout: str                     # "form" or "stub"
    x: int                          # origin relative to the content shift
    y: int
    copy: tuple[Label, ...] = ()    # what only this copy shows
    title: tuple[str, ...] = ()     # title bar of a stub


@dataclass(frozen=True)
class Sheet:
    frame: tuple[int, int]          # 0.01 mm, as the engine's table
    shift: tuple[int, int]          # content shift of the section placement table
    form: Layout
    sections: tuple[Section, ...]


def four_up(step_y: int, copies) -> tuple[Section, ...]:
    """Top-left, top-right, bottom-right, bottom-left, as DrawForm visits them."""
    spots = ((0, 0), (1498, 0), (1498, step_y), (0, step_y))
    return tuple(Section("form", x, y, c) for (x, y), c in zip(spots, copies))


def two_up_with_stubs(copies) -> tuple[Section, ...]:
    (form1, stub1), (form2, stub2) = copies
    return (Section("stub", 0, 0, title=(stub1,)), Section("form", STUB_W, 0, form1),
            Section("form", STUB_W, 1058, form2), Section("stub", 0, 1058, title=(stub2,)))


# In DrawForm's order (top-left, top-right, bottom-right, bottom-left), so that
# the sheet read line by line shows the copies in the engine's order.
ORDINARY_4X_COPIES = (
    ordinary_copy("odcinek dla banku odbiorcy", SIGNATURE_LABEL),
    ordinary_copy("odcinek dla banku zleceniodawcy", SIGNATURE_LABEL),
    ordinary_copy("odcinek dla zleceniodawcy", SIGNATURE_LABEL_LAST),
    ordinary_copy("odcinek dla odbiorcy", SIGNATURE_LABEL_LAST),
)
ORDINARY_2X_COPIES = (
    (ordinary_copy("odcinek dla banku odbiorcy", SIGNATURE_LABEL), STUB_FOR_RECIPIENT),
    (ordinary_copy("odcinek dla banku zleceniodawcy", SIGNATURE_LABEL_LAST), STUB_FOR_SENDER),
)
TAX_2X_COPIES = (((), STUB_FOR_RECIPIENT), ((), STUB_FOR_SENDER))


def sheet_4x(frame, shift, form, step_y, copies):
    return Sheet(frame, shift, form, four_up(step_y, copies))


TEMPLATES = {
    "ZMT_4X_WZORZEC_BW": ("BW", sheet_4x((30610, 21350), (45, 10), ORDINARY, 1063, ORDINARY_4X_COPIES)),
    "ZMT_4X_WZORZEC_KOLOR_BW": ("KOLOR_BW", sheet_4x((30610, 21350), (45, 10), ORDINARY, 1063, ORDINARY_4X_COPIES)),
    "ZMT_4X_WZORZEC_KOLOR": ("KOLOR", sheet_4x((30610, 21350), (45, 10), ORDINARY, 1063, ORDINARY_4X_COPIES)),
    "ZMT_2X_WZORZEC_BW": ("BW", Sheet((21383, 21350), (45, 10), ORDINARY, two_up_with_stubs(ORDINARY_2X_COPIES))),
    "ZMT_2X_WZORZEC_KOLOR": ("KOLOR", Sheet((21383, 21350), (45, 10), ORDINARY, two_up_with_stubs(ORDINARY_2X_COPIES))),
    "ZMT_ZUS": ("KOLOR", Sheet((15109, 21327), (20, 15), ZUS, (Section("form", 0, 0), Section("form", 0, 1058)))),
    "ZMT_ZUS_BW": ("BW", Sheet((15109, 21327), (20, 15), ZUS, (Section("form", 0, 0), Section("form", 0, 1058)))),
    "ZMT_TAX_4X_WZORZEC_BW": ("BW", sheet_4x((30101, 21248), (20, 0), TAX, 1058, ((),) * 4)),
    "ZMT_TAX_4X_WZORZEC_KOLOR_BW": ("KOLOR_BW", sheet_4x((30101, 21248), (20, 0), TAX, 1058, ((),) * 4)),
    "ZMT_TAX_4X_WZORZEC_KOLOR": ("KOLOR", sheet_4x((30101, 21248), (20, 0), TAX, 1058, ((),) * 4)),
    "ZMT_TAX_2X_WZORZEC_BW": ("BW", Sheet((21091, 21268), (20, 0), TAX, two_up_with_stubs(TAX_2X_COPIES))),
    "ZMT_TAX_2X_WZORZEC_KOLOR": ("KOLOR", Sheet((21088, 21268), (20, 0), TAX, two_up_with_stubs(TAX_2X_COPIES))),
}


# ---------------------------------------------------------------------------
# SVG writing.

def num(v: float) -> str:
    """A coordinate without a needless fraction."""
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def rect(x0, y0, x1, y1, fill="none", stroke="none", width=None) -> str:
    a = f'<rect x="{num(x0)}" y="{num(y0)}" width="{num(x1 - x0)}" height="{num(y1 - y0)}" fill="{fill}"'
    if stroke != "none":
        a += f' stroke="{stroke}" stroke-width="{num(width)}"'
    return a + "/>"


def text(lbl: Label, colour: str, transform: str = "") -> str:
    attrs = [f'x="{num(lbl.x)}"', f'y="{num(lbl.y)}"', f'font-size="{num(lbl.size)}"', f'fill="{colour}"']
    if lbl.bold:
        attrs.append('font-weight="bold"')
    if lbl.anchor != "start":
        attrs.append(f'text-anchor="{lbl.anchor}"')
    if transform:
        attrs.append(f'transform="{transform}"')
    return f'<text {" ".join(attrs)}>{escape(lbl.text)}</text>'


def box_row(b: Boxes, c: dict) -> list[str]:
    x1 = b.x + b.count * b.pitch
    out = [rect(b.x, b.y, x1, b.y + b.h, fill=c["field"])]
    for n in b.marked:
        out.append(rect(b.x + (n - 1) * b.pitch, b.y, b.x + n * b.pitch, b.y + b.h, fill=c["mark"]))
    thin = "".join(f"M{num(b.x + i * b.pitch)} {b.y}v{b.h}" for i in range(1, b.count) if i not in b.groups)
    heavy = "".join(f"M{num(b.x + i * b.pitch)} {b.y}v{b.h}" for i in b.groups)
    if thin:
        out.append(f'<path d="{thin}" fill="none" stroke="{c["box"]}" stroke-width="1.2"/>')
    if heavy:
        out.append(f'<path d="{heavy}" fill="none" stroke="{c["box"]}" stroke-width="2.6"/>')
    out.append(rect(b.x, b.y, x1, b.y + b.h, stroke=c["box"], width=2.2))
    return out


def title_strip(layout: Layout, c: dict) -> str:
    """The filled bar at a section's left edge."""
    x0, y0, _, y1 = layout.frame
    return rect(x0, y0, x0 + layout.strip_w, y1, fill=c["title_fill"])


def title_texts(layout: Layout, lines: tuple[str, ...], c: dict) -> list[str]:
    """The title in the bar, read upwards, its lines centred across the bar."""
    x0, y0, _, y1 = layout.frame
    x1 = x0 + layout.strip_w
    out = []
    step = layout.title_size * 1.15
    first = (x0 + x1) / 2 + layout.title_size * 0.36 - step * (len(lines) - 1) / 2
    for i, line in enumerate(lines):
        bx = first + i * step
        cy = (y0 + y1) / 2
        lbl = Label(0, 0, line, size=layout.title_size, bold=True, anchor="middle")
        out.append(text(lbl, c["title_text"], f"translate({num(bx)},{num(cy)}) rotate(-90)"))
    return out


def layout_body(layout: Layout, c: dict) -> list[str]:
    x0, y0, x1, y1 = layout.frame
    out = []
    if c["paper"] != "none":
        out.append(rect(x0, y0, x1, y1, fill=c["paper"]))
    out.append(title_strip(layout, c))
    out += title_texts(layout, layout.title, c)
    for p in layout.panels:
        stroke = c[p.stroke] if p.stroke != "none" else "none"
        out.append(rect(p.x0, p.y0, p.x1, p.y1, fill=c[p.fill], stroke=stroke, width=p.width))
    for r in layout.rules:
        out.append(f'<path d="M{num(r.x0)} {num(r.y0)}L{num(r.x1)} {num(r.y1)}" fill="none" '
                   f'stroke="{c[r.role]}" stroke-width="{num(r.width)}"/>')
    for b in layout.boxes:
        out += box_row(b, c)
    for lt in layout.letters:
        out.append(rect(lt.x0, lt.y0, lt.x1, lt.y1, fill=c["field"], stroke=c["box"], width=2.2))
        size = (lt.y1 - lt.y0) * 0.72
        out.append(text(Label((lt.x0 + lt.x1) / 2, (lt.y0 + lt.y1) / 2 + size * 0.36, lt.text,
                              size=size, bold=True, anchor="middle"), c["letter"]))
    for lbl in layout.labels:
        out.append(text(lbl, c[lbl.role]))
    out.append(rect(x0, y0, x1, y1, stroke=c["frame"], width=3.5))
    return out


def section_width(s: Section) -> int:
    return STUB_W if s.layout == "stub" else SECTION_W


def cut_lines(sheet: Sheet, c: dict) -> list[str]:
    """Dashed lines along the gaps between the copies, across the whole sheet."""
    w, h = sheet.frame[0] // 10, sheet.frame[1] // 10
    sx, sy = sheet.shift
    d = ""
    for start in sorted({s.x for s in sheet.sections if s.x > 0}):
        end = max(s.x + section_width(s) for s in sheet.sections if s.x < start)
        d += f"M{num(sx + (start + end) / 2)} 0V{num(h)}"
    for start in sorted({s.y for s in sheet.sections if s.y > 0}):
        end = max(s.y + SECTION_H for s in sheet.sections if s.y < start)
        d += f"M0 {num(sy + (start + end) / 2)}H{num(w)}"
    if not d:
        return []
    return [f'<path d="{d}" fill="none" stroke="{c["cut"]}" stroke-width="1.5" stroke-dasharray="12,10"/>']


def svg(name: str, scheme: str, sheet: Sheet) -> str:
    c = SCHEMES[scheme]
    # The engine stretches the picture to (0, 0)-(frame / 10) with integer
    # division, so the viewBox is that very rectangle.
    w, h = sheet.frame[0] // 10, sheet.frame[1] // 10
    sx, sy = sheet.shift
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           f'<!-- {name}: generated by generate_forms.py; edit the script, not this file. '
           'Units: 0.1 mm; the viewBox is the template frame. -->',
           '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
           f'version="1.2" baseProfile="tiny" width="{num(w / 10)}mm" height="{num(h / 10)}mm" '
           f'viewBox="0 0 {num(w)} {num(h)}">',
           f'<title>{name}</title>',
           '<defs>']
    # The layouts shared by the copies, drawn once and placed by <use>.
    kinds = sorted({s.layout for s in sheet.sections})
    for kind in kinds:
        layout = sheet.form if kind == "form" else STUB
        out.append(f'<g id="{kind}" font-family="{LABEL_FONT}">')
        out += layout_body(layout, c)
        out.append('</g>')
    out.append('</defs>')
    out.append(f'<g font-family="{LABEL_FONT}">')
    out += cut_lines(sheet, c)
    for s in sheet.sections:
        x, y = sx + s.x, sy + s.y
        out.append(f'<g transform="translate({x},{y})">')
        out.append(f'<use xlink:href="#{s.layout}"/>')
        if s.layout == "stub":
            out += title_texts(STUB, s.title, c)
        for lbl in s.copy:
            out.append(text(lbl, c[lbl.role]))
        out.append('</g>')
    out.append('</g>')
    out.append('</svg>')
    return "\n".join(out) + "\n"


def main() -> None:
    folder = sys.argv[1] if len(sys.argv) > 1 else HERE
    for name, (scheme, sheet) in TEMPLATES.items():
        path = os.path.join(folder, f"{name}.svg")
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(svg(name, scheme, sheet))
        print(f"{path}: {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
