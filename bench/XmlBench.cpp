// bench/XmlBench.cpp
//
// The XML parser and writer beside the system's MSXML 3 (DOMDocument loading the same
// bytes) in the same run. With a file argument: loads and parses it and prints its elements,
// attributes, characters of text and the time. Without: builds a 10 MB pack-shaped document
// in memory and prints MB/s of parse and write, the ratio to MSXML and the memory each
// element costs in both (growth of the process's private bytes while the tree is alive).
// Best of three for times; figures only, not a test. Usage: xml_bench [file].
#include <windows.h>
#include <msxml2.h>

#include <cstdio>
#include <string>

#include "bench/Timing.h"
#include "s/col/_array/ArrayU08.h"
#include "s/thread/Pool.h"
#include "s/xml/Node.h"

namespace {

using s::xml::Node;

// IID_IXMLDOMDocument, written out: mingw-w64's headers declare it but no library defines it.
const IID kDomDocumentIid = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

struct Counts {
    uint64_t elements = 0;
    uint64_t attributes = 0;
    uint64_t textChars = 0;
};

void count(const Node& node, Counts* counts) {
    ++counts->elements;
    const s::xml::Attributes& pairs = node.attributes();
    for (uint32_t i = 0; i < pairs.count(); ++i) {
        if (pairs.at(i)->nameLength) ++counts->attributes;
        else counts->textChars += pairs.at(i)->valueLength;
    }
    for (uint32_t i = 0; i < node.childCount(); ++i) count(*node.childAt(i), counts);
}

// The committed private memory of the process, summed over its regions. Wine leaves
// PrivateUsage of GetProcessMemoryInfo at 0 (Wine 8.0, checked); its region list is exact.
uint64_t privateBytes() {
    uint64_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

std::string packShaped(size_t bytes) {
    std::string doc = "<lang name=\"English\" id=\"1033\" version=\"1.0\">";
    for (int group = 0; doc.size() < bytes; ++group) {
        doc += "<group id=\"" + std::to_string(group) + "\"><!-- texts of one dialog -->";
        for (int i = 0; i < 50; ++i)
            doc += "<s id=\"" + std::to_string(600000 + group * 50 + i) + "\" tip=\"Hover &amp; read\">"
                   "Wipe&#160;the&#160;files \xC3\xA9 &lt;now&gt;</s>";
        doc += "</group>";
    }
    return doc + "</lang>";
}

int runFile(const wchar_t* path) {
    Node* node = s::thread::Pool<Node>::obtain();
    if (!node) return 1;
    bool loaded = false;
    const double took = bench::timeIt([&] { loaded = node->loadFileText(path); });
    if (!loaded) {
        std::printf("could not load the file\n");
        node->releaseToPool();
        return 1;
    }
    Counts counts;
    count(*node, &counts);
    std::printf("elements %llu, attributes %llu, text characters %llu, load and parse %.3f ms\n",
                static_cast<unsigned long long>(counts.elements), static_cast<unsigned long long>(counts.attributes),
                static_cast<unsigned long long>(counts.textChars), took * 1000.0);
    node->releaseToPool();
    return 0;
}

// MSXML 3 loading the bytes from a SAFEARRAY, as it would read a file; -1 when it cannot.
double msxmlLoad(const std::string& bytes, uint64_t* memory) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &clsid))) return -1;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) return -1;
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(array);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = array;
    double best = 1e30;
    for (int round = 0; round < 3; ++round) {
        IXMLDOMDocument* doc = nullptr;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kDomDocumentIid,
                                    reinterpret_cast<void**>(&doc)))) {
            best = -1;
            break;
        }
        doc->put_async(VARIANT_FALSE);
        const uint64_t before = privateBytes();
        VARIANT_BOOL ok = VARIANT_FALSE;
        const double took = bench::timeIt([&] { doc->load(source, &ok); });
        if (round == 0) *memory = privateBytes() - before;
        doc->Release();
        if (ok != VARIANT_TRUE) {
            best = -1;
            break;
        }
        if (took < best) best = took;
    }
    SafeArrayDestroy(array);
    return best;
}

int runGenerated() {
    const std::string bytes = packShaped(10u << 20);
    const double mb = static_cast<double>(bytes.size()) / (1 << 20);
    Node* node = s::thread::Pool<Node>::obtain();
    if (!node) return 1;
    uint64_t ourMemory = 0;
    double parse = 1e30;
    for (int round = 0; round < 3; ++round) {
        node->clear();
        const uint64_t before = privateBytes();
        const double took = bench::timeIt([&] {
            node->parseBytes(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()));
        });
        // Later rounds reuse the pooled nodes of the first: its growth is the document's.
        if (round == 0) ourMemory = privateBytes() - before;
        if (took < parse) parse = took;
    }
    Counts counts;
    count(*node, &counts);
    s::col::_array::ArrayU08 out;
    const double write = bench::bestOfThree([&] { node->toBytes(&out, false); });
    std::printf("document %.1f MB: %llu elements, %llu attributes, %llu text characters\n", mb,
                static_cast<unsigned long long>(counts.elements), static_cast<unsigned long long>(counts.attributes),
                static_cast<unsigned long long>(counts.textChars));
    std::printf("ours:  parse %.1f MB/s, write %.1f MB/s, %.0f bytes per element\n", mb / parse,
                static_cast<double>(out.count()) / (1 << 20) / write,
                static_cast<double>(ourMemory) / static_cast<double>(counts.elements));
    node->releaseToPool();

    CoInitialize(nullptr);
    uint64_t theirMemory = 0;
    const double theirs = msxmlLoad(bytes, &theirMemory);
    if (theirs < 0) {
        std::printf("MSXML: could not load the document\n");
    } else {
        std::printf("MSXML: load  %.1f MB/s, %.0f bytes per element\n", mb / theirs,
                    static_cast<double>(theirMemory) / static_cast<double>(counts.elements));
        std::printf("ratio: ours parse %.2f times as fast as MSXML, %.2f times its memory\n", theirs / parse,
                    static_cast<double>(ourMemory) / static_cast<double>(theirMemory ? theirMemory : 1));
    }
    CoUninitialize();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return argc > 1 ? runFile(argv[1]) : runGenerated(); }
