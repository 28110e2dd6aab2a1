#!/usr/bin/env python3
"""Writes the two help documents into data/ as small one-font PDF files.

Run it again after changing a text and commit the PDFs.
"""
import os

ENGLISH = [
    ("title", "devloader - user guide"),
    ("text", "devloader configures the Varnidex 700 and 800 communicators through a serial port."),
    ("head", "Editing"),
    ("text", "Every setting of the device has its field on one of the six tabs. A field that breaks its rule"),
    ("text", "is emptied when you leave it, and a message tells which rule it broke."),
    ("head", "Files"),
    ("text", "File > Save writes the form into a .cfg file; File > Open loads one. The file varnidex.dll in"),
    ("text", "the working folder is loaded half a second after start; handshake.dll holds the handshake presets."),
    ("head", "Device"),
    ("text", "Port Settings searches the serial ports for the device and asks for its model."),
    ("text", "Download into Device writes the form into the device; Read from Device reads it back."),
    ("text", "Get Status shows the inputs, the outputs and the signal strength."),
    ("text", "Device > Reset device to factory defaults writes the factory image of the chosen model."),
    ("head", "Serial ports on Linux"),
    ("text", "COM1 ... COM32 are looked up in the folder named by DEVLOADER_PORTS, else COMn is /dev/ttyS<n-1>."),
]

HUNGARIAN = [
    ("title", "devloader - felhasználói útmutató"),
    ("text", "A devloader soros porton keresztül állítja be a Varnidex 700 és 800 kommunikátorokat."),
    ("head", "Szerkesztés"),
    ("text", "Az eszköz minden beállítása a hat fül egyikén található. A szabálynak meg nem felelő mezőt"),
    ("text", "a program elhagyáskor kiüríti, és üzenetben jelzi, melyik szabályt sértette."),
    ("head", "Fájlok"),
    ("text", "A Mentés a beállításokat .cfg fájlba írja, a Megnyitás betölti. A munkakönyvtár varnidex.dll"),
    ("text", "fájlja fél másodperccel az indulás után betöltődik; a handshake.dll a handshake előbeállításokat tartja."),
    ("head", "Eszköz"),
    ("text", "A Port beállítása megkeresi az eszközt a soros portokon, és lekérdezi a típusát."),
    ("text", "A Betöltés az eszközbe beírja a beállításokat, a Kiolvasás az eszközből visszaolvassa őket."),
    ("text", "Az Állapot lekérdezése mutatja a bemeneteket, a kimeneteket és a térerőt."),
    ("text", "A Gyári beállítások visszatöltése a választott típus gyári memóriatartalmát írja az eszközbe."),
    ("head", "Soros portok Linuxon"),
    ("text", "A COM1 ... COM32 neveket a DEVLOADER_PORTS mappában keresi, különben COMn a /dev/ttyS<n-1>."),
]

# WinAnsi lacks the Hungarian double-acute letters; map them to spare codes.
EXTRA = {"ő": 0x80, "ű": 0x81, "Ő": 0x82, "Ű": 0x83}
DIFFERENCES = "[128 /ohungarumlaut /uhungarumlaut /Ohungarumlaut /Uhungarumlaut]"


def encode(text):
    out = bytearray()
    for ch in text:
        code = EXTRA.get(ch, ord(ch))
        if code > 0xFF:
            raise ValueError("no code for %r" % ch)
        if ch in "()\\":
            out += b"\\"
        out.append(code)
    return bytes(out)


def page_stream(lines):
    ops = [b"BT"]
    y = 800
    for kind, text in lines:
        size = {"title": 18, "head": 13, "text": 10}[kind]
        y -= {"title": 0, "head": 26, "text": 15}[kind]
        font = b"/F2" if kind != "text" else b"/F1"
        ops.append(b"%s %d Tf 1 0 0 1 50 %d Tm (%s) Tj" % (font, size, y, encode(text)))
        if kind == "title":
            y -= 14
    ops.append(b"ET")
    return b"\n".join(ops)


def write_pdf(path, lines):
    stream = page_stream(lines)
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        b"/Resources << /Font << /F1 5 0 R /F2 6 0 R >> >> >>",
        b"<< /Length %d >>\nstream\n" % len(stream) + stream + b"\nendstream",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding 7 0 R >>",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding 7 0 R >>",
        b"<< /Type /Encoding /BaseEncoding /WinAnsiEncoding /Differences " + DIFFERENCES.encode() + b" >>",
    ]
    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    with open(path, "wb") as f:
        f.write(out)


def main():
    data = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")
    write_pdf(os.path.join(data, "Varnidex-help-eng.pdf"), ENGLISH)
    write_pdf(os.path.join(data, "Varnidex-help.pdf"), HUNGARIAN)


if __name__ == "__main__":
    main()
