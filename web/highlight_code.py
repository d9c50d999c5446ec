#!/usr/bin/python3
"""Each program's own code for its page, highlighted as C++: a list of its files, then each file
under a heading with its name, a line of the listing for each of its lines. The numbers are the
page's style's (web/site.css), drawn beside the lines and not part of them, so that a copy of the
code takes none with it. Debian's Pygments, run by the system's own Python.
Usage: highlight_code.py <site.json> <output folder>
Writes <output folder>/<program>.html for each program, from the sources site.json lists."""
import html
import json
import os
import sys

from pygments.lexers import CppLexer
from pygments.token import STANDARD_TYPES

# Text, white space, plain names and punctuation are drawn as they are: no span for them keeps
# the page small.
PLAIN = {"", "w", "n", "p", "o"}


def css_class(token_type):
    while token_type not in STANDARD_TYPES:
        token_type = token_type.parent
    name = STANDARD_TYPES[token_type]
    return "" if name in PLAIN else name


def as_html(parts):
    return "".join(f'<span class="{name}">{html.escape(text)}</span>' if name else html.escape(text)
                   for name, text in parts)


def lines(text):
    """The source as HTML, a line at a time: a token across lines (a comment) is cut at each end,
    and tokens of one kind side by side are one span."""
    line = []
    for token_type, value in CppLexer(stripnl=False).get_tokens(text):
        name = css_class(token_type)
        for i, part in enumerate(value.split("\n")):
            if i:
                yield as_html(line)
                line = []
            if part and line and line[-1][0] == name:
                line[-1] = (name, line[-1][1] + part)
            elif part:
                line.append((name, part))
    if line:
        yield as_html(line)


def listing(path):
    name = html.escape(os.path.basename(path))
    with open(path, encoding="utf-8") as f:
        text = f.read()
    numbered = "".join(f'<span class="line">{line}\n</span>' for line in lines(text))
    return (f'<h3 id="code-{name}">{name}</h3>\n'
            f'<pre class="code"><code>{numbered}</code></pre>\n')


config, output = sys.argv[1:]
with open(config, encoding="utf-8") as f:
    programs = json.load(f)["programs"]
os.makedirs(output, exist_ok=True)
for program in programs:
    names = [html.escape(os.path.basename(path)) for path in program["sources"]]
    files = "".join(f'<li><a href="#code-{name}">{name}</a></li>' for name in names)
    page = f'<ul class="code-files">{files}</ul>\n' + "".join(map(listing, program["sources"]))
    with open(os.path.join(output, program["name"] + ".html"), "w", encoding="utf-8") as f:
        f.write(page)
