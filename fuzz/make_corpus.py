#!/usr/bin/env python3
"""Writes the hand-made corpus inputs of the entry-point and checker fuzzers.

Each file is one call sequence in the layout entry_points_fuzzer.cpp reads
(see its Decoder): an operation byte, then the operation's arguments. The
fuzzer grows the corpus from here; these files make sure every road of the
module (ordinary scoring, report mode with its dialog and export, repeats,
removals, hostile arguments) is in it from the first run. The fuzzer checks
only one input in FULL_SHARE against the literal reference, chosen by a hash
of the input, so each session ends in a step that changes nothing (the set
count and name asked for) with the one index that makes it such an input.

It also writes the checker fuzzer's corpus: small contests of two to six
Cabrillo logs that between them reach every verdict, a clock offset, the
logs the collection sets aside and the layouts loggers write.

Usage: fuzz/make_corpus.py [corpus-folder]   (default: fuzz/corpus; writes
its entry_points/ and checker/)
"""
import os
import struct
import sys

TRIVIAL, SETUP, RESET, ADD, REMOVE, CHECK, RESULT, WORLD = 0, 1, 2, 3, 5, 6, 7, 8
OK, CANCEL, NOT_SHOWN = 0, 1, 2
CALLSIGN, CLAIMED, CLUB, NAME, SOAPBOX, ADDRESS, LOCATION = 0, 1, 2, 6, 8, 9, 13
NAN, INF, NEG_INF, YEAR100_NOON, CLOSE_TO_10000 = 0, 1, 2, 6, 7
FULL_SHARE = 32  # kFullShare of entry_points_fuzzer.cpp


def text(value):
    if value is None:
        return b"\x00"
    if isinstance(value, str):
        value = value.encode("cp1251")
    assert len(value) <= 223
    return bytes([32 + len(value)]) + value


def long_text(count, char):
    return b"\x01" + bytes([count, ord(char)])


def int32(value):
    return struct.pack("<i", value)


def u32(value):
    return struct.pack("<I", value)


def date(day=0, hour=19, minute=10, almost_next=False, status=0, odd=None):
    if status is None:
        return b"\xff"
    if odd is not None:
        return bytes([status, odd])
    return bytes([status, 0x81 if almost_next else 0x80, day, hour, minute])


def answer(result=OK, edits=()):
    out = bytes([result, len(edits)])
    for field, value in edits:
        out += bytes([field]) + text(value)
    return out


def reset(report=0, call="R3XX", region="MA", grid="KO", dialog=answer(), contest=date(0, 0, 0)):
    return (bytes([RESET]) + dialog + int32(report) + text(call) + text(region) + text(grid) +
            contest + date() + b"\x01")


def contact(op, call, exchange, country, band="160", mode="CW", when=date(), freq=1830000,
            number="001"):
    return (bytes([op]) + text(call) + when + u32(freq) + text(mode) + text("599") +
            text("599") + text(number) + text(exchange) + text(country) + text("aux") +
            text(band) + date() + b"\x01")


def add(*args, **kwargs):
    return contact(ADD, *args, **kwargs)


def remove(*args, **kwargs):
    return contact(REMOVE, *args, **kwargs)


def check(call, country="UA", region="SP", band="160", mode="CW", hour=19, minute=25,
          buffer=True):
    return (bytes([CHECK]) + text(call) + text(mode) + text(country) + text(region) +
            text(band) + b"\x01" + bytes([hour, minute, 0 if buffer else 0xFF]))


def result(out_parameter=True):
    return bytes([RESULT, 0 if out_parameter else 0xFF])


def world(what, content=None):
    return bytes([WORLD, what]) + (text(content) if what < 2 else b"")


SESSIONS = {
    "worked_example": reset() + add("R3MA", "001MA", "UA") + add("R9SP", "002 SP", "UA9") +
    add("R3MA", "003 MA", "UA", band="80", mode="SSB", freq=3510000) + result() +
    check("R3NEW", region="KO") + check("R3NEW") + check("R3NEW", country=None),
    "report_ok": reset(1, dialog=answer(OK, [(ADDRESS, "L1\r\nL2"), (SOAPBOX, "73<CR>!"),
                                             (LOCATION, "MA"), (CALLSIGN, "R3XX/P")])) +
    add("R3MA", "001MA", "UA") + add("SP1A", "002 PL", "SP", band="80", mode="FM") +
    result() + result(False),
    "report_cancel_unwritable": world(0, "[Settings]\r\nAddress=A<CR><LF>B\r\nName=Ivan\r\n") +
    world(1, "X-EXTRA: 1") + world(2) + reset(7, dialog=answer(CANCEL)) +
    add("R3MA", "001MA", "UA") + result() + world(2) + result(),
    "report_not_shown_missing_folder": world(3) + reset(-1, dialog=answer(NOT_SHOWN)) +
    add("R3MA", "001MA", "UA") + result() + world(4) + result(),
    "repeat_in_tour": reset() + add("UA3ABC", "001 MA", "UA", when=date(0, 19, 10)) +
    check("UA3ABC", region="MA", minute=25) + check("UA3ABC", minute=40) +
    check("UA3ABC", hour=20, minute=10) + check("ua3abc", minute=25) +
    check("UA3ABC", band="80", minute=25) + check("UA3ABC", mode="SSB", minute=25),
    "tour_edge": reset() + add("R3AA", "001 SP", "UA", when=date(1, 19, 29, almost_next=True)) +
    check("R3AA", minute=45) + check("R3AA", minute=15),
    "long_call_refusal": reset() +
    bytes([ADD]) + long_text(255, "W") + date() + u32(1830000) + text("CW") + text("599") +
    text("599") + text("001") + text("001 MA") + text("UA") + text("") + text("160") +
    date() + b"\x01" +
    bytes([CHECK]) + long_text(255, "W") + text("CW") + text("UA") + text("") + text("160") +
    b"\x03" + bytes([19, 0, 0]),
    "null_everything": bytes([RESET]) + answer(OK) + int32(1) + b"\x00\x00\x00" + b"\xff\xff" +
    b"\x00" + bytes([ADD]) + b"\x00" + b"\xff" + u32(0) + b"\x00" * 8 + b"\xff\x00" +
    bytes([REMOVE]) + b"\x00" + b"\xff" + u32(0) + b"\x00" * 8 + b"\xff\x00" +
    bytes([CHECK]) + b"\x00" * 6 + bytes([19, 0, 0xFF]) + result(False),
    "removals": reset() + add("R3AA", "001 MA", "UA", when=date(0, 19, 10)) +
    add("R3AA", "001 MA", "UA", when=date(0, 19, 40)) +
    remove("R3AA", "001 MA", "UA", when=date(0, 19, 40)) + remove("R3AA", "", "UA") +
    remove("R3AA", "009 KO", "SP", number="") + remove("R3AA", "009 KO", "SP") + result(),
    "trivial_and_setup": bytes([TRIVIAL]) + int32(0) + b"\x00" + int32(5) +
    bytes([TRIVIAL]) + int32(-1) + b"\x02" + int32(7) + bytes([SETUP]),
    "odd_times": reset(1) + add("R3AA", "001 SP", "UA", when=date(odd=NAN)) +
    add("R3AA", "001 SP", "UA", when=date(odd=NAN)) + add("R3AB", "001 SP", "UA", when=date(odd=INF)) +
    add("R3AC", "001 SP", "UA", when=date(odd=NEG_INF)) +
    add("R3AD", "001 SP", "UA", when=date(odd=YEAR100_NOON)) +
    add("R3AE", "001 SP", "UA", when=date(odd=CLOSE_TO_10000)) +
    add("R3AF", "001 SP", "UA", when=date(status=2)) + check("R3AA", minute=0) + result(),
    "binary_settings": world(0, bytes(range(0x80, 0x100)) + b"\x00[Settings]\nName=\xff\x00x") +
    reset(1, dialog=answer(OK, [(NAME, b"\xc8\xe2\xe0\xed"), (CLUB, "")])) + result(),
    "exchanges": reset(region="SPX") + add("R1", "0012SP", "UA") + add("R2", "0012 SP", "UA9") +
    add("R3", "0012", "UA2") + add("R4", "", "UA") + add("R5", "001ma", "UA") +
    add("R6", "001 MA", "ua") + add("R7", "001 MA", "UA9 ") + add("R8", "001/KO", "DL", band="3.5") +
    add("R9", "001 KO", "DL", band="0160") + result(),
}


def input_hash(data):
    """FNV-1a, as InputHash() in entry_points_fuzzer.cpp."""
    h = 2166136261
    for b in data:
        h = ((h ^ b) * 16777619) & 0xFFFFFFFF
    return h


def checked_in_full(session):
    """The session with a closing trivial step that makes the fuzzer check
    it against the reference."""
    for index in range(1, 1 << 20):
        closed = session + bytes([TRIVIAL]) + int32(index) + b"\x00" + int32(0)
        if input_hash(closed) % FULL_SHARE == 0:
            return closed
    raise RuntimeError("no index makes the session one checked in full")


# The checker's contests: Cabrillo logs of 2025-12-14, inside the fuzzer's
# fixed period 16:00-18:00 unless a case needs otherwise, joined by the
# separator byte of checker_fuzzer.cpp.
LOG_SEPARATOR = b"\x1e"


def qso(hhmm, khz, mode, own, sent, call, rcvd, date="2025-12-14"):
    return f"QSO: {khz} {mode} {date} {hhmm} {own} {sent} {call} {rcvd}\r\n"


def cabrillo(call, lines, contest="MSK", extra=""):
    head = "START-OF-LOG: 3.0\r\n"
    if contest is not None:
        head += f"CONTEST: {contest}\r\n"
    if call is not None:
        head += f"CALLSIGN: {call}\r\n"
    return head + extra + "".join(lines) + "END-OF-LOG:\r\n"


def contest(*logs):
    """The logs joined; a text's characters are its bytes (Latin-1)."""
    return LOG_SEPARATOR.join(
        log if isinstance(log, bytes) else log.encode("latin-1") for log in logs)


def hhmm(minutes):
    """The clock time `minutes` after midnight."""
    return f"{minutes // 60:02d}{minutes % 60:02d}"


def pair(time, khz, mode, a, a_sent, b, b_sent, a_late=0):
    """One QSO as both sides log it, A's clock `a_late` minutes ahead."""
    return (qso(hhmm(time + a_late), khz, mode, a, a_sent, b, b_sent),
            qso(hhmm(time), khz, mode, b, b_sent, a, a_sent))


def clock_contest():
    """R3AA's clock is ten minutes ahead; R3BB and R3CC keep time, and each
    log has at least five partners' lines to show it, one QSO a tour."""
    logs = {"R3AA": [], "R3BB": [], "R3CC": []}
    sent = {"R3AA": "MA", "R3BB": "SP", "R3CC": "KO"}
    serial = {call: 0 for call in logs}

    def worked(time, khz, a, b):
        serial[a] += 1
        serial[b] += 1
        late = 10 if a == "R3AA" else 0
        line_a, line_b = pair(time, khz, "CW", a, f"{serial[a]:03d} {sent[a]}",
                              b, f"{serial[b]:03d} {sent[b]}", late)
        logs[a].append(line_a)
        logs[b].append(line_b)

    for tour in range(3):
        start = 16 * 60 + 30 * tour
        worked(start + 5, 1830, "R3AA", "R3BB")
        worked(start + 10, 3510, "R3AA", "R3CC")
        worked(start + 15, 1835, "R3BB", "R3CC")
        worked(start + 20, 3515, "R3BB", "R3CC")
    return contest(*(cabrillo(call, lines) for call, lines in logs.items()))


def every_verdict_contest():
    a = lambda *args: qso(*args[:2], args[2], "R3AA", *args[3:])
    b = lambda *args: qso(*args[:2], args[2], "R3BB", *args[3:])
    return contest(
        cabrillo("R3AA", [
            a("1605", 1830, "CW", "001 MA", "R3BB", "001 SP"),    # ok
            a("1608", 1831, "CW", "002 MA", "R3BB", "002 SP"),    # repeat
            a("1610", 1832, "CW", "003 MA", "R3CC", "001 KO"),    # nil
            a("1615", 3540, "CW", "004 MA", "R3BC", "003 SP"),    # busted call
            a("1640", 3510, "CW", "005 MA", "R3BB", "009 SP"),    # busted exchange
            a("1550", 3520, "CW", "006 MA", "R3BB", "005 SP"),    # outside the period
            a("1645", 7010, "CW", "007 MA", "R3BB", "006 SP"),    # wrong band
            a("1645", 3580, "RY", "008 MA", "R3BB", "007 SP"),    # wrong mode
            a("2500", 1830, "CW", "009 MA", "R3BB", "008 SP"),    # unreadable
            a("1650", 1840, "CW", "010 MA", "UA9XYZ", "001 SV"),  # no log
            a("1655", 1842, "CW", "011 MA", "UA0ZZZ", "001 ZK"),  # unique
        ]),
        cabrillo("R3BB", [
            b("1605", 1830, "CW", "001 SP", "R3AA", "001 MA"),
            b("1608", 1831, "CW", "002 SP", "R3AA", "002 MA"),
            b("1615", 3540, "CW", "003 SP", "R3AA", "004 MA"),
            b("1640", 3510, "CW", "004 SP", "R3AA", "005 MA"),
            b("1550", 3520, "CW", "005 SP", "R3AA", "006 MA"),
        ]),
        cabrillo("R3CC", [qso("1700", 1850, "CW", "R3CC", "001 KO", "UA9XYZ", "002 SV")]))


def six_logs_contest():
    """Six stations that all worked each other once, on 160 m CW."""
    regions = ["MA", "SP", "KO", "AB", "YA", "ZK"]
    logs = []
    for n in range(1, 7):
        lines = [qso(hhmm(16 * 60 + 10 + n + m), 1830 + n + m, "CW", f"R{n}AA",
                     f"{m:03d} {regions[n - 1]}", f"R{m}AA", f"{n:03d} {regions[m - 1]}")
                 for m in range(1, 7) if m != n]
        logs.append(cabrillo(f"R{n}AA", lines))
    return contest(*logs)


def checker_contests():
    ok_a, ok_b = pair(16 * 60 + 5, 1830, "CW", "R3AA", "001 MA", "R3BB", "001 SP")
    ph_a, ph_b = pair(16 * 60 + 35, 3650, "PH", "R3AA", "002 MA", "R3BB", "002 SP")
    # A QSO the two logs put a minute apart across the end of a tour, one
    # three minutes apart across the next that falls into the tour before
    # (a repeat), and one across the start of the period.
    edge_a = [qso("1629", 1830, "CW", "R3AA", "001 MA", "R3BB", "001 SP"),
              qso("1645", 1830, "CW", "R3AA", "002 MA", "R3BB", "002 SP"),
              qso("1658", 1830, "CW", "R3AA", "003 MA", "R3BB", "003 SP"),
              qso("1559", 3510, "CW", "R3AA", "004 MA", "R3BB", "004 SP")]
    edge_b = [qso("1630", 1830, "CW", "R3BB", "001 SP", "R3AA", "001 MA"),
              qso("1645", 1830, "CW", "R3BB", "002 SP", "R3AA", "002 MA"),
              qso("1701", 1830, "CW", "R3BB", "003 SP", "R3AA", "003 MA"),
              qso("1601", 3510, "CW", "R3BB", "004 SP", "R3AA", "004 MA")]
    return {
        "worked_pair": contest(cabrillo("R3AA", [ok_a, ph_a]), cabrillo("R3BB", [ok_b, ph_b])),
        "every_verdict": every_verdict_contest(),
        "clock_offset": clock_contest(),
        "collection": contest(
            cabrillo("R3AA", [ok_a]),
            cabrillo("R3AA", [ok_a, ph_a]),  # the later log of R3AA is checked
            cabrillo("R3BB", [ok_b], contest="CQ-WW-CW"),
            cabrillo(None, []),
            "",
            ok_b + ph_b),  # no header at all
        "odd_bytes": contest(
            b"\x00\x01\x02binary\xff",
            cabrillo("R3DD", [qso("1610", 1830, "CW", "R3DD", "001 MA", "R3\xc9A", "001 MA")]),
            "\xef\xbb\xbf" + cabrillo("R3AA", [ok_a], extra="CATEGORY-OPERATOR: <b>&\"x,\r\n")),
        "layouts": contest(
            cabrillo("R3AA", ["QSO: 1830 CW 2025-12-14 1605 R3AA 599 001 MA R3BB 599 001 SP\n",
                              "QSO: 1831 CW 2025-12-14 1606 R3AA 599 002 MA R3CC 599 001 KO\n"]),
            cabrillo("R3BB", ["QSO: 1830 CW 2025-12-14 1605 R3BB 001SP R3AA 001MA 0\r\n",
                              "QSO: 1832 CW 2025-12-14 1607 R3BB 002SP R3CC 2KO 0\r\n"]),
            cabrillo("R3CC", ["QSO: 1831 CW 2025-12-14 1606 R3CC 1 KO R3AA 2 MA\r\n",
                              "QSO: 1832 CW 2025-12-14 1607 R3CC 1 KO R3BB 2 SP\r\n"])),
        "own_call_and_portable": contest(
            cabrillo("R3AA", [qso("1605", 1830, "CW", "R3AA", "001 MA", "R3AA", "001 MA"),
                              qso("1610", 1832, "CW", "R3AA", "002 MA", "R3BB/P", "001 SP")]),
            cabrillo("R3BB/P", [qso("1610", 1832, "CW", "R3BB/P", "001 SP", "R3AA", "002 MA")])),
        "six_logs": six_logs_contest(),
        "tour_and_period_edges": contest(cabrillo("R3AA", edge_a), cabrillo("R3BB", edge_b)),
    }


def write_all(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "corpus")
    write_all(os.path.join(root, "entry_points"),
              {"session_" + name: checked_in_full(s) for name, s in SESSIONS.items()})
    write_all(os.path.join(root, "checker"),
              {"contest_" + name: c for name, c in checker_contests().items()})


if __name__ == "__main__":
    main()
