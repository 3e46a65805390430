// Parses arbitrary bytes, walks every element the way the file readers do, then
// adds elements and checks that the table still points at the right characters
// and that the new text parses back to the same table.

#include "xml/xml_document.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using strumvale::xml::ElementSpan;
using strumvale::xml::XmlDocument;

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

void checkSpans(const XmlDocument& doc) {
    const std::string& text = doc.GetText();
    const auto size = static_cast<std::int32_t>(text.size());
    const auto& elements = doc.Elements();
    for (std::size_t i = 1; i < elements.size(); ++i) {
        const ElementSpan& e = elements[i];
        check(e.StartTagBegin >= 0 && e.EndTagEnd < size, "span inside the text");
        check(e.StartTagBegin < e.StartTagEnd && e.StartTagEnd <= e.EndTagEnd, "span order");
        check(text[e.StartTagBegin] == '<' && text[e.StartTagEnd] == '>', "start tag");
        check(text[e.EndTagEnd] == '>', "end tag end");
        check(text[e.EndTagBegin] == (e.isEmptyTag() ? '/' : '<'), "end tag begin");
        check(e.Parent >= 0 && static_cast<std::size_t>(e.Parent) < elements.size(), "parent");
    }
}

// depth of the deepest element the walk stood on, for the nesting limit
int walk(XmlDocument& doc, int& steps) {
    int deepest = 0;
    int depth = 0;
    while (steps-- > 0) {
        if (doc.FindChildElement()) {
            (void)doc.GetChildData();
            doc.IntoElement();
            deepest = std::max(deepest, ++depth);
        } else if (!doc.OutOfElement()) {
            break;
        } else {
            --depth;
        }
    }
    return deepest;
}

std::vector<std::array<std::int32_t, 4>> sortedSpans(const XmlDocument& doc) {
    std::vector<std::array<std::int32_t, 4>> spans;
    for (std::size_t i = 1; i < doc.Elements().size(); ++i) {
        const ElementSpan& e = doc.Elements()[i];
        spans.push_back({e.StartTagBegin, e.StartTagEnd, e.EndTagBegin, e.EndTagEnd});
    }
    std::sort(spans.begin(), spans.end());
    return spans;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    XmlDocument doc;
    const bool wellFormed = doc.SetText(std::string(reinterpret_cast<const char*>(data), size));
    check(wellFormed == doc.IsWellFormed(), "well formed");
    check(wellFormed || doc.FreeCount() == 1, "a failed parse keeps no elements");
    checkSpans(doc);

    int steps = 4096;
    const int deepest = walk(doc, steps);

    // Named searches from the top, as readers do.
    doc.SetText(doc.GetText());
    doc.FindChildElement("Chords");
    doc.IntoElement();
    doc.FindChildElement("Chord");
    (void)doc.GetChildData();
    doc.FindElement("a");

    // Insert where the cursor was left, one level down and one beside.
    const std::int32_t count = doc.FreeCount();
    const bool addedChild = doc.AddChildElement("N", "x<&>y");
    const bool addedSibling = doc.AddElement("S");
    if (doc.IntoElement())
        doc.AddChildElement("T");
    checkSpans(doc);
    check(doc.FreeCount() >= count, "entries are kept");
    (void)addedChild;
    (void)addedSibling;

    if (wellFormed && deepest + 3 < strumvale::xml::kMaxNestingDepth) {
        XmlDocument again;
        check(again.SetText(doc.GetText()), "added text parses again");
        check(sortedSpans(again) == sortedSpans(doc), "reparse gives the same spans");
    }
    return 0;
}
