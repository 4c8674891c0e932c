// tests/s/xml/GoldenCases.h
//
// Made by make_golden.py from python3's xml.etree; do not edit by hand.
#pragma once

namespace tests {

struct GoldenCase {
    const wchar_t* document;
    const wchar_t* listing;
};

const GoldenCase kGoldenCases[] = {
    {L"<lang name=\"English\" id=\"1033\"><s id=\"1\">Wipe&#160;now</s><s id=\"2\" tip=\"a &amp; b &lt; c\"/></lang>",
     L"0 lang [name=English id=1033] \n1 s [id=1] Wipe now\n1 s [id=2 tip=a & b < c] \n"},
    {L"<lang>\n\t<!-- a comment between elements -->\n\t<group id=\"6\">\n\t\t<s id=\"608000\">One &amp; two</s>\n\t</group>\n</lang>",
     L"0 lang [] \n1 group [id=6] \n2 s [id=608000] One & two\n"},
    {L"<r a=\"x&quot;y\" b=\"line&#10;break&#13;\">text<c/>tail &gt; here <d>inner</d></r>",
     L"0 r [a=x\"y b=line\nbreak\r] text|tail > here\n1 c [] \n1 d [] inner\n"},
    {L"<r><e/><e></e><e x=\"\"/></r>",
     L"0 r [] \n1 e [] \n1 e [] \n1 e [x=] \n"},
    {L"<savedata><MainWindow><View X=\"5\" Y=\"-1\" Name=\"caf\u00E9 \u20AC\">Text&#160;&#160;spaced</View></MainWindow></savedata>",
     L"0 savedata [] \n1 MainWindow [] \n2 View [X=5 Y=-1 Name=caf\u00E9 \u20AC] Text  spaced\n"},
    {L"<a><b><c><d><e f=\"1\">deep</e></d></c></b></a>",
     L"0 a [] \n1 b [] \n2 c [] \n3 d [] \n4 e [f=1] deep\n"},
    {L"<r>\u3042\u3044 &lt;tag&gt; &amp;amp;</r>",
     L"0 r [] \u3042\u3044 <tag> &amp;\n"},
};

}  // namespace tests
