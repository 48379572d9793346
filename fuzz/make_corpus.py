#!/usr/bin/env python3
"""Writes the hand-made sessions of the entry-point fuzzer's corpus.

Each file is one call sequence in the layout entry_points_fuzzer.cpp reads
(see its Decoder): an operation byte, then the operation's arguments. The
fuzzer grows the corpus from here; these files make sure every road of the
module (ordinary scoring, report mode with its dialog and export, repeats,
removals, hostile arguments) is in it from the first run. The fuzzer checks
only one input in FULL_SHARE against the literal reference, chosen by a hash
of the input, so each session ends in a step that changes nothing (the set
count and name asked for) with the one index that makes it such an input.

Usage: fuzz/make_corpus.py [folder]   (default: fuzz/corpus/entry_points)
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


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "corpus", "entry_points")
    os.makedirs(folder, exist_ok=True)
    for name, session in SESSIONS.items():
        with open(os.path.join(folder, "session_" + name), "wb") as f:
            f.write(checked_in_full(session))


if __name__ == "__main__":
    main()
