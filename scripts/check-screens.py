#!/usr/bin/env python3
"""Refuses screen code that departs from the one way of building a screen (docs/screens.md).

Usage: check-screens.py [ROOT]   (ROOT holds src/; the repository by default)

Prints "file:line: [rule] what it breaks" for each departure and exits 1 when there is
any, 0 when there is none. Comments never count; statement text and captions count only
inside string literals, and code rules never look inside them.
"""
import os
import re
import sys

# The kit itself: these folders implement keys, reports and arrays, so they hold what screens must not.
KIT_DIRS = ("db", "host", "demo", "frame", "controls")
# Classes the system names cls* that are window-side by nature: the security layer sits above frame
# and works on controls; clsView opens the report preview window.
WINDOW_SIDE_CLS = ("src/security/", "src/reports/clsView.")

ENTRY_BASE = re.compile(r"public\s+(?:zqvr::)?frame::\w*EntryClass\b")

RULES = {
    "app-event-filter": "an application-wide event filter: every key of the application runs through it; "
                        "bind keys as window-scoped actions (frame/KeyBinding.h)",
    "key-event-filter": "an event filter that handles keys: use bindKey/bindControlKey, and enterMovesOn "
                        "for Enter to the next field",
    "index-property": "setProperty(\"index\") by hand: make control array elements with setArrayIndex "
                      "(controls/ControlArray.h)",
    "error-caption": "a hand-typed \"Error en\" caption: wire/bindKey/guarded derive it from the control "
                     "and event; the form declares the names that differ once",
    "sql-in-screen": "statement text in a screen: it belongs in the screen's store or record class",
    "swallowed-failure": "catch (...) without a rethrow: the failure is lost; let it reach the handler's report",
    "frame-in-store": "a store or record class includes frame/: hand it its connection and company, "
                      "let it raise, and let the screen report",
    "ui-inherited": "a class inherits uic's class: hold it as std::unique_ptr<Ui::frmX> ui and reach the "
                    "controls as ui->control",
}

WIDGET_BASE = re.compile(
    r"(?:public|protected|private)\s+(?:\w+::)*(?:Form|Dialog|Ui_\w+|Q\w*(?:Widget|Dialog|View|Button|Box|Edit|Frame|Bar|Window))\b")
UI_INCLUDE = re.compile(r'#\s*include\s*[<"](?:\w+/)*ui_\w+\.h[>"]')
SQL = re.compile(r"^\s*(?:SELECT\s|INSERT\s+INTO\b|UPDATE\s+\S+(?:\s+SET\b|\s*$)|DELETE\s+FROM\b)"
                 r"|\b(?:SELECT\s+(?:\*|DISTINCT\b|TOP\b|COUNT\s*\(|MAX\s*\(|MIN\s*\(|SUM\s*\()|INSERT\s+INTO\s|"
                 r"UPDATE\s+\w+\s+SET\s|DELETE\s+FROM\s)")
KEY_EVENT = re.compile(r"\bQEvent::(?:KeyPress|KeyRelease|ShortcutOverride)\b|\bQKeyEvent\b")
APP_FILTER = re.compile(
    r"(?:\bqApp|\bQ(?:Core|Gui)?Application::instance\s*\(\s*\))\s*->\s*installEventFilter\b")
FILTER_DEF = re.compile(r"\beventFilter\s*\([^;{)]*\)\s*(?:const\s*)?(?:override\s*)?(?:final\s*)?\{")
CATCH_ALL = re.compile(r"\bcatch\s*\(\s*\.\.\.\s*\)\s*\{")
RETHROW = re.compile(r"\bthrow\b|\brethrow_exception\b")
INDEX_PROP = re.compile(r'\bsetProperty\s*\(\s*(?:QStringLiteral\s*\(\s*|QLatin1String\s*\(\s*|u8?)?"index"')
FRAME_INCLUDE = re.compile(r'#\s*include\s*[<"]frame/')
# The base list of a class or struct definition, up to its opening brace.
CLASS_BASES = re.compile(r"\b(?:class|struct)\s+(?:\w+\s+)*?\w+\s*(?:final\s*)?:(?!:)([^;{}()]*)\{")
# uic's class among those bases, by either of its names (Ui_frmX, Ui::frmX).
UI_BASE = re.compile(r"(?:^|,)\s*(?:(?:public|protected|private|virtual)\s+)*(?:::\s*)?(Ui_\w+|Ui\s*::\s*\w+)\s*(?=,|$)")


def scan(text):
    """Splits C++ text into code and literals.

    Returns (code, literals): code is the text with comments blanked and the insides of string and
    character literals blanked, newlines kept so that offsets give lines; literals is a list of
    (offset, content) of every string literal, raw strings included.
    """
    out = list(text)
    literals = []
    i, n = 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            # a line comment continued by a backslash goes on
            while j < n and text[j - 1] == "\\":
                k = text.find("\n", j + 1)
                j = n if k < 0 else k
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == "R" and text.startswith('R"', i) and raw_prefix_ok(text, i):
            m = re.match(r'R"([^()\\\s]{0,16})\(', text[i:])
            if not m:
                i += 1
                continue
            close = ")" + m.group(1) + '"'
            start = i + m.end()
            j = text.find(close, start)
            j = n if j < 0 else j
            literals.append((i, text[start:j]))
            blank(start, j)
            i = j + len(close)
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
            # a quote after a digit or letter is a digit separator or a suffix, not a character literal
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            if c == '"':
                literals.append((i, text[i + 1:j]))
            blank(i + 1, min(j, n))
            i = j + 1
        else:
            i += 1
    return "".join(out), literals


def raw_prefix_ok(text, i):
    """R" opens a raw string on its own or after u8, u, U or L, not at the end of an identifier."""
    def ident(k):
        return k >= 0 and (text[k].isalnum() or text[k] == "_")
    for prefix in ("", "u8", "u", "U", "L"):
        k = i - len(prefix)
        if k >= 0 and text[k:i] == prefix and not ident(k - 1):
            return True
    return False


def block_end(code, open_brace):
    """Offset just past the brace that closes the one at open_brace."""
    depth = 0
    for k in range(open_brace, len(code)):
        if code[k] == "{":
            depth += 1
        elif code[k] == "}":
            depth -= 1
            if depth == 0:
                return k + 1
    return len(code)


def line_of(text, offset):
    return text.count("\n", 0, offset) + 1


def twin(path):
    base, ext = os.path.splitext(path)
    return base + (".cpp" if ext == ".h" else ".h")


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def check(root):
    src = os.path.join(root, "src")
    if not os.path.isdir(src):
        print(f"check-screens: no src/ folder under {root}", file=sys.stderr)
        return 2
    files = []
    for dirpath, dirnames, filenames in os.walk(src):
        dirnames.sort()
        for name in sorted(filenames):
            if name.endswith((".cpp", ".h")):
                files.append(os.path.join(dirpath, name))

    scanned = {}

    def scanned_of(path):
        if path not in scanned:
            scanned[path] = scan(read(path))
        return scanned[path]

    def is_widget_source(path):
        for p in (path, twin(path)):
            if os.path.exists(p):
                code, _ = scanned_of(p)
                text = read(p)
                if WIDGET_BASE.search(code) or UI_INCLUDE.search(text):
                    return True
        return False

    def is_entry_class_source(path):
        # An entry class the host creates (frame's EntryClass family) is the component's face, not a
        # store: it reads the host context and hands it to its store.
        for p in (path, twin(path)):
            if os.path.exists(p):
                code, _ = scanned_of(p)
                if ENTRY_BASE.search(code):
                    return True
        return False

    found = []
    for path in files:
        rel = os.path.relpath(path, root).replace(os.sep, "/")
        folder = rel.split("/")[1] if rel.count("/") >= 2 else ""
        name = os.path.basename(rel)
        kit = folder in KIT_DIRS
        screen = not kit and (name.startswith("frm") or is_widget_source(path))
        store = (name.startswith("cls") or re.match(r"\w*Store\.(cpp|h)$", name)) \
            and not rel.startswith(WINDOW_SIDE_CLS) and not kit and not is_entry_class_source(path)
        text = read(path)
        code, literals = scanned_of(path)

        def hit(offset, rule):
            found.append((rel, line_of(text, offset), rule))

        for m in APP_FILTER.finditer(code):
            hit(m.start(), "app-event-filter")
        if screen:
            for m in FILTER_DEF.finditer(code):
                body = code[m.end() - 1:block_end(code, m.end() - 1)]
                if KEY_EVENT.search(body):
                    hit(m.start(), "key-event-filter")
            for m in CATCH_ALL.finditer(code):
                body = code[m.end() - 1:block_end(code, m.end() - 1)]
                if not RETHROW.search(body):
                    hit(m.start(), "swallowed-failure")
            for offset, content in literals:
                if SQL.search(content):
                    hit(offset, "sql-in-screen")
        if folder != "frame":
            for offset, content in literals:
                if content.startswith("Error en "):
                    hit(offset, "error-caption")
        if not (folder == "controls" and name.startswith("ControlArray.")):
            # the literal "index" survives in the code text only as its quotes: match on the original
            for m in INDEX_PROP.finditer(text):
                if code[m.start()] != " ":  # not inside a comment or literal
                    hit(m.start(), "index-property")
        for m in CLASS_BASES.finditer(code):
            for b in UI_BASE.finditer(m.group(1)):
                hit(m.start(1) + b.start(1), "ui-inherited")
        if store:
            for m in FRAME_INCLUDE.finditer(text):
                if code[m.start()] != " ":
                    hit(m.start(), "frame-in-store")

    for rel, line, rule in sorted(set(found)):
        print(f"{rel}:{line}: [{rule}] {RULES[rule]}")
    if found:
        print(f"check-screens: {len(set(found))} departure(s) from the screen pattern (docs/screens.md)",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) > 2 or (len(sys.argv) == 2 and sys.argv[1] in ("-h", "--help")):
        print(__doc__.strip())
        sys.exit(0 if len(sys.argv) == 2 else 2)
    here = os.path.dirname(os.path.abspath(__file__))
    sys.exit(check(sys.argv[1] if len(sys.argv) == 2 else os.path.dirname(here)))
