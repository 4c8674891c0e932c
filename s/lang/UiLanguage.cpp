// s/lang/UiLanguage.cpp
#include "s/lang/UiLanguage.h"

#include <windows.h>

namespace s::lang {

namespace {

struct WholeId {
    uint16_t id;
    const wchar_t* name;
};

// Sublanguages whose packs differ: matched before the primary language.
const WholeId kWholeIds[] = {
    {0x0004, L"CHINESE_SIMPLIFIED"},   {0x0804, L"CHINESE_SIMPLIFIED"},  {0x1004, L"CHINESE_SIMPLIFIED"},
    {0x0404, L"CHINESE_TRADITIONAL"},  {0x0C04, L"CHINESE_TRADITIONAL"}, {0x1404, L"CHINESE_TRADITIONAL"},
    {0x7C04, L"CHINESE_TRADITIONAL"},  {0x001A, L"CROATIAN"},            {0x041A, L"CROATIAN"},
    {0x101A, L"CROATIAN"},             {0x0416, L"PORTUGUESE_BRAZILIAN"}, {0x0816, L"PORTUGUESE_PORTUGAL"},
    {0x081A, L"SERBIAN_LATIN"},        {0x181A, L"SERBIAN_LATIN"},       {0x0C1A, L"SERBIAN_CYRILLIC"},
    {0x1C1A, L"SERBIAN_CYRILLIC"},     {0x201A, L"BOSNIAN"},             {0x7C1A, L"SERBIAN"},
    {0x042E, L"UPPER_SORBIAN"},        {0x082E, L"LOWER_SORBIAN"},
};

struct Primary {
    uint8_t id;
    const wchar_t* name;
};

const Primary kPrimaries[] = {
    {1, L"ARABIC"},      {2, L"BULGARIAN"},   {3, L"CATALAN"},      {4, L"CHINESE"},       {5, L"CZECH"},
    {6, L"DANISH"},      {7, L"GERMAN"},      {8, L"GREEK"},        {9, L"ENGLISH"},       {10, L"SPANISH"},
    {11, L"FINNISH"},    {12, L"FRENCH"},     {13, L"HEBREW"},      {14, L"HUNGARIAN"},    {15, L"ICELANDIC"},
    {16, L"ITALIAN"},    {17, L"JAPANESE"},   {18, L"KOREAN"},      {19, L"DUTCH"},        {20, L"NORWEGIAN"},
    {21, L"POLISH"},     {22, L"PORTUGUESE"}, {23, L"ROMANSH"},     {24, L"ROMANIAN"},     {25, L"RUSSIAN"},
    {26, L"SERBIAN"},    {27, L"SLOVAK"},     {28, L"ALBANIAN"},    {29, L"SWEDISH"},      {30, L"THAI"},
    {31, L"TURKISH"},    {32, L"URDU"},       {33, L"INDONESIAN"},  {34, L"UKRAINIAN"},    {35, L"BELARUSIAN"},
    {36, L"SLOVENIAN"},  {37, L"ESTONIAN"},   {38, L"LATVIAN"},     {39, L"LITHUANIAN"},   {40, L"TAJIK"},
    {41, L"PERSIAN"},    {42, L"VIETNAMESE"}, {43, L"ARMENIAN"},    {44, L"AZERI"},        {45, L"BASQUE"},
    {47, L"MACEDONIAN"}, {50, L"TSWANA"},     {52, L"XHOSA"},       {53, L"ZULU"},         {54, L"AFRIKAANS"},
    {55, L"GEORGIAN"},   {56, L"FAEROESE"},   {57, L"HINDI"},       {58, L"MALTESE"},      {59, L"SAMI"},
    {60, L"IRISH"},      {62, L"MALAY"},      {63, L"KAZAK"},       {64, L"KYRGYZ"},       {65, L"SWAHILI"},
    {66, L"TURKMEN"},    {67, L"UZBEK"},      {68, L"TATAR"},       {69, L"BENGALI"},      {70, L"PUNJABI"},
    {71, L"GUJARATI"},   {72, L"ORIYA"},      {73, L"TAMIL"},       {74, L"TELUGU"},       {75, L"KANNADA"},
    {76, L"MALAYALAM"},  {77, L"ASSAMESE"},   {78, L"MARATHI"},     {79, L"SANSKRIT"},     {80, L"MONGOLIAN"},
    {81, L"TIBETAN"},    {82, L"WELSH"},      {83, L"KHMER"},       {84, L"LAO"},          {86, L"GALICIAN"},
    {87, L"KONKANI"},    {89, L"SINDHI"},     {90, L"SYRIAC"},      {91, L"SINHALESE"},    {93, L"INUKTITUT"},
    {94, L"AMHARIC"},    {95, L"TAMAZIGHT"},  {96, L"KASHMIRI"},    {97, L"NEPALI"},       {98, L"FRISIAN"},
    {99, L"PASHTO"},     {100, L"FILIPINO"},  {101, L"DIVEHI"},     {104, L"HAUSA"},       {106, L"YORUBA"},
    {107, L"QUECHUA"},   {108, L"SOTHO"},     {109, L"BASHKIR"},    {110, L"LUXEMBOURGISH"}, {111, L"GREENLANDIC"},
    {112, L"IGBO"},      {115, L"TIGRIGNA"},  {120, L"YI"},         {122, L"MAPUDUNGUN"},  {124, L"MOHAWK"},
    {126, L"BRETON"},    {128, L"UIGHUR"},    {129, L"MAORI"},      {130, L"OCCITAN"},     {131, L"CORSICAN"},
    {132, L"ALSATIAN"},  {133, L"YAKUT"},     {134, L"KICHE"},      {135, L"KINYARWANDA"}, {136, L"WOLOF"},
    {140, L"DARI"},
};

const wchar_t* upperName(uint16_t languageId) {
    for (const WholeId& whole : kWholeIds)
        if (whole.id == languageId) return whole.name;
    const uint8_t primary = static_cast<uint8_t>(languageId & 0xFF);
    for (const Primary& p : kPrimaries)
        if (p.id == primary) return p.name;
    return L"UNKNOWN";
}

}  // namespace

void uiLanguageName(uint16_t languageId, wchar_t* out, uint32_t outUnits) {
    if (!out || outUnits == 0) return;
    const wchar_t* name = upperName(languageId);
    uint32_t i = 0;
    for (; name[i] && i + 1 < outUnits; ++i) {
        const wchar_t c = name[i];
        out[i] = (i > 0 && c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    }
    out[i] = 0;
}

const wchar_t* currentUiLanguageName() {
    struct Name {
        wchar_t text[kUiLanguageNameUnits];
        Name() { uiLanguageName(GetUserDefaultUILanguage(), text, kUiLanguageNameUnits); }
    };
    static const Name name;
    return name.text;
}

}  // namespace s::lang
