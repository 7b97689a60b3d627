#include "common/series_record.h"

#include <gtest/gtest.h>

#include <string>

namespace rain {
namespace {

struct FieldCase {
  const char* line;
  const char* expected;
};

TEST(ObtemHora, ShortOrOverlongTimesComeOutAsHhMmSs) {
  const FieldCase cases[] = {
      {"10:30:00 15/03/05 1.00", "10:30:00"},
      {"9:5 15/03/05 1.00", "09:05:00"},
      {"9:5:3 15/03/05 1.00", "09:05:03"},
      {"10:30:00:15 15/03/05 1.00", "10:30:00"},
      {"10:30 15/03/05 1.00", "10:30:00"},
      {"", "0:0:0"},
      {"1030 15/03/05", "1030:0:0"},
      // A "/" between hours and minutes stays when no step rebuilds the text.
      {"10/30 15/03/05", "10/30:00"},
      {"9/30 15/03/05", "09/30:00"},
      {"10/3 15/03/05", "10:03:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(OBTEMHORA(c.line), c.expected) << c.line;
}

TEST(ObtemData, DayMonthAndYearComeOutAsDdMmYy) {
  const FieldCase cases[] = {
      {"10:00:00 15/03/05 1.00", "15/03/05"},
      {"10:00:00 5/3/2005 1.00", "05/03/05"},
      {"10:00:00 15/3/5 1.00", "15/03/05"},
      {"10:00:00 15/03/2005 1.00", "15/03/05"},
      {"10:00:00", "0/0/0"},
      // Only day and month are checked for a length other than two.
      {"10:00:00 2005/03/15", "02005/03/15"},
      {"10:00:00 123/03/05", "0123/03/05"},
      {"10:00:00 15/03", "15/03/0"},
      {"10:00:00 15:03:05", "15:03:05"},
  };
  for (const auto& c : cases) EXPECT_EQ(OBTEMDATA(c.line), c.expected) << c.line;
}

TEST(ObtemAcumulo, TakesTheThirdFieldWithAPointForAComma) {
  EXPECT_EQ(OBTEMACUMULO("10:00:00 15/03/05 1,50 3"), "1.50");
  EXPECT_EQ(OBTEMACUMULO("10:00:00 15/03/05 12.40 3"), "12.40");
  EXPECT_EQ(OBTEMACUMULO("10:00:00 15/03/05"), "");
}

TEST(SeriesRecord, TabsAndRunsOfBlanksSeparateFieldsLikeOneBlank) {
  const std::string line = "9:5\t 15/3/5 \t1,5\t2";
  EXPECT_EQ(OBTEMHORA(line), "09:05:00");
  EXPECT_EQ(OBTEMDATA(line), "15/03/05");
  EXPECT_EQ(OBTEMACUMULO(line), "1.5");
  EXPECT_EQ(OBTEMACUMULO("  10:00:00  15/03/05  0.20"), "0.20");
}

TEST(SeriesRecord, LineIsCutTo255CharactersBeforeTheFieldsAreTaken) {
  std::string long_time(253, '1');
  // The date starts at character 255: only its first character survives.
  std::string line = long_time + " " + "15/03/05 1.00";
  EXPECT_EQ(OBTEMDATA(line), "01/0/0");
  EXPECT_EQ(OBTEMACUMULO(line), "");
  // A time that fills the whole short text keeps 255 characters after the
  // zeros are put in.
  std::string result = OBTEMHORA(std::string(300, '7'));
  EXPECT_EQ(result.size(), 255u);
}

TEST(RecordFields, OnePassSplitAgreesWithTheFieldReadersAndTellsWhatIsMissing) {
  const RecordFields all = first_record_fields("10:00:00\t01/02/05 0.20\t3 9", record_blanks_or_tabs());
  EXPECT_EQ(all.count, 4);
  EXPECT_EQ(all.time, "10:00:00");
  EXPECT_EQ(all.date, "01/02/05");
  EXPECT_EQ(all.depth, "0.20");
  EXPECT_EQ(all.tips, "3");
  const RecordFields two = first_record_fields("  10:00:00  01/02/05 ", record_blanks());
  EXPECT_EQ(two.count, 2);
  EXPECT_EQ(two.date, "01/02/05");
  EXPECT_EQ(two.depth, "");
}

TEST(RecordTips, ATabSplitsTheFieldsOnlyWhereItCountsAsABlank) {
  const std::string record = "10:00:00 01/02/05 0.20\t3";
  EXPECT_EQ(record_tips(record, record_blanks_or_tabs()), 3);
  EXPECT_EQ(record_tips(record, record_blanks()), 0);
  EXPECT_EQ(record_tips("10:00:00 01/02/05 0.20 40000", record_blanks()), 0);  // beyond 16 bits: dry
}

// A record read in place must give what the long way gives, and be read in
// place whenever its form is the usual one.
TEST(FixedRecord, AgreesWithObtemHoraAndObtemData) {
  struct Case {
    const char* record;
    bool in_place;
  };
  const Case cases[] = {
      {"10:05:00 01/02/05 0.20", true},     {"10:05:00 01/02/2005 0.20 3", true},
      {"23:59:59 29/02/00 1", true},        {"00:00:00 31/12/99", true},
      {"10:05:00 01/02/05   7,5", true},    {"24:00:00 01/02/05 0.2", false},
      {"10:60:00 01/02/05 0.2", false},     {"10:05:00 29/02/01 0.2", false},
      {"10:05:00 00/02/05 0.2", false},     {"10:05:00 01/13/05 0.2", false},
      {" 10:05:00 01/02/05 0.2", false},    {"10:05 01/02/05 0.2", false},
      {"10:05:00 1/2/05 0.2", false},       {"10:05:00 01-02-05 0.2", false},
      {"10:05:00 01/02/005 0.2", false},    {"10:05:00 01/02/2x05 0.2", false},
      {"10:05:00 01/02/05x 0.2", false},    {"10:05:00 01/02/05 0.2\t1", false},
      {"1a:05:00 01/02/05 0.2", false},     {"10:05:0/ 01/02/05 0.2", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    const std::optional<FixedRecord> fixed = fixed_record(c.record);
    ASSERT_EQ(fixed.has_value(), c.in_place);
    if (!fixed) continue;
    EXPECT_EQ(fixed->time.text(), OBTEMHORA(c.record));
    EXPECT_EQ(fixed->date.text(), OBTEMDATA(c.record));
    EXPECT_EQ(fixed->depth, record_field(c.record, kDepthField));
  }
}

// After a record of the same date written alike, whose date the reader then
// does not check again, a record still reads as it reads alone.
TEST(FixedRecordReader, ARecordAfterOneOfTheSameDateReadsAsAlone) {
  const char* const before[] = {"00:00:00 01/02/05 1", "00:00:00 01/02/2005 1", "00:00:00 29/02/00 1",
                                "00:00:00 01/02/05"};
  const char* const records[] = {
      "10:05:00 01/02/05 0.20",  "10:05:00 01/02/2005 0.20 3", "23:59:59 29/02/00 1",   "10:05:00 01/02/05   7,5",
      "24:00:00 01/02/05 0.2",   "10:60:00 01/02/05 0.2",      "10:05:00 29/02/01 0.2", " 10:05:00 01/02/05 0.2",
      "10:05 01/02/05 0.2",      "10:05:00 01/02/055 0.2",     "10:05:00 01/02/05",     "10:05:00 01/02/20 0.2",
      "10:05:00 01/02/2005",     "10:05:00 01/02/05 0.2\t1",   "10:05:00 01/02/05\t0.2", "10:05:00 01/02/05 ",
      "1a:05:00 01/02/05 0.2",   "10:05:00 01/02/05x 0.2"};
  for (const char* first : before) {
    for (const char* record : records) {
      SCOPED_TRACE(std::string(first) + " then " + record);
      FixedRecordReader reader;
      reader.read(first);
      const std::optional<FixedRecord> read = reader.read(record);
      const std::optional<FixedRecord> alone = fixed_record(record);
      ASSERT_EQ(read.has_value(), alone.has_value());
      if (!read) continue;
      EXPECT_EQ(read->time, alone->time);
      EXPECT_EQ(read->date, alone->date);
      EXPECT_EQ(read->depth, alone->depth);
    }
  }
}

}  // namespace
}  // namespace rain
