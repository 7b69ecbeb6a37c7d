#!/usr/bin/env python3
"""Runs every example of the help document through tavoli and compares what it prints
with what the help says it prints. A wrong example fails the build's tests.

The help marks its examples with classes, so that what readers see is what is run:

- <div class="example">: files (<pre class="file" data-name="NAME">), then pairs of a
  command line (<pre class="command">, written as it is typed in the Command Prompt)
  and its output (<pre class="output">, standard output then standard error;
  data-exit="N" when the exit code is not 0). data-shipped="holidays.txt" puts the
  shipped holiday script into the example's folder.
- <table class="templates">: rows with a template (<td class="t"><code>), a date and
  optionally a time (<td class="d">: YYYY-MM-DD [HH:MM:SS]) and the result
  (<td class="r"><samp>); data-era on the table gives the era list, which its
  <caption> must show.
- <table class="eras" data-template="...">: rows with an era list (<td class="e"><code>),
  a date and the result of the template, which the header row must show.
- <table class="script-lines">: rows with one line of a holiday script
  (<td class="l"><code>) and the report of "tavoli check" (<td class="r"><samp>).
- <table class="sets">: a row for each shipped holiday set (<td class="c"><code>), a
  country before its regions, in the order "tavoli countries" lists them, none left out.

Examples run in the language of their section (the lang attribute): files are written
in that language's Windows code page with CR LF line ends and tavoli reads them with
--codepage; the clock's zone is Japan Standard Time, as the help says.
"""
import argparse
import html.parser
import os
import shutil
import subprocess
import sys
import tempfile

LANGUAGES = {
    # lang: (code page, Python codec, LC_ALL)
    "en": ("1252", "cp1252", "C.UTF-8"),
    "ja": ("932", "cp932", "ja_JP.UTF-8"),
}
SHIPPED = {"holidays.txt": os.path.join("dist", "holidays", "JP.txt")}


class Node:
    def __init__(self, tag, attrs, parent):
        self.tag = tag
        self.attrs = dict(attrs)
        self.parent = parent
        self.children = []  # Node or str
        self.line = 0

    def classes(self):
        return self.attrs.get("class", "").split()

    def text(self):
        return "".join(c if isinstance(c, str) else c.text() for c in self.children)

    def find_all(self, predicate):
        for c in self.children:
            if isinstance(c, Node):
                if predicate(c):
                    yield c
                yield from c.find_all(predicate)

    def lang(self):
        node = self
        while node is not None:
            if "lang" in node.attrs:
                return node.attrs["lang"]
            node = node.parent
        return None


VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}


class TreeBuilder(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = Node("#document", [], None)
        self.current = self.root

    def handle_starttag(self, tag, attrs):
        node = Node(tag, attrs, self.current)
        node.line = self.getpos()[0]
        self.current.children.append(node)
        if tag not in VOID:
            self.current = node

    def handle_startendtag(self, tag, attrs):
        node = Node(tag, attrs, self.current)
        node.line = self.getpos()[0]
        self.current.children.append(node)

    def handle_endtag(self, tag):
        # The help closes every element it opens, in order: a slip in the markup shows here
        # instead of in a browser that guesses.
        if self.current.tag != tag:
            raise SyntaxError(f"line {self.getpos()[0]}: </{tag}> where <{self.current.tag}> "
                              f"(line {self.current.line}) is open")
        self.current = self.current.parent

    def handle_data(self, data):
        self.current.children.append(data)


def windows_arguments(line):
    """Splits a command line the way the C run-time of a Windows program does, after
    checking that the Command Prompt would pass it on unchanged."""
    quoted = False
    for c in line:
        if c == '"':
            quoted = not quoted
        elif not quoted and c in "<>|&^":
            raise ValueError(f"{c!r} outside double quotes means something else to the Command Prompt")
    if quoted:
        raise ValueError("unbalanced double quote")
    args, current, have, i, quoted = [], [], False, 0, False
    while i < len(line):
        c = line[i]
        if c in " \t" and not quoted:
            if have:
                args.append("".join(current))
                current, have = [], False
            i += 1
            continue
        have = True
        if c == "\\":
            n = 0
            while i < len(line) and line[i] == "\\":
                n += 1
                i += 1
            if i < len(line) and line[i] == '"':
                current.append("\\" * (n // 2))
                if n % 2:
                    current.append('"')
                    i += 1
            else:
                current.append("\\" * n)
            continue
        if c == '"':
            if quoted and i + 1 < len(line) and line[i + 1] == '"':
                raise ValueError('"" inside quotes is read differently by different run-times')
            quoted = not quoted
            i += 1
            continue
        current.append(c)
        i += 1
    if have:
        args.append("".join(current))
    return args


def lines_of(text):
    """Lines as shown: trailing blanks are invisible in the help, so they do not count."""
    lines = [line.rstrip(" ") for line in text.split("\n")]
    while lines and lines[-1] == "":
        lines.pop()
    return lines


class Checker:
    def __init__(self, tavoli, source_root):
        self.tavoli = tavoli
        self.source_root = source_root
        self.failures = []
        self.count = 0

    def run(self, args, lang, folder):
        codepage, _, lc_all = LANGUAGES[lang]
        env = dict(os.environ, LC_ALL=lc_all, TZ="JST-9")
        env.pop("LANG", None)
        env.pop("LC_MESSAGES", None)
        result = subprocess.run([self.tavoli] + args + ["--codepage", codepage], cwd=folder, env=env,
                                capture_output=True, timeout=120)
        output = result.stdout.decode("utf-8", "replace") + result.stderr.decode("utf-8", "replace")
        return result.returncode, output

    def compare(self, where, what, expected, exit_expected, code, output):
        self.count += 1
        if lines_of(output) != lines_of(expected) or code != exit_expected:
            self.failures.append(
                f"{where}: {what}\n  expected (exit {exit_expected}):\n" +
                "".join(f"    |{line}\n" for line in lines_of(expected)) +
                f"  tavoli printed (exit {code}):\n" + "".join(f"    |{line}\n" for line in lines_of(output)))

    def folder(self):
        return tempfile.mkdtemp(prefix="tavoli-help-")

    def write_file(self, folder, name, text, lang):
        codec = LANGUAGES[lang][1]
        body = text[1:] if text.startswith("\n") else text
        lines = body.split("\n")
        if lines and lines[-1] == "":
            lines.pop()
        with open(os.path.join(folder, name), "wb") as f:
            f.write("".join(line + "\r\n" for line in lines).encode(codec))

    def example(self, node):
        lang = node.lang()
        where = f"line {node.line}"
        folder = self.folder()
        try:
            shipped = node.attrs.get("data-shipped")
            if shipped:
                shutil.copyfile(os.path.join(self.source_root, SHIPPED[shipped]), os.path.join(folder, shipped))
            pending = None
            for child in node.find_all(lambda n: n.tag == "pre"):
                kind = child.classes()
                if "file" in kind:
                    self.write_file(folder, child.attrs["data-name"], child.text(), lang)
                elif "command" in kind:
                    if pending is not None:
                        raise ValueError(f"line {pending.line}: a command without its output")
                    pending = child
                elif "output" in kind:
                    if pending is None:
                        raise ValueError(f"line {child.line}: an output without its command")
                    line = pending.text().strip()
                    args = windows_arguments(line)
                    if not args or args[0] != "tavoli":
                        raise ValueError(f"line {pending.line}: the command does not start with tavoli")
                    code, output = self.run(args[1:], lang, folder)
                    # A browser drops the line break that directly follows <pre>.
                    shown = child.text()[1:] if child.text().startswith("\n") else child.text()
                    self.compare(f"line {pending.line} ({lang})", line, shown,
                                 int(child.attrs.get("data-exit", "0")), code, output)
                    pending = None
            if pending is not None:
                raise ValueError(f"line {pending.line}: a command without its output")
        except (ValueError, KeyError, UnicodeEncodeError) as e:
            self.failures.append(f"{where}: malformed example: {e}")
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    @staticmethod
    def cell(row, cls, inner=None):
        cells = [c for c in row.find_all(lambda n: n.tag == "td" and cls in n.classes())]
        if len(cells) != 1:
            raise ValueError(f'line {row.line}: the row needs one <td class="{cls}">')
        if inner is None:
            return cells[0].text().strip()
        found = list(cells[0].find_all(lambda n: n.tag == inner))
        if len(found) != 1:
            raise ValueError(f'line {row.line}: <td class="{cls}"> needs one <{inner}>')
        return found[0].text()

    @staticmethod
    def rows(table):
        return [row for row in table.find_all(lambda n: n.tag == "tr")
                if any(isinstance(cell, Node) and cell.tag == "td" for cell in row.children)]

    def date_arguments(self, row):
        parts = self.cell(row, "d").split()
        if not 1 <= len(parts) <= 2:
            raise ValueError(f"line {row.line}: the date cell holds YYYY-MM-DD [HH:MM:SS]")
        return parts

    def templates(self, table):
        lang = table.lang()
        era = table.attrs.get("data-era")
        if era is not None:
            captions = list(table.find_all(lambda n: n.tag == "caption"))
            if not captions or era not in captions[0].text():
                raise ValueError(f"line {table.line}: the caption must show the era list {era}")

        def check_row(row):
            template = self.cell(row, "t", "code")
            args = ["format", template] + self.date_arguments(row) + (["--era", era] if era is not None else [])
            code, output = self.run(args, lang, self.source_root)
            self.compare(f"line {row.line} ({lang})", f"template {template} on {' '.join(self.date_arguments(row))}",
                         self.cell(row, "r", "samp"), 0, code, output)

        self.rows_checked(table, check_row)

    def eras(self, table):
        lang = table.lang()
        template = table.attrs.get("data-template")
        heads = list(table.find_all(lambda n: n.tag == "th"))
        if not template or not any(template in h.text() for h in heads):
            raise ValueError(f"line {table.line}: the header must show the template of data-template")

        def check_row(row):
            era = self.cell(row, "e", "code")
            args = ["format", template] + self.date_arguments(row) + ["--era", era]
            code, output = self.run(args, lang, self.source_root)
            self.compare(f"line {row.line} ({lang})", f"era list {era} on {' '.join(self.date_arguments(row))}",
                         self.cell(row, "r", "samp"), 0, code, output)

        self.rows_checked(table, check_row)

    def script_lines(self, table):
        lang = table.lang()

        def check_row(row):
            line = self.cell(row, "l", "code")
            expected = self.cell(row, "r", "samp")
            folder = self.folder()
            try:
                self.write_file(folder, "holidays.txt", line + "\n", lang)
                code, output = self.run(["check", "holidays.txt"], lang, folder)
            finally:
                shutil.rmtree(folder, ignore_errors=True)
            self.compare(f"line {row.line} ({lang})", f"script line {line}", expected,
                         0 if expected == "OK" else 1, code, output)

        self.rows_checked(table, check_row)

    def sets(self, table):
        folder = self.folder()
        try:
            code, output = self.run(["countries", "--sets", os.path.join(self.source_root, "dist", "holidays")],
                                    table.lang(), folder)
        finally:
            shutil.rmtree(folder, ignore_errors=True)
        shipped = [line.split("\t")[0].strip() for line in lines_of(output) if line.strip()]
        listed = [self.cell(row, "c", "code") for row in self.rows(table)]
        self.compare(f"line {table.line} ({table.lang()})", "the table of holiday sets", "\n".join(shipped),
                     0, code, "\n".join(listed))

    def rows_checked(self, table, check_row):
        """Runs check_row on every row, so that one malformed row does not hide the others."""
        for row in self.rows(table):
            try:
                check_row(row)
            except (ValueError, UnicodeEncodeError) as e:
                self.failures.append(f"line {row.line}: malformed example: {e}")

    def check(self, document):
        handlers = {"example": self.example, "templates": self.templates, "eras": self.eras,
                    "script-lines": self.script_lines, "sets": self.sets}
        seen = {name: 0 for name in handlers}
        for node in document.find_all(lambda n: any(c in handlers for c in n.classes())):
            kind = next(c for c in node.classes() if c in handlers)
            if node.lang() not in LANGUAGES:
                self.failures.append(f"line {node.line}: an example outside an English or Japanese section")
                continue
            seen[kind] += 1
            try:
                handlers[kind](node)
            except ValueError as e:
                self.failures.append(f"line {node.line}: malformed example: {e}")
        # Example parts outside an example would be shown but never run.
        for node in document.find_all(lambda n: n.tag == "pre" and set(n.classes()) & {"file", "command", "output"}):
            parent = node.parent
            while parent is not None and "example" not in parent.classes():
                parent = parent.parent
            if parent is None:
                self.failures.append(f"line {node.line}: <pre class=\"{node.attrs['class']}\"> outside an example")
        return seen


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--tavoli", required=True, help="the host tavoli")
    parser.add_argument("help", help="the help document (HTML)")
    options = parser.parse_args()

    with open(options.help, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        print(f"check-examples: {options.help} is not UTF-8: {e}", file=sys.stderr)
        return 1
    if '<meta charset="utf-8">' not in text:
        print(f'check-examples: {options.help} lacks <meta charset="utf-8">', file=sys.stderr)
        return 1
    builder = TreeBuilder()
    try:
        builder.feed(text)
        builder.close()
    except SyntaxError as e:
        print(f"check-examples: {options.help}: {e}", file=sys.stderr)
        return 1
    if builder.current is not builder.root:
        print(f"check-examples: {options.help}: <{builder.current.tag}> (line {builder.current.line}) is never closed",
              file=sys.stderr)
        return 1

    source_root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    checker = Checker(os.path.abspath(options.tavoli), source_root)
    seen = checker.check(builder.root)
    for failure in checker.failures:
        print(failure, file=sys.stderr)
    summary = ", ".join(f"{n} {kind}" for kind, n in seen.items())
    if checker.failures:
        print(f"check-examples: {len(checker.failures)} of the examples FAILED ({summary})", file=sys.stderr)
        return 1
    if checker.count == 0:
        print("check-examples: the help holds no examples", file=sys.stderr)
        return 1
    print(f"check-examples: all {checker.count} results as the help shows them ({summary})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
