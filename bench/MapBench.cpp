// bench/MapBench.cpp
//
// Hash-table inserts and lookups with StrBuffer keys beside std::unordered_map with the
// same texts as std::wstring, in the same run; hashing is timed, making keys is not. The
// table runs with the strings' own hashCode and with FNV-1a, to tell the table's cost from
// how the strings' hash spreads path-like keys. Best of three rounds; figures only, not a
// test. Usage: map_bench [key count] (default 200000).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/PathTexts.h"
#include "bench/Timing.h"
#include "s/map/MapTable.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace {

using s::map::MapTable;
using s::str::strbuffer::StrBuffer;
using bench::bestOfThree;
using bench::g_sink;

// Two shapes of key: long path-like texts, and short words like the words of file titles
// that the path arrays group by and the language pack's string ids.
using bench::pathTexts;

std::vector<std::wstring> wordTexts(int n) {
    static const wchar_t* const stems[] = {L"report", L"photo", L"invoice", L"draft", L"backup", L"scan", L"notes"};
    std::vector<std::wstring> texts;
    texts.reserve(n);
    for (int i = 0; i < n; ++i) texts.push_back(stems[i % 7] + std::to_wstring(i / 7));
    return texts;
}

std::vector<StrBuffer*> strings(const std::vector<std::wstring>& texts) {
    std::vector<StrBuffer*> keys;
    keys.reserve(texts.size());
    for (const std::wstring& text : texts) keys.push_back(s::str::strbuffer::newStrBuffer(text.c_str()));
    return keys;
}

uint32_t fnv1a(const StrBuffer* key) {
    uint32_t h = 2166136261u;
    for (uint32_t i = 0; i < key->length(); ++i) h = (h ^ key->chars()[i]) * 16777619u;
    return h;
}

uint32_t ownHash(const StrBuffer* key) { return key->hashCode(); }

// Longest chain and mean length of the non-empty chains.
void printChains(const char* what, const MapTable& table) {
    uint32_t longest = 0, used = 0;
    for (uint32_t b = 0; b < table.bucketCount(); ++b) {
        uint32_t length = 0;
        for (const s::map::MapTableNode* node = table.head(b); node; node = node->next()) ++length;
        if (length > longest) longest = length;
        used += length > 0;
    }
    std::printf("  chains with %-20s longest %u, mean %.2f over %u used buckets\n", what, longest,
                used ? static_cast<double>(table.count()) / used : 0.0, used);
}

struct Figures {
    double insert, find, refill;
};

// Inserts into an empty table (every rehash counted; nodes come back to the node pool
// between rounds, so later rounds take pooled nodes), lookups of equal texts held by other
// objects, and a refill after releaseAll (the buckets keep their size).
Figures measureTable(MapTable& table, const std::vector<StrBuffer*>& keys, const std::vector<StrBuffer*>& probes,
                     uint32_t (*hash)(const StrBuffer*)) {
    Figures f;
    f.insert = bestOfThree([&] {
        table.resetForReuse();
        for (StrBuffer* key : keys) table.put(hash(key), key, key);
        g_sink = table.count();
    });
    f.find = bestOfThree([&] {
        uintptr_t found = 0;
        for (StrBuffer* probe : probes) found += table.find(hash(probe), probe) != nullptr;
        g_sink = found;
    });
    f.refill = bestOfThree([&] {
        table.releaseAll();
        for (StrBuffer* key : keys) table.put(hash(key), key, key);
        g_sink = table.count();
    });
    return f;
}

void print(const char* what, int n, double ours, double reference) {
    std::printf("%-36s MapTable %7.2f M/s   std::unordered_map %7.2f M/s   ratio %.2f\n", what, n / ours / 1e6,
                n / reference / 1e6, reference / ours);
}

void run(const std::vector<std::wstring>& texts) {
    const int n = static_cast<int>(texts.size());
    const std::vector<StrBuffer*> keys = strings(texts);
    const std::vector<StrBuffer*> probes = strings(texts);  // equal texts, other objects
    const std::vector<std::wstring> wideProbes = texts;

    MapTable table;
    const Figures own = measureTable(table, keys, probes, &ownHash);
    MapTable mixed;
    const Figures fnv = measureTable(mixed, keys, probes, &fnv1a);

    std::unordered_map<std::wstring, void*> reference;
    Figures ref;
    ref.insert = bestOfThree([&] {
        reference = std::unordered_map<std::wstring, void*>();
        for (const std::wstring& text : texts) reference.emplace(text, nullptr);
        g_sink = reference.size();
    });
    ref.find = bestOfThree([&] {
        uintptr_t found = 0;
        for (const std::wstring& probe : wideProbes) found += reference.find(probe) != reference.end();
        g_sink = found;
    });
    ref.refill = bestOfThree([&] {
        reference.clear();
        for (const std::wstring& text : texts) reference.emplace(text, nullptr);
        g_sink = reference.size();
    });

    std::printf("%d keys like \"%ls\" (%u characters), %u buckets at the end\n", n, texts[n / 2].c_str(),
                static_cast<unsigned>(texts[n / 2].size()), table.bucketCount());
    print("inserts, hashCode:", n, own.insert, ref.insert);
    print("inserts, FNV-1a:", n, fnv.insert, ref.insert);
    print("lookups (all found), hashCode:", n, own.find, ref.find);
    print("lookups (all found), FNV-1a:", n, fnv.find, ref.find);
    print("refill after emptying, hashCode:", n, own.refill, ref.refill);
    print("refill after emptying, FNV-1a:", n, fnv.refill, ref.refill);
    printChains("hashCode:", table);
    printChains("FNV-1a:", mixed);

    mixed.releaseAll();
    table.releaseAll();
    for (StrBuffer* key : keys) key->releaseToPool();
    for (StrBuffer* probe : probes) probe->releaseToPool();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int n = argc > 1 ? std::max(1, _wtoi(argv[1])) : 200000;
    run(pathTexts(n));
    run(wordTexts(n));
    return 0;
}
