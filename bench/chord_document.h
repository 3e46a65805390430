#pragma once

#include "xml/xml_document.h"

#include <cstdlib>
#include <string>

namespace strumvale::bench {

inline bool shortMode() {
    return std::getenv("STRUMVALE_BENCH_SHORT") != nullptr;
}

// A chordfile document of n chords, written with the readers' pattern.
inline xml::XmlDocument buildChordDocument(int chords) {
    static const char* const kRoots[] = {"C",  "C#", "D",  "Eb", "E",  "F",
                                         "F#", "G",  "Ab", "A",  "Bb", "B"};
    static const char* const kTabs[] = {"x 3 2 0 1 0", "3 2 0 0 0 3", "0 2 2 1 0 0",
                                        "x 0 2 2 2 0", "x x 0 2 3 2", "1 3 3 2 1 1"};
    xml::XmlDocument doc;
    doc.AddElement("Chordfile");
    doc.AddChildElement("Author", "Strumvale benchmark");
    doc.AddChildElement("Homepage", "http://example.invalid/chords");
    doc.AddChildElement("Info", "Generated <test> data & more");
    doc.AddChildElement("Chords");
    doc.IntoElement();
    for (int i = 0; i < chords; ++i) {
        const char* root = kRoots[i % 12];
        doc.AddChildElement("Chord");
        doc.IntoElement();
        doc.AddChildElement("Name", std::string(root) + (i % 3 == 0 ? "m7" : "maj") +
                                        std::to_string(i % 100));
        doc.AddChildElement("RootNote", root);
        doc.AddChildElement("Tab", kTabs[i % 6]);
        doc.OutOfElement();
    }
    doc.OutOfElement();
    doc.AddChildElement("Scales");
    doc.IntoElement();
    for (int i = 0; i < 12; ++i) {
        doc.AddChildElement("Scale");
        doc.IntoElement();
        doc.AddChildElement("Name", std::string("Major ") + kRoots[i]);
        doc.AddChildElement("Tab", "0 2 4 5 7 9 11");
        doc.OutOfElement();
    }
    doc.OutOfElement();
    return doc;
}

} // namespace strumvale::bench
