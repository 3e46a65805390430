#include "model/records.h"
#include "model/value_list.h"

#include <gtest/gtest.h>

using namespace strumvale::model;
using List = std::vector<std::string>;

TEST(Records, DefaultsOfNewRecords) {
    Chord chord;
    EXPECT_EQ(chord.RootNote, "A");
    EXPECT_EQ(chord.Tab, "x x x x x x");
    EXPECT_EQ(Chord("C", "Cmaj", "x 3 2 0 1 0").Name, "Cmaj");

    Scale scale;
    EXPECT_EQ(scale.Name, "New Scale");
    EXPECT_EQ(scale.Description, "New Scale");

    DrumPattern pattern;
    EXPECT_EQ(pattern.Tempo, 120);
    EXPECT_EQ(pattern.Volumes[7], 127);
    EXPECT_EQ(pattern.Instruments[0], 0);
    EXPECT_EQ(DrumPattern::cellIndex(1, 1), 0);
    EXPECT_EQ(DrumPattern::cellIndex(2, 1), 8);
    EXPECT_EQ(DrumPattern::cellIndex(16, 8), 127);

    EXPECT_EQ(Tuning::standard().Notes, "E1,A1,D2,G2,B2,E3");
}

TEST(Scale, SettersStoreSpacesAsCommasAndListsCutAtCommas) {
    Scale scale;
    scale.setIntervals("1 b3 5");
    EXPECT_EQ(scale.Intervals(), "1,b3,5");
    EXPECT_EQ(scale.intervalList(), (List{"1", "b3", "5"}));

    scale.setNotes("C,D#,G");
    EXPECT_EQ(scale.noteList(), (List{"C", "D#", "G"}));

    EXPECT_EQ(splitItemList(",a"), (List{"", "a"}));
    EXPECT_EQ(splitItemList("a,"), (List{"a"}));
    EXPECT_EQ(splitItemList("a,,b"), (List{"a", "", "b"}));
    EXPECT_EQ(splitItemList("a,,"), (List{"a", ""}));
    EXPECT_EQ(splitItemList(""), List{});
    EXPECT_EQ(splitItemList(","), (List{""}));
}

TEST(ValueList, IndicesOutsideTheListChangeNothing) {
    ValueList<Tuning> list;
    EXPECT_EQ(list.Add({"a", "1"}), 0);
    EXPECT_EQ(list.Add({"b", "2"}), 1);
    EXPECT_EQ(list.Add({"a", "1"}), 2) << "equal records are accepted";

    EXPECT_FALSE(list.GetAt(-1).has_value());
    EXPECT_FALSE(list.GetAt(3).has_value());
    EXPECT_FALSE(list.SetAt(3, {"c", "3"}));
    EXPECT_FALSE(list.RemoveAt(-1));
    EXPECT_EQ(list.Count(), 3);

    ASSERT_TRUE(list.SetAt(1, {"c", "3"}));
    ASSERT_TRUE(list.RemoveAt(0));
    EXPECT_EQ(list.GetAt(0)->Name, "c");
    EXPECT_EQ(list.GetAt(1)->Name, "a");

    // A copy handed out does not reach back into the list.
    auto copy = *list.GetAt(0);
    copy.Name = "changed";
    EXPECT_EQ(list.GetAt(0)->Name, "c");

    list.RemoveAll();
    EXPECT_EQ(list.Count(), 0);
}
