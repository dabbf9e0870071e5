#!/usr/bin/env python3
"""Checks the compiled help file against its pages and against the program's own texts.

usage: check_help.py CHECK CHM SOURCE_ROOT, where CHECK is one of
  contents  - every page is in the CHM, and every contents and index entry names a file in it
  links     - every link and image between the pages names a file in the CHM
  messages  - every notice and failure text in the program's code is on the troubleshooting page
"""
import html
import os
import re
import subprocess
import sys
import tempfile

CODE_FOLDERS = ("app", "romlist", "tool", "ui")
# Calls whose text arguments the user sees as a notice or a failure report.
MESSAGE_CALLS = ("ShowNotice", "RaiseFailure", "ReportFailure", "OpenDocument")


def extract(chm, folder):
    subprocess.run(["chmls", "extractall", chm, folder], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return {os.path.relpath(os.path.join(top, name), folder).replace(os.sep, "/").lower()
            for top, _, names in os.walk(folder) for name in names}


def sitemap_targets(text):
    return re.findall(r'<param\s+name="Local"\s+value="([^"]+)"', text, re.I)


def check_contents(chm, root, folder, files):
    problems = []
    pages = {name.lower() for name in os.listdir(os.path.join(root, "help")) if name.endswith(".html")}
    pages |= {name[:-3].lower() for name in os.listdir(os.path.join(root, "help")) if name.endswith(".html.in")}
    problems += [f"page {page} is not in the CHM" for page in sorted(pages - files)]
    for sitemap in ("contents.hhc", "index.hhk"):
        if sitemap not in files:
            problems.append(f"{sitemap} is not in the CHM")
            continue
        targets = sitemap_targets(open(os.path.join(folder, sitemap), encoding="cp1252").read())
        if not targets:
            problems.append(f"{sitemap} has no entries")
        problems += [f"{sitemap} points at {t}, which is not in the CHM" for t in targets if t.lower() not in files]
    listed = {t.lower() for t in sitemap_targets(open(os.path.join(folder, "contents.hhc"), encoding="cp1252").read())}
    problems += [f"page {page} is not in the contents" for page in sorted(pages - listed)]
    return problems


def check_links(chm, root, folder, files):
    problems = []
    for page in sorted(f for f in files if f.endswith(".html")):
        text = open(os.path.join(folder, page), encoding="cp1252").read()
        for target in re.findall(r'(?:href|src)="([^"#:]+)(?:#[^"]*)?"', text, re.I):
            if target.lower() not in files:
                problems.append(f"{page} links to {target}, which is not in the CHM")
    return problems


def c_string_literals(text):
    """The C++ string literals of a piece of code, unescaped, with adjacent literals joined."""
    literals = []
    for group in re.finditer(r'(?:"(?:[^"\\\n]|\\.)*"\s*)+', text):
        parts = re.findall(r'"((?:[^"\\\n]|\\.)*)"', group.group(0))
        literals.append("".join(re.sub(r'\\(.)', r'\1', part) for part in parts))
    return literals


def call_arguments(code, name):
    """The argument text of each call of `name` in the code (up to its matching parenthesis)."""
    for match in re.finditer(r'\b' + name + r'\s*\(', code):
        depth, at = 1, match.end()
        in_string = False
        while depth and at < len(code):
            char = code[at]
            if in_string:
                if char == "\\":
                    at += 1
                elif char == '"':
                    in_string = False
            elif char == '"':
                in_string = True
            elif char in "([{":
                depth += 1
            elif char in ")]}":
                depth -= 1
            at += 1
        yield code[match.end():at - 1]


def program_messages(root):
    """Every text the program passes to a notice or a failure: literals in the calls, and the literals
    of the named constants the calls use."""
    code = ""
    for folder in CODE_FOLDERS:
        for top, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith((".cpp", ".h")):
                    text = open(os.path.join(top, name), encoding="utf-8").read()
                    code += re.sub(r'//[^\n]*', '', text) + "\n"
    constants = {}
    for match in re.finditer(r'\b(k\w+)\s*=\s*((?:"(?:[^"\\\n]|\\.)*"\s*)+);', code):
        constants[match.group(1)] = c_string_literals(match.group(2))[0]
    messages = set()
    for call in MESSAGE_CALLS:
        for arguments in call_arguments(code, call):
            if call in ("OpenDocument",) and "const char*" in arguments:
                continue  # the declaration and the definition, not a call
            messages.update(c_string_literals(arguments))
            messages.update(constants[name] for name in re.findall(r'\bk\w+', arguments) if name in constants)
    return {m for m in messages if " " in m}  # not the file names the document calls pass


def pattern(text):
    """A message with each placeholder as a wildcard, so the code's "%s" matches the page's <var>...</var>."""
    return re.sub(r'\s+', ' ', re.sub(r'%[sd]', '\x00', text)).strip()


def check_messages(chm, root, folder, files):
    page = open(os.path.join(folder, "troubleshooting.html"), encoding="cp1252").read()
    shown = set()
    for cell in re.findall(r'<td class="message">(.*?)</td>', page, re.S):
        cell = re.sub(r'<var>.*?</var>', '%s', cell)
        shown.add(pattern(html.unescape(re.sub(r'<[^>]+>', '', cell))))
    messages = program_messages(root)
    problems = [] if len(messages) >= 5 else [f"found only {len(messages)} texts in the code: {sorted(messages)}"]
    problems += [f"not on the troubleshooting page: {m}" for m in sorted(messages) if pattern(m) not in shown]
    return problems


def main():
    check, chm, root = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as folder:
        files = extract(chm, folder)
        problems = {"contents": check_contents, "links": check_links, "messages": check_messages}[check](
            chm, root, folder, files)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
