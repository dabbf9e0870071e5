#!/usr/bin/env python3
"""usage: check_help.py CHM SOURCE_ROOT. Checks the compiled help file: every page is in it and in its
contents; every contents and index entry, link and image names a file in it; every notice and failure text in
the program's code is on the troubleshooting page, so that the help cannot drift from the program; and so is
each error number of a tool that Windows would not start."""
import html, os, re, subprocess, sys, tempfile

LITERALS = r'(?:"(?:[^"\\\n]|\\.)*"\s*)+'
# The numbers a person meets in "Could not process file "..." (error N)" when Windows does not start the tool.
TOOL_ERRORS = {2, 3, 5, 32, 193, 216, 225, 258, 267, 1260, 4551}


def c_text(literals):
    return "".join(re.sub(r'\\(.)', r'\1', part) for part in re.findall(r'"((?:[^"\\\n]|\\.)*)"', literals))


def program_messages(root):
    """Texts passed to a notice or a failure, directly or through a named constant (with a space, so not
    the file names that the document calls pass)."""
    code = "".join(re.sub(r'//[^\n]*', '', open(os.path.join(top, name), encoding="utf-8").read())
                   for folder in ("app", "romlist", "tool", "ui") for top, _, names in os.walk(os.path.join(root, folder))
                   for name in names if name.endswith((".cpp", ".h")))
    constants = {m[1]: c_text(m[2]) for m in re.finditer(r'\b(k\w+)\s*=\s*(' + LITERALS + ');', code)}
    messages = set()
    for call in re.finditer(r'\b(?:ShowNotice|RaiseFailure|ReportFailure|OpenDocument|RaiseUnhanded)\s*\(((?:' + LITERALS +
                            r'|[^;"])*)\)\s*;', code):
        messages |= {c_text(m) for m in re.findall(LITERALS, call[1])}
        messages |= {constants[name] for name in re.findall(r'\bk\w+', call[1]) if name in constants}
    return {m for m in messages if " " in m}


def main():
    chm, root = sys.argv[1:3]
    problems = []
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["chmls", "extractall", chm, folder], check=True, capture_output=True)
        files = {name.lower() for name in os.listdir(folder)}
        read = lambda name: open(os.path.join(folder, name), encoding="cp1252").read()
        pages = {n.lower().replace(".html.in", ".html") for n in os.listdir(os.path.join(root, "help")) if ".html" in n}
        problems += [f"{page} is not in the CHM" for page in pages - files]
        for sitemap in ("contents.hhc", "index.hhk"):
            targets = re.findall(r'name="Local" value="([^"]+)"', read(sitemap) if sitemap in files else "")
            problems += [f"{sitemap} points at {t}, not in the CHM" for t in targets if t.lower() not in files]
            if sitemap == "contents.hhc":
                problems += [f"{page} is not in the contents" for page in pages - {t.lower() for t in targets}]
        for page in (f for f in files if f.endswith(".html")):
            links = re.findall(r'(?:href|src)="([^"#:]+)', read(page))
            problems += [f"{page} links to {link}, not in the CHM" for link in links if link.lower() not in files]
        # On the page, a changing part is a <var>; in the code it is "%s" or "%d".
        shown = {html.unescape(re.sub(r'<[^>]+>', '', re.sub(r'<var>.*?</var>', '%', cell)))
                 for cell in re.findall(r'<td class="message">(.*?)</td>', read("troubleshooting.html"), re.S)}
        explained = {int(n) for n in re.findall(r'<td class="error">(\d+)</td>', read("troubleshooting.html"))}
        problems += [f"error {n} is not explained on the troubleshooting page" for n in sorted(TOOL_ERRORS - explained)]
        messages = program_messages(root)
        problems += [f"not on the troubleshooting page: {m}" for m in messages if re.sub(r'%[sd]', '%', m) not in shown]
        problems += [] if len(messages) >= 10 else [f"found only these texts in the code: {sorted(messages)}"]
    print("\n".join(sorted(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
