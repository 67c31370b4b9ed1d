#!/usr/bin/env python3
"""Writes the round-trip fixtures of the order file format, one file per
version, straight from the column widths (independently of the C++ writer)."""

import os

HERE = os.path.dirname(os.path.abspath(__file__))


def pad(text, width):
    assert len(text) <= width, (text, width)
    return text + " " * (width - len(text))


def ordinary_body(r):
    return "".join([
        pad(r["recipient1"], 54), pad(r["recipient2"], 54), pad(r["check"], 2),
        pad(r["bank"], 8), pad(r["rest"], 34), r["flag"], pad("PLN", 3),
        pad(r["amount"], 20), pad(r["sender_account"], 54), pad(r["sender1"], 54),
        pad(r["sender2"], 54), pad(r["title1"], 54), pad(r["title2"], 54), pad(r["date"], 10),
    ])


def zus_body_new(r):
    return "".join([
        r["zus_type"], r["flag"], pad(r["amount"], 20), pad(r["sender_account"], 54),
        pad(r["sender1"], 54), pad(r["sender2"], 54), pad(r["nip"], 10), r["id_letter"],
        pad(r["supp"], 14), r["pay_letter"], pad(r["decl"], 6), pad(r["decl_no"], 2),
        pad(r["date"], 10), pad(r["decision"], 15),
    ])


def zus_body_old(r):
    return "".join([
        pad(r["check"], 2), pad(r["bank"], 8), pad(r["rest"], 9), r["flag"], pad(r["amount"], 20),
        pad(r["sender_account"], 54), pad(r["sender1"], 54), pad(r["sender2"], 54),
        pad(r["nip"], 10), r["id_letter"], pad(r["supp"], 14), r["pay_letter"],
        pad(r["decl"], 6), pad(r["decl_no"], 2), pad(r["date"], 10),
    ])


def tax_body(r):
    return "".join([
        pad(r["recipient1"], 54), pad(r["recipient2"], 54), pad(r["check"], 2),
        pad(r["bank"], 8), pad(r["rest"], 34), r["flag"], pad("PLN", 3),
        pad(r["amount"], 20), pad(r["sender_account"], 54), pad(r["sender1"], 54),
        pad(r["sender2"], 54), pad(r["title1"], 54), pad(r["payer_id"], 14), r["id_letter"],
        pad(r["period"], 7), pad(r["form"], 7), pad(r["obligation"], 20), pad(r["date"], 10),
    ])


def head(code, ref, symbol):
    return code + pad(ref, 8) + pad(symbol, 2)


ORDINARY = [
    dict(recipient1="Przedsiębiorstwo Handlowe „Źródło” Sp. z o.o.", recipient2="ul. Łąkowa 12, 00-950 Warszawa",
         check="12", bank="10101023", rest="1234567890123456", flag="P", amount="1234,50",
         sender_account="98102010260000150201234567", sender1="Zakład Stolarski Żbik",
         sender2="ul. Ćmielowska 3, 31-416 Kraków", title1="Faktura VAT 17/2026",
         title2="zapłata za meble", date="2026-11-30"),
    dict(recipient1="Jan Kowalski", recipient2="", check="", bank="10501445", rest="1000002200781234",
         flag="W", amount="120,05", sender_account="jed*dwa*zer* 5/100", sender1="Anna Nowak",
         sender2="", title1="Wpłata własna", title2="", date=""),
]

ZUS = [
    dict(zus_type="1", flag="P", amount="845,17", sender_account="12102010260000150201234567",
         sender1="Zakład Stolarski Żbik", sender2="", nip="1234567890", id_letter="R",
         supp="012345678", pay_letter="S", decl="112026", decl_no="01", date="2026-12-10",
         decision="", check="83", bank="10101023", rest="390451"),
    dict(zus_type="2", flag="W", amount="300,00", sender_account="trz*zer*zer*", sender1="Anna Nowak",
         sender2="Kraków", nip="9876543210", id_letter="P", supp="81010112345", pay_letter="M",
         decl="102026", decl_no="40", date="", decision="DEC/12/2026", check="78",
         bank="10101023", rest="390452"),
]

TAX = [
    dict(recipient1="Urząd Skarbowy Kraków-Podgórze", recipient2="", check="55",
         bank="10101270", rest="0061542222000000", flag="P", amount="2000,00",
         sender_account="98102010260000150201234567", sender1="Zakład Stolarski Żbik",
         sender2="ul. Ćmielowska 3, 31-416 Kraków", title1="Należność z tytułu podatków",
         payer_id="6771234567", id_letter="N", period="26M11", form="VAT7",
         obligation="", date="2026-12-24"),
    dict(recipient1="Urząd Skarbowy w Wieliczce", recipient2="ul. Słowackiego 7", check="",
         bank="10101270", rest="0061542222000000", flag="W", amount="7,50",
         sender_account="sie* 50/100", sender1="Anna Nowak", sender2="", title1="PIT-37",
         payer_id="81010112345", id_letter="P", period="25R", form="PIT37",
         obligation="DEC 1/2026", date="2026-04-30"),
]


def write(name, lines):
    data = "".join(line + "\r\n" for line in lines).encode("cp1250")
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    write("orders_v1.txt", [ordinary_body(r) for r in ORDINARY])
    for version in (2, 3):
        write(f"orders_v{version}.zmt", [f"ver=0{version}"]
              + [head("00", "REF0000" + str(i), "06") + ordinary_body(r) for i, r in enumerate(ORDINARY)]
              + [head("01", "", "00") + zus_body_old(r) for r in ZUS])
    write("orders_v4.zmt", ["ver=04"]
          + [head("00", "", "06") + ordinary_body(r) for r in ORDINARY]
          + [head("01", "Z1", "00") + zus_body_new(r) for r in ZUS])
    write("orders_v5.zmt", ["ver=05"]
          + [head("00", "A-17", "06") + ordinary_body(r) for r in ORDINARY]
          + [head("01", "", "00") + zus_body_new(r) for r in ZUS]
          + [head("02", "", "07") + tax_body(r) for r in TAX])


if __name__ == "__main__":
    main()
