#!/usr/bin/env python3
# tests/s/xml/make_golden.py
#
# Writes GoldenCases.h: well-formed documents of the dialect and what python3's
# xml.etree.ElementTree reads from them, as one listing line per element. Run it from this
# folder when a document is added; the header is committed, so the tests need no Python.
# The listing follows the dialect where it differs on purpose: "&#160;" is a plain space,
# and each text run loses its literal leading and trailing whitespace.
import xml.etree.ElementTree as ET

DOCUMENTS = [
    '<lang name="English" id="1033"><s id="1">Wipe&#160;now</s><s id="2" tip="a &amp; b &lt; c"/></lang>',
    '<lang>\n\t<!-- a comment between elements -->\n\t<group id="6">\n\t\t<s id="608000">One &amp; two</s>\n\t</group>\n</lang>',
    '<r a="x&quot;y" b="line&#10;break&#13;">text<c/>tail &gt; here <d>inner</d></r>',
    '<r><e/><e></e><e x=""/></r>',
    '<savedata><MainWindow><View X="5" Y="-1" Name="caf\u00e9 \u20ac">Text&#160;&#160;spaced</View></MainWindow></savedata>',
    '<a><b><c><d><e f="1">deep</e></d></c></b></a>',
    '<r>\u3042\u3044 &lt;tag&gt; &amp;amp;</r>',
]

WS = ' \t\r\n'
TRAIL = ' \n\u3000\t\r'


def run(text):
    return text.lstrip(WS).rstrip(TRAIL).replace('\u00a0', ' ')


def listing(element, depth, out):
    runs = [run(t) for t in [element.text] + [c.tail for c in element] if t]
    attrs = ' '.join('%s=%s' % kv for kv in element.attrib.items())
    out.append('%d %s [%s] %s' % (depth, element.tag, attrs, '|'.join(r for r in runs if r)))
    for child in element:
        listing(child, depth + 1, out)


def literal(text):
    out = []
    for ch in text:
        if ch == '\\' or ch == '"':
            out.append('\\' + ch)
        elif ch == '\n':
            out.append('\\n')
        elif ch == '\r':
            out.append('\\r')
        elif ch == '\t':
            out.append('\\t')
        elif ord(ch) > 126:
            out.append('\\u%04X' % ord(ch))
        else:
            out.append(ch)
    return 'L"' + ''.join(out) + '"'


def main():
    rows = []
    for doc in DOCUMENTS:
        lines = []
        listing(ET.fromstring(doc.encode('utf-8')), 0, lines)
        rows.append('    {%s,\n     %s},' % (literal(doc), literal('\n'.join(lines) + '\n')))
    with open('GoldenCases.h', 'w') as f:
        f.write('// tests/s/xml/GoldenCases.h\n//\n// Made by make_golden.py from python3\'s xml.etree; do not edit by hand.\n')
        f.write('#pragma once\n\nnamespace tests {\n\nstruct GoldenCase {\n    const wchar_t* document;\n'
                '    const wchar_t* listing;\n};\n\nconst GoldenCase kGoldenCases[] = {\n')
        f.write('\n'.join(rows) + '\n};\n\n}  // namespace tests\n')


main()
