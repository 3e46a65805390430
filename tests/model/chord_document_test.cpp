#include "model/chord_document.h"
#include "model/chord_sort.h"

#include <gtest/gtest.h>
#include <random>

using namespace strumvale::model;

namespace {

ChordDocument libraryWith(std::initializer_list<Chord> chords) {
    ChordDocument library;
    for (const auto& chord : chords)
        library.Chords.Add(chord);
    return library;
}

std::vector<std::string> roots(const ChordDocument& library) {
    std::vector<std::string> result;
    for (const auto& chord : library.Chords.items())
        result.push_back(chord.RootNote);
    return result;
}

std::vector<std::string> names(const ValueList<Chord>& list) {
    std::vector<std::string> result;
    for (const auto& chord : list.items())
        result.push_back(chord.Name);
    return result;
}

// The plain exchange sort the fast one must agree with, pass for pass.
int referenceExchangeSort(std::vector<Chord>& chords) {
    int passes = 0;
    for (;;) {
        ++passes;
        if (chords.size() < 2)
            return passes;
        bool exchanged = false;
        for (std::size_t i = 0; i + 1 < chords.size(); ++i) {
            if (chords[i].RootNote > chords[i + 1].RootNote) {
                std::swap(chords[i], chords[i + 1]);
                exchanged = true;
            }
        }
        if (!exchanged)
            return passes;
    }
}

void expectSameAsExchangeSort(std::vector<Chord> chords) {
    ChordDocument library;
    for (const auto& chord : chords)
        library.Chords.Add(chord);
    int reference = referenceExchangeSort(chords);
    int calls = 0;
    library.SortChords([&] { ++calls; });
    EXPECT_EQ(library.Chords.items(), chords);
    EXPECT_EQ(calls, reference);
}

} // namespace

TEST(ChordDocument, NewLibraryIsEmptyAndResetAddsOnlyTheStandardTuning) {
    ChordDocument library;
    EXPECT_EQ(library.Tunings.Count(), 0);
    EXPECT_FALSE(library.Loaded);
    EXPECT_FALSE(library.Modified);
    EXPECT_EQ(library.FileName, "");

    library.Chords.Add({"C", "C", "x 3 2 0 1 0"});
    library.searchChords("c");
    library.Scales.Add(Scale());
    library.DrumPatterns.Add(DrumPattern());
    library.Tunings.Add({"Drop D", "D1,A1,D2,G2,B2,E3"});
    library.FileName = "songs.gtr";
    library.Loaded = true;
    library.Modified = true;
    library.Info = library.Author = library.Homepage = "text";

    library.Reset();
    EXPECT_EQ(library.Chords.Count(), 0);
    EXPECT_EQ(library.Scales.Count(), 0);
    EXPECT_EQ(library.DrumPatterns.Count(), 0);
    ASSERT_EQ(library.Tunings.Count(), 1);
    EXPECT_EQ(*library.Tunings.GetAt(0), Tuning::standard());
    EXPECT_EQ(library.Tunings.GetAt(0)->Name, "Standard (E-A-D-G-B-E)");
    EXPECT_EQ(library.Info + library.Author + library.Homepage, "");
    EXPECT_FALSE(library.Loaded);
    EXPECT_TRUE(library.Modified);
    EXPECT_EQ(library.FileName, "songs.gtr");
    EXPECT_EQ(library.SearchResults.Count(), 1);
}

TEST(ChordDocument, ChordsOfKeyMatchesTheRootExactlyAndAppends) {
    auto library = libraryWith(
        {{"C", "C", ""}, {"C#", "C#", ""}, {"c", "c", ""}, {"D", "D", ""}, {"C", "C7", ""}});
    ValueList<Chord> list;
    list.Add({"X", "already there", ""});
    library.ChordsOfKey("C", list);
    EXPECT_EQ(names(list), (std::vector<std::string>{"already there", "C", "C7"}));
}

TEST(ChordDocument, SearchMatchesWholeTabOrNameIgnoringCase) {
    auto library = libraryWith({{"C", "Cmaj", "x 3 2 0 1 0"},
                                {"A", "Am", "x 0 2 2 1 0"},
                                {"E", "\xC9t\xC9", "0 2 2 1 0 0"},
                                {"C", "CMAJ", "x 3 5 5 5 3"}});
    library.searchChords("X 3 2 0 1 0");
    EXPECT_EQ(names(library.SearchResults), std::vector<std::string>{"Cmaj"});

    library.searchChords("cmaj");
    EXPECT_EQ(names(library.SearchResults), (std::vector<std::string>{"Cmaj", "CMAJ"}));

    library.searchChords("Cma");
    EXPECT_EQ(library.SearchResults.Count(), 0) << "no partial matches";

    library.searchChords("\xE9t\xE9"); // accented letters fold too
    EXPECT_EQ(library.SearchResults.Count(), 1);

    library.searchChords("\xD7"); // the multiplication sign is no letter
    EXPECT_EQ(library.SearchResults.Count(), 0);
}

TEST(TextCompare, Windows1252LettersFoldButSignsDoNot) {
    auto library = libraryWith({{"A", "\x8A\x8C\x8E\x9F\xC0\xDE", ""}, {"A", "\xD7", ""}});
    library.searchChords("\x9A\x9C\x9E\xFF\xE0\xFE");
    EXPECT_EQ(library.SearchResults.Count(), 1);
    library.searchChords("\xF7");
    EXPECT_EQ(library.SearchResults.Count(), 0) << "x and / signs are distinct";
}

TEST(ChordDocument, KeyChordEditsCountFromTheFirstChordOfTheKey) {
    auto library = libraryWith({{"A", "A", ""}, {"C", "C", ""}, {"C", "C7", ""}, {"D", "D", ""}});

    library.MoveChordUp("A", 0); // index 0 has no chord above it
    EXPECT_EQ(names(library.Chords), (std::vector<std::string>{"A", "C", "C7", "D"}));

    library.MoveChordDown("C", 1); // exchanges across keys: the caller keeps keys sorted
    EXPECT_EQ(names(library.Chords), (std::vector<std::string>{"A", "C", "D", "C7"}));

    library.MoveChordUp("C", 0);
    EXPECT_EQ(names(library.Chords), (std::vector<std::string>{"C", "A", "D", "C7"}));

    library.MoveChordDown("C7", 0); // no such key
    library.MoveChordDown("D", 5);
    library.RemoveChordOfKey("D", -3); // before the list
    library.MoveChordDown("C", 3);     // last chord cannot move down
    EXPECT_EQ(library.Chords.Count(), 4);

    library.RemoveChordOfKey("A", 0);
    EXPECT_EQ(names(library.Chords), (std::vector<std::string>{"C", "D", "C7"}));
}

TEST(ChordDocument, TellsWhetherAKeysChordsStandTogetherAndFindsTheFirstOfATab) {
    auto library = libraryWith({{"A", "A", "x 0 2 2 2 0"},
                                {"C", "C", "x 3 2 0 1 0"},
                                {"C#", "C#", "x 4 3 1 2 1"},
                                {"C", "Cadd", "x 3 2 0 1 0"},
                                {"D", "D", "x x 0 2 3 2"}});
    EXPECT_TRUE(library.chordsOfKeyFormOneRun("A"));
    EXPECT_TRUE(library.chordsOfKeyFormOneRun("D")); // the last chord
    EXPECT_TRUE(library.chordsOfKeyFormOneRun("G")); // no chord at all
    EXPECT_FALSE(library.chordsOfKeyFormOneRun("C"));
    library.SortChords();
    EXPECT_TRUE(library.chordsOfKeyFormOneRun("C"));

    EXPECT_EQ(library.firstChordWithTab("x 3 2 0 1 0")->Name, "C");
    EXPECT_FALSE(library.firstChordWithTab("X 3 2 0 1 0")); // exact text, no case folding
    EXPECT_FALSE(library.firstChordWithTab("x 3 2 0 1"));
}

TEST(SortChords, OrdersByRootInByteOrderKeepingEqualRootsInOrder) {
    auto library = libraryWith(
        {{"C", "first C", ""}, {"A", "A", ""}, {"C", "second C", ""}, {"A#", "A#", ""}});
    library.SortChords();
    EXPECT_EQ(roots(library), (std::vector<std::string>{"A", "A#", "C", "C"}));
    EXPECT_EQ(library.Chords.GetAt(2)->Name, "first C");
    EXPECT_EQ(library.Chords.GetAt(3)->Name, "second C");

    auto bytes = libraryWith({{"b", "", ""}, {"\xC9", "", ""}, {"B", "", ""}, {"", "", ""}});
    bytes.SortChords();
    EXPECT_EQ(roots(bytes), (std::vector<std::string>{"", "B", "b", "\xC9"}))
        << "bytes above 127 sort after ASCII, the empty root first";
}

TEST(SortChords, SameOrderAndPassCountAsAnExchangeSort) {
    expectSameAsExchangeSort({});
    expectSameAsExchangeSort({{"B", "", ""}});
    expectSameAsExchangeSort({{"A", "1", ""}, {"A", "2", ""}, {"B", "3", ""}}); // sorted
    std::vector<Chord> reversed, oneLateSmall, manyEqual;
    for (int i = 0; i < 40; ++i) {
        reversed.push_back({std::string(1, static_cast<char>('z' - i)), std::to_string(i), ""});
        oneLateSmall.push_back({"M", std::to_string(i), ""});
        manyEqual.push_back({i % 2 ? "C" : "A", std::to_string(i), ""});
    }
    oneLateSmall.push_back({"A", "late", ""});
    oneLateSmall.insert(oneLateSmall.begin(), {"Z", "early", ""});
    expectSameAsExchangeSort(reversed);
    expectSameAsExchangeSort(oneLateSmall);
    expectSameAsExchangeSort(manyEqual);

    std::mt19937 random(7);
    const char* keys[] = {"A", "A#", "B", "C", "C#", "D", "E", "F", "G", "G#", "a", ""};
    for (int round = 0; round < 50; ++round) {
        std::vector<Chord> chords;
        int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i)
            chords.push_back({keys[random() % 12], std::to_string(i), ""});
        expectSameAsExchangeSort(chords);
    }
}
