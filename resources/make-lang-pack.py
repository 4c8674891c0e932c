#!/usr/bin/env python3
"""Writes lang.xml, the program's language pack, from the text tables in texts/.

texts/<tag>.txt holds one "key|text" line per text of that language (blank lines and lines
starting with "#" are skipped). Keys are text ids, plus the pieces of the method lines:
desc (with {m} for the method and {n} for the count), and, pseudo, t35, t7, t3, t20, t15,
once, twice. Names of the maker and the product, web addresses, the version and the date
are the same in every language and live here. Run: python3 resources/make-lang-pack.py
(with --check it only tells whether lang.xml is what the tables make, and exits 1 if not).
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

LANGUAGES = [
    ("eng", "English", "English"),
    ("ara", "Arabic", "عربي"),
    ("ind", "Indonesian", "Bahasa Indonesia"),
    ("bel", "Belarusian", "Беларускі"),
    ("bul", "Bulgarian", "Български"),
    ("hrv", "Croatian", "Hrvatski"),
    ("cze", "Czech", "Cestina"),
    ("zhs", "Chinese_Simplified", "简体中文"),
    ("zht", "Chinese_Traditional", "繁體中文"),
    ("dan", "Danish", "Dansk"),
    ("nld", "Dutch", "Nederlands"),
    ("est", "Estonian", "Eesti"),
    ("fin", "Finnish", "Suomeksi"),
    ("deu", "German", "Deutsch"),
    ("ell", "Greek", "Ελληνικά"),
    ("spa", "Spanish", "Español"),
    ("fra", "French", "Français"),
    ("heb", "Hebrew", "עברית"),
    ("hin", "Hindi", "हिंदी"),
    ("ita", "Italian", "Italiano"),
    ("jpn", "Japanese", "日本語"),
    ("kor", "Korean", "한국어"),
    ("hun", "Hungarian", "Magyar"),
    ("nor", "Norwegian", "Norsk"),
    ("per", "Persian", "فارسی"),
    ("pol", "Polish", "Polski"),
    ("por", "Portuguese", "Português"),
    ("bra", "Portuguese_Brazilian", "Portugus Brasileiro"),
    ("rom", "Romanian", "Română"),
    ("rus", "Russian", "Русский"),
    ("cpn", "Serbian_Cyrillic", "Српски"),
    ("slk", "Slovak", "Slovensky"),
    ("slv", "Slovenian", "Slovenski"),
    ("swe", "Swedish", "Svenska"),
    ("tha", "Thai", "ไทย"),
    ("tur", "Turkish", "Türkçe"),
    ("ukr", "Ukrainian", "Українська"),
    ("vie", "Vietnamese", "Việt Nam"),
    ("srp", "Serbian_Latin", "Srpski (Partial)"),
    ("vec", "Venetian", "Vèneto (vec-to) (Partial)"),
]

# Packs that may leave texts to the English fallback.
PARTIAL = {"vec"}

# The same in every language: names, addresses, version and date.
FIXED = {
    100000: "Ostrel",
    101000: "http://www.ostrel.example/",
    106000: "http://www.ostrel.example/contact/",
    108000: "http://www.ostrel.example/software/",
    108200: "http://www.ostrel.example/workplace/",
    108500: "http://www.ostrel.example/translate/",
    300000: "Ostrel Brakvane",
    500000: "Brakvane",
    500002: "Ostrel Brakvane",
    500003: "http://www.ostrel.example/brakvane/",
    500004: "http://www.ostrel.example/brakvane/feedback/",
    500006: "http://www.ostrel.example/brakvane/update/",
    500010: "1.23",
    500020: "2026-12-10",
    500100: "http://www.ostrel.example/donate/",
    # The name of the output subfolder: one folder whatever the interface's language.
    608225: "Output",
}

# Every id in document order. 608000 to 608250 are the output-folder menu of the drop-box
# dialog and 608299 the text of an unusable output folder; 1500100 heads the end-of-run list
# of what could not be wiped, 1500110 to 1500190 say how each item was left ({name} takes
# the name it has now).
IDS = [
    100000, 101000, 105000, 106000, 107000, 108000, 108100, 108200, 108500, 300000, 400010,
    400020, 400030, 400050, 400080, 400100, 400110, 400120, 400200, 400210, 400220, 400230,
    400300, 400310, 400320, 400330, 400340, 400380, 400390, 500000, 500001, 500002, 500003,
    500004, 500006, 500010, 500020, 500030, 500050, 500051, 500052, 500089, 500090, 500100,
    500101, 500102, 608000, 608010, 608100, 608210, 608220, 608225, 608230, 608240, 608250,
    608299, 609000, 609100, 609200, 609300, 609350, 609400, 609420, 609430,
    609440, 609450, 609460, 700000, 700001, 701000, 701100, 701200, 701300, 1000000, 1001000,
    1002000, 1003000, 1004000, 1005000, 1006000, 1006050, 1006060, 1006070, 1006080, 1006085,
    1006090, 1100000, 1100100, 1100200, 1100300, 1200000, 1200100, 1200101, 1200200, 1200201,
    1200300, 1200301, 1200400, 1200401, 1200901, 1200902, 1200903, 1200904, 1500000, 1500010,
    1500100, 1500110, 1500120, 1500130, 1500140, 1500150, 1500160, 1500170, 1500180, 1500190,
    2010000000, 2010001000,
]

# Texts shown twice in the interface under two ids; a table may give the second its own
# (the "Keep on Top" check box has less room than the menu item).
SAME_AS = {701100: 400100, 1000000: 609100}

NBSP = "\u00a0"
FOLLOW_UP = (1200901, 1200902, 1200903, 1200904)

SERBIAN_LATIN = {
    "А": "A", "Б": "B", "В": "V", "Г": "G", "Д": "D", "Ђ": "Đ", "Е": "E", "Ж": "Ž", "З": "Z",
    "И": "I", "Ј": "J", "К": "K", "Л": "L", "Љ": "Lj", "М": "M", "Н": "N", "Њ": "Nj", "О": "O",
    "П": "P", "Р": "R", "С": "S", "Т": "T", "Ћ": "Ć", "У": "U", "Ф": "F", "Х": "H", "Ц": "C",
    "Ч": "Č", "Џ": "Dž", "Ш": "Š",
}
SERBIAN_LATIN.update({k.lower(): v.lower() for k, v in list(SERBIAN_LATIN.items())})


def to_serbian_latin(text):
    return "".join(SERBIAN_LATIN.get(c, c) for c in text)


def read_table(tag):
    path = os.path.join(HERE, "texts", tag + ".txt")
    table = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            key, sep, text = line.partition("|")
            if not sep:
                sys.exit(f"{path}:{number}: no '|'")
            key = int(key) if key.isdigit() else key
            if key in table:
                sys.exit(f"{path}:{number}: {key} given twice")
            table[key] = text
    return table


def compose(table):
    """The method lines, the shared texts and the follow-up spaces from a language's table."""
    texts = {k: v for k, v in table.items() if isinstance(k, int)}
    if "desc" in table:
        dod = "US DoD 5220.22-M (8-306. / E, C " + table["and"] + " E)"
        lines = {
            1200100: ("Gutmann", "t35"),
            1200200: (dod, "t7"),
            1200300: ("US DoD 5220.22-M (8-306. / E)", "t3"),
            1200400: (table["pseudo"], "once"),
        }
        for tid, (method, count) in lines.items():
            texts[tid] = table["desc"].replace("{m}", method).replace("{n}", table[count])
        for tid, count in ((1200101, "t20"), (1200201, "t15"), (1200301, "t7"), (1200401, "twice")):
            texts[tid] = table[count]
    for tid, source in SAME_AS.items():
        if source in texts and tid not in texts:
            texts[tid] = texts[source]
    for tid in FOLLOW_UP:
        if tid in texts:
            texts[tid] += NBSP
    texts.update(FIXED)
    return texts


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def main():
    packs = {}
    for tag, _, _ in LANGUAGES:
        if tag == "srp":
            continue
        packs[tag] = compose(read_table(tag))
    packs["srp"] = {k: to_serbian_latin(v) if k not in FIXED else v for k, v in packs["cpn"].items()}
    english = packs["eng"]
    for tag, texts in packs.items():
        unknown = set(texts) - set(IDS)
        if unknown:
            sys.exit(f"{tag}: ids not in the pack: {sorted(unknown)}")
        missing = [i for i in IDS if i not in texts]
        if missing and tag not in PARTIAL:
            sys.exit(f"{tag}: missing {missing}")
    out = ["<lang>", "<languages>"]
    for tag, eng, native in LANGUAGES:
        out.append(f'<entry tagName="{tag}" engName="{eng}" trueName="{native}"></entry>')
    out += ["</languages>", "<entries>"]
    for tid in IDS:
        out.append(f'<entry id="{tid}">')
        out.append(f"<eng>{escape(english[tid])}</eng>")
        for tag, _, _ in LANGUAGES[1:]:
            if tid in packs[tag]:
                out.append(f"<{tag}>{escape(packs[tag][tid])}</{tag}>")
        out.append("</entry>")
    out += ["</entries>", "</lang>", ""]
    document = "\n".join(out)
    path = os.path.join(HERE, "lang.xml")
    if "--check" in sys.argv[1:]:
        with open(path, encoding="utf-8", newline="") as f:
            if f.read() != document:
                sys.exit("lang.xml differs from the text tables: run resources/make-lang-pack.py")
        print("lang.xml matches the text tables")
        return
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(document)


if __name__ == "__main__":
    main()
