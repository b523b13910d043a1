// One row per function form, by family: the formula, and a formula of
// plain constants for the value it must give (or the error it must give).
#include <gtest/gtest.h>

#include <span>

#include "formula_test_support.h"

namespace quendral::platform::formula {
namespace {

using fixtures::FakeEnvironment;

struct Row {
  const char* formula;
  const char* expected;  // a formula of constants, or the error message
};

class FunctionFamilies : public ::testing::Test {
 protected:
  FunctionFamilies() {
    environment_.fields["Subject"] = Value::Text("Quarterly report");
    environment_.fields["$UpdatedBy"] = Value::Texts({"CN=Ada Lovelace/O=Acme", "CN=Bob/O=Acme"});
    environment_.fields["Status"] = Value::Text("Open");
  }

  void ExpectValues(std::span<const Row> rows) {
    for (const Row& row : rows) {
      const fixtures::Outcome outcome = fixtures::RunFormula(row.formula, environment_);
      const fixtures::Outcome expected = fixtures::RunFormula(row.expected, environment_);
      EXPECT_TRUE(outcome.ok) << row.formula << ": " << outcome.error;
      EXPECT_EQ(outcome.value, expected.value) << row.formula;
    }
  }

  void ExpectErrors(std::span<const Row> rows) {
    for (const Row& row : rows) {
      const fixtures::Outcome outcome = fixtures::RunFormula(row.formula, environment_);
      EXPECT_FALSE(outcome.ok) << row.formula;
      EXPECT_EQ(outcome.error, row.expected) << row.formula;
    }
  }

  FakeEnvironment environment_;
};

TEST_F(FunctionFamilies, TextCountsCharactersNotBytes) {
  const Row rows[] = {
      {"@Left(\"äöü\"; 1)", "\"ä\""},         {"@Right(\"äöü\"; 2)", "\"öü\""},
      {"@Length(\"äöü\":\"Ωmega\")", "3:5"},  {"@Middle(\"Grüße\"; 2; 2)", "\"üß\""},
      {"@LeftBack(\"Grüße\"; 2)", "\"Grü\""}, {"@RightBack(\"Grüße\"; 2)", "\"üße\""},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, TextCuts) {
  const Row rows[] = {
      // The documented examples.
      {"@Left(\"Lennard Wallace\"; \"nn\")", "\"Le\""},
      {"@Right(\"Lennard Wallace\"; \"nn\")", "\"ard Wallace\""},
      {"@LeftBack(\"Lennard Wallace\"; 5)", "\"Lennard Wa\""},
      {"@LeftBack(\"Lennard Wallace\"; \" \")", "\"Lennard\""},
      {"@RightBack(\"Lennard Wallace\"; 5)", "\"rd Wallace\""},
      {"@RightBack(\"Lennard Wallace\"; \" \")", "\"Wallace\""},
      {"@Middle(\"North Carolina\"; 4; 6)", "\"h Caro\""},
      {"@Middle(\"North Carolina\"; 4; -3)", "\"rth\""},
      {"@Middle(\"North Carolina\"; \"North\"; 3)", "\" Ca\""},
      {"@Middle(\"North Carolina\"; \"h\"; \"l\")", "\" Caro\""},
      {"@MiddleBack(\"North Carolina\"; 5; 3)", "\"rol\""},
      {"@MiddleBack(\"North Carolina\"; 5; -3)", "\"Car\""},
      {"@Left(\"abc\"; -1)", "\"abc\""},
      {"@Right(\"abc\"; \"z\")", "\"\""},
      {"@Word(\"Larson, Collins, and Jensen\"; \",\"; 2)", "\" Collins\""},
      {"@Word(\"a b c\"; \" \"; -1)", "\"c\""},
      {"@Word(\"a b c\"; \" \"; 4)", "\"\""},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, TextTestsAndChanges) {
  const Row rows[] = {
      {"@Begins(\"Ada\":\"Bob\"; \"Bo\")", "1"},
      {"@Ends(\"Ada\"; \"x\":\"da\")", "1"},
      {"@Contains(\"Ada\"; \"z\")", "0"},
      {"@Matches(\"A big test\"; \"A*t\")", "1"},
      {"@Matches(\"x17\"; \"{a-z}+{0-9}\")", "1"},
      {"@Matches(\"x17\"; \"!{a-z}*\")", "0"},
      {"@Matches(\"a?\"; \"a\\\\?\")", "1"},
      {"@Like(\"Quarterly report\"; \"%rep_rt\")", "1"},
      {"@Like(\"50%\"; \"50!%\"; \"!\")", "1"},
      {"@ReplaceSubstring(\"a-b_c\"; \"-\":\"_\"; \" \")", "\"a b c\""},
      {"@ReplaceSubstring(\"aaa\"; \"aa\"; \"b\")", "\"ba\""},
      // ß has no single upper-case letter.
      {"@UpperCase(\"straße ÿ ıi\")", "\"STRAßE Ÿ II\""},
      {"@LowerCase(\"ÀÉÎ ĞŁ ΣΩ ЖЯ Ё İ\")", "\"àéî ğł σω жя ё i\""},
      {"@UpperCase(\"ς ж ґ\")", "\"Σ Ж Ґ\""},
      {"@ProperCase(\"élan VITAL o'neil\")", "\"Élan Vital O'neil\""},
      {"@Repeat(\"ab\"; 3)", "\"ababab\""},
      {"@Repeat(\"ab\"; 3; 5)", "\"ababa\""},
      {"@Char(65):@Char(8364)", "\"A\":\"€\""},
      {"@Length(@NewLine)", "1"},
      {"@Text(3.14159; \"F2\")", "\"3.14\""},
      {"@Text(0.5; \"%\")", "\"50%\""},
      {"@Text(1234.5; \"C,2\")", "\"$1,234.50\""},
      {"@Text(1234567.891; \"F,1\")", "\"1,234,567.9\""},
      {"@Text(-3.5; \"F1()\"):@Text(-3.5; \"F1\")", "\"(3.5)\":\"-3.5\""},
      {"@Text(-0.257; \"F1%()\")", "\"(25.7%)\""},
      {"@Text(1234.5; \"S2\")", "\"1.23e+03\""},
      {"@Text(12; \"C\")", "\"$12.00\""},
      {"@TextToNumber(\"12ABC\")", "12"},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, Lists) {
  const Row rows[] = {
      {"@Member(\"b\"; \"a\":\"b\")", "2"},
      {"@Member(\"z\"; \"a\":\"b\")", "0"},
      {"@Unique(\"a\":\"b\":\"a\":\"c\")", "\"a\":\"b\":\"c\""},
      {"@Sort(\"b\":\"C\":\"a\")", "\"C\":\"a\":\"b\""},
      {"@Sort(\"b\":\"C\":\"a\"; \"[CASEINSENSITIVE]\")", "\"a\":\"b\":\"C\""},
      {"@Sort(3:1:2; \"[DESCENDING]\")", "3:2:1"},
      {"@Sort(\"bb\":\"a\":\"ccc\"; \"[CUSTOM]\"; @Length($A) < @Length($B))",
       "\"ccc\":\"bb\":\"a\""},
      {"@Replace(\"a\":\"b\":\"c\"; \"b\":\"c\"; \"B\")", "\"a\":\"B\":\"\""},
      {"@Keywords(\"Acme sells Widgets\"; \"Widget\":\"Acme\":\"sells\")", "\"Acme\":\"sells\""},
      {"@Transform(1:2:3; \"n\"; n * n)", "1:4:9"},
      {"@Transform(1:2:3; \"n\"; @If(n = 2; @Nothing; n))", "1:3"},
      {"@Count(\"\")", "1"},
      {"@Elements(@Nothing)", "0"},
      {"@Subset(\"a\":\"b\":\"c\"; -2)", "\"b\":\"c\""},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, Numbers) {
  const Row rows[] = {
      {"@Abs(-2:3)", "2:3"},
      {"@Sign(-2:0:5)", "-1:0:1"},
      {"@Integer(-2.7:2.7)", "-2:2"},
      {"@Round(2.5:-1.4)", "3:-1"},
      {"@Round(1234; 100)", "1200"},
      {"@Modulo(7:-7; 3)", "1:-1"},
      {"@Power(2; 10)", "1024"},
      {"@Sqrt(16)", "4"},
      {"@Max(1:7:3)", "7"},
      {"@Max(1:7; 5)", "5:7"},
      {"@Min(4:2:9)", "2"},
      {"@Sum(1:2; 3)", "6"},
      {"@Round(@Sin(@Pi / 2) + @Cos(0) + @Tan(0))", "2"},
      {"@Round(@ATan2(1; 1) * 4 / @Pi)", "1"},
      {"@Log(1000):@Ln(1):@Exp(0)", "3:0:1"},
      {"@Random >= 0 & @Random < 1", "1"},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, Dates) {
  // @Now is 2024-03-15 13:45:30, a Friday.
  const Row rows[] = {
      {"@Text(@Date(2024; 2; 30))", "\"2024-03-01T00:00:00\""},
      {"@Text(@Date(@Now))", "\"2024-03-15T00:00:00\""},
      {"@Text(@Time(2024; 1; 2; 3; 4; 5))", "\"2024-01-02T03:04:05\""},
      {"@Hour(@Now):@Minute(@Now):@Second(@Now)", "13:45:30"},
      {"@Weekday(@Now)", "6"},
      {"@Text(@Adjust(@Date(2024; 1; 31); 0; 1; 0; 0; 0; 0))", "\"2024-03-02T00:00:00\""},
      {"@Text(@Tomorrow):@Text(@Yesterday)", "\"2024-03-16T00:00:00\":\"2024-03-14T00:00:00\""},
      {"@BusinessDays(@Date(2024; 3; 1); @Date(2024; 3; 31); 1:7)", "21"},
      {"@BusinessDays(@Today; @Tomorrow; 1:7; @Today)", "0"},
      {"@Text(@TextToTime(\"12/24/2026 10:00 PM\"))", "\"2026-12-24T22:00:00\""},
      {"@Text(@TextToTime(\"Tomorrow\"))", "\"2024-03-16T00:00:00\""},
      // The format codes of date-times, alone and combined.
      {"@Text(@Now; \"D0S0\"):@Text(@Now; \"T1S1\"):@Text(@Now; \"T0S1\")",
       "\"2024-03-15\":\"13:45\":\"13:45:30\""},
      {"@Text(@Now; \"D2T1\"):@Text(@Now; \"D3S0\")", "\"03-15 13:45\":\"2024-03\""},
      {"@Text(@Now; \"D1S0\"):@Text(@Date(2023; 3; 15); \"D1S0\")", "\"03-15\":\"2023-03-15\""},
      {"@Text(@Now; \"S2\"):@Text(@Now; \"D0T0S2Z0\"):@Text(@Now; \"Z1\")",
       "\"2024-03-15T13:45:30\":\"2024-03-15T13:45:30\":\"2024-03-15T13:45:30\""},
      {"@Text(@Now:@Yesterday:@Adjust(@Now; 0; 0; 1; 0; 0; 0):@Date(2020; 1; 1); \"S3T1\")",
       "\"Today 13:45\":\"Yesterday 00:00\":\"Tomorrow 13:45\":\"2020-01-01 00:00\""},
      {"@Text(@Now([LocalTimeOnError]:[ServerTime]; \"Server/Acme\"))", "\"2024-03-15T13:45:30\""},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, Zones) {
  // The local clock keeps Eastern time; @Now, 2024-03-15, falls in its summer time.
  std::string error;
  ASSERT_TRUE(
      ParseZoneText("Z=5$DO=1$DL=3 2 1 11 1 1$ZN=Eastern", &environment_.local_zone, &error));
  const Row rows[] = {
      {"@Zone:@Zone(@Now)", "\"Z=5$DO=1$DL=3 2 1 11 1 1$ZN=Eastern\":@Zone"},
      {"@Zone(@TextToTime(\"2024-01-10T10:00:00 EST\"))", "@Zone"},
      {"@Zone(@TextToTime(\"2024-06-01T10:00:00+02:00 DST\"))", "\"Z=-1$DO=1\""},
      {"@Zone(@TextToTime(\"2024-06-01T10:00:00+05:30\"))", "\"Z=-5.5$DO=0\""},
      {"@TimeZoneToText(\"Z=5$DO=1$DL=3 2 1 11 1 1$ZX=11$ZN=Eastern\":\"Z=-1$DO=0\")",
       "\"(GMT-05:00) Eastern\":\"(GMT+01:00)\""},
      {"@TimeZoneToText(\"Z=-5.5$DO=0\":\"Z=8$DO=0\"; \"S\")", "\"ZE5:30\":\"PST\""},
      // Both ends of summer time, north and south of the equator.
      {"@TimeToTextInZone(@TextToTime(\"2024-03-10T06:59:59Z\":\"2024-03-10T07:00:00Z\":"
       "\"2024-11-03T05:59:59Z\":\"2024-11-03T06:00:00Z\"); \"Z=5$DO=1$DL=3 2 1 11 1 1\")",
       "\"2024-03-10T01:59:59 EST\":\"2024-03-10T03:00:00 EDT\":\"2024-11-03T01:59:59 EDT\":"
       "\"2024-11-03T01:00:00 EST\""},
      {"@TimeToTextInZone(@TextToTime(\"2024-03-31T00:59:59Z\":\"2024-03-31T01:00:00Z\"); "
       "\"Z=-1$DO=1$DL=3 -1 1 10 -1 1\")",
       "\"2024-03-31T01:59:59 CET\":\"2024-03-31T03:00:00 CEDT\""},
      {"@TimeToTextInZone(@TextToTime(\"2024-01-15T00:00:00Z\":\"2024-07-15T00:00:00Z\"); "
       "\"Z=-10$DO=1$DL=10 1 1 4 1 1\")",
       "\"2024-01-15T11:00:00 ZE11\":\"2024-07-15T10:00:00 ZE10\""},
      {"@TimeToTextInZone(@Now; \"Z=0$DO=0\"; \"T1S1\")", "\"17:45\""},
      // @Text: Z0 the local clock, Z1 named when not local, Z2 always named.
      {"t := @TextToTime(\"2024-06-01T12:00:00Z\"); @Text(t; \"Z0\"):@Text(t; \"Z1\"):@Text(t; "
       "\"Z2\")",
       "\"2024-06-01T08:00:00\":\"2024-06-01T12:00:00 GMT\":\"2024-06-01T12:00:00 GMT\""},
      {"@Text(@TextToTime(\"2024-06-01T08:00:00 EDT\"):@Now; \"Z1\")",
       "\"2024-06-01T08:00:00\":\"2024-03-15T13:45:30\""},
      {"@Text(@Now; \"Z2\"):@Text(@Now; \"T1S1Z2\")", "\"2024-03-15T13:45:30 EDT\":\"13:45 EDT\""},
      // Zoned times read back, and compare by the moment they name.
      {"@TextToTime(\"12/24/2026 10:00 AM EST\") = @TextToTime(\"2026-12-24T15:00:00Z\")", "1"},
      {"@TextToTime(\"2024-06-01T10:00:00+02:00 DST\") - @TextToTime(\"2024-06-01 ZW2\")",
       "6 * 3600"},
      {"@Text(@TextToTime(\"2024-06-01T10:00:00 ze5:30\"))", "\"2024-06-01T10:00:00+05:30\""},
      {"@Unicode(\"A\":\"€x\"):@Unicode(@Char(937))", "65:8364:937"},
      // A day begins at midnight on its own clock.
      {"@Text(@Date(@TextToTime(\"2024-06-01T01:30:00+02:00 DST\")))",
       "\"2024-06-01T00:00:00+02:00 DST\""},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, LogicAndFlow) {
  const Row rows[] = {
      {"@Do(@Set(\"x\"; 1); x + 1)", "2"},
      {"n := 0; @For(@Set(\"i\"; 1); i <= 4; @Set(\"i\"; i + 1); @Set(\"n\"; n + i)); n", "10"},
      {"n := 1; @While(n < 100; @Set(\"n\"; n * 2)); n", "128"},
      {"n := 5; @DoWhile(@Set(\"n\"; n + 1); n < 3); n", "6"},
      {"@Return(\"early\"); \"late\"", "\"early\""},
      {"@If(1; @Return(2); 3) + 10", "2"},
      {"@IsError(@Error):@IsError(1)", "1:0"},
      {"@IsError(1 + \"a\")", "1"},
      {"x := @Error; @IsError(x)", "1"},
      {"@IfError(@TextToNumber(\"x\"); -1)", "-1"},
      {"@IfError(@Error)", "\"\""},
      {"@Success:@No:@Yes", "1:0:1"},
      {"@Failure(\"Fill in the title\")", "\"Fill in the title\""},
      {"@Set(\"x\"; 4); x * 2", "8"},
      {"@SetField(\"Total\"; 3); Total", "3"},
      {"@GetField(\"Status\"):@GetField(\"Missing\")", "\"Open\":\"\""},
      {"@Eval(\"1 + 2\")", "3"},
      {"y := 5; @Eval(\"y * 2\")", "10"},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, TypeTests) {
  const Row rows[] = {
      {"@IsText(\"a\"):@IsText(1)", "1:0"},
      {"@IsNumber(1):@IsNumber(\"1\")", "1:0"},
      {"@IsTime(@Now):@IsTime(1)", "1:0"},
      {"@IsList(1:2):@IsList(1)", "1:0"},
      {"@IsNull(\"\"):@IsNull(Missing):@IsNull(@Nothing):@IsNull(0)", "1:1:1:0"},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, Names) {
  const Row rows[] = {
      {"@Name(\"[CN]\"; \"CN=Ada Lovelace/OU=Research/O=Acme/C=GB\")", "\"Ada Lovelace\""},
      {"@Name(\"[ABBREVIATE]\"; \"CN=Ada Lovelace/OU=Research/O=Acme/C=GB\")",
       "\"Ada Lovelace/Research/Acme/GB\""},
      {"@Name(\"[CANONICALIZE]\"; \"Ada Lovelace/Research/Acme/GB\")",
       "\"CN=Ada Lovelace/OU=Research/O=Acme/C=GB\""},
      {"@Name(\"[CANONICALIZE]\"; \"Ada Lovelace/Acme\")", "\"CN=Ada Lovelace/O=Acme\""},
      {"@Name(\"[O]\":\"x\"; \"Ada/Sales/East/Acme\")", "\"Acme\""},
      {"@Name(\"[OU1]\"; \"Ada/Sales/East/Acme\"):@Name(\"[OU2]\"; \"Ada/Sales/East/Acme\")",
       "\"Sales\":\"East\""},
      {"@Name(\"[HIERARCHYONLY]\"; \"CN=Ada/O=Acme\")", "\"O=Acme\""},
      {"@Name(\"[CN]\"; \"Ada\")", "\"Ada\""},
      {"@Name(\"[ADDRESS821]\"; \"Ada L <ada@acme.example>\")", "\"ada@acme.example\""},
      {"@Name(\"[PHRASE]\"; \"\\\"Ada L\\\" <ada@acme.example>\")", "\"Ada L\""},
      {"@UserName:@UserName(1)", "\"CN=Ada Lovelace/O=Acme\":\"\""},
      {"@UserNamesList", "\"CN=Ada Lovelace/O=Acme\":\"*/O=Acme\":\"*\":\"[Admin]\":\"[Editor]\""},
  };
  ExpectValues(rows);
}

TEST_F(FunctionFamilies, TheStoredNote) {
  const Row rows[] = {
      {"@IsNewDoc:@IsDocBeingEdited:@IsDocBeingSaved", "0:0:0"},
      {"@IsResponseDoc", "0"},
      {"@Author", "\"CN=Ada Lovelace/O=Acme\":\"CN=Bob/O=Acme\""},
      {"@Subject", "\"Quarterly report\""},
      {"@ClientType", "\"Notes\""},
      {"@IsAvailable(Status):@IsUnavailable(Status)", "1:0"},
  };
  ExpectValues(rows);
  environment_.fields["$REF"] = Value::Text("ignored");
  EXPECT_EQ(fixtures::RunFormula("@IsResponseDoc", environment_).value, Value::Number(1));
}

// What the environment cannot tell, and what only the live platform
// knows, are error values that say why.
TEST_F(FunctionFamilies, ErrorsSayWhy) {
  const Row rows[] = {
      {"@DbColumn(\"\"; \"\"; \"By Date\"; 1)", "@DbColumn needs a live database view"},
      {"@DbLookup(\"\"; \"\"; \"View\"; \"Key\"; 2) = \"x\"",
       "@DbLookup needs a live database view"},
      {"@PickList(\"x\")", "@PickList needs the client's user interface"},
      {"@MailSend", "@MailSend needs the live mail system"},
      {"@NameLookup(\"x\")", "@NameLookup needs a live directory"},
      {"!@IsMember(\"[Admin]\"; @DbLookup(\"\"; \"\"; \"V\"; 1; 1))",
       "@DbLookup needs a live database view"},
      {"@Text(@Error)", "@Error"},
      {"@UpperCase(1)", "@UpperCase: argument 1 must be text"},
      {"@Sqrt(-1)", "@Sqrt: the result is not a number"},
      {"@DbName", "@DbName: needs a database"},
      {"@GetProfileField(\"Settings\"; \"Color\")",
       "@GetProfileField: needs the database's profile documents"},
      {"@Environment(\"Printer\")", "@Environment: needs the session's settings file"},
      {"@Name(\"[XYZ]\"; \"a\")", "@Name: unknown action [XYZ]"},
      {"@While(1; 0)", "@While: stopped after 65536 rounds"},
      {"x := \"@Eval(x)\"; @Eval(x)", "@Eval: nested too deeply"},
      {"FIELD Status := @Error; 1", "@Error"},
      {"@Now([ServerTime]; \"Server/Acme\")", "@Now: [SERVERTIME] needs a live server"},
      {"@Now([Soon])", "@Now: unknown keyword [SOON]"},
      {"@TimeToTextInZone(@Now; \"Z=-1$DO=1\")",
       "@TimeToTextInZone: the zone observes daylight saving time without saying on which days "
       "(\"DL=\")"},
      {"@TimeZoneToText(\"DO=1\")", "@TimeZoneToText: a zone text needs its offset (\"Z=\")"},
      {"@TimeZoneToText(\"Z=5.1\")", "@TimeZoneToText: \"Z=5.1\" is not part of a zone text"},
      {"@TimeZoneToText(\"Z=5\"; \"Q\")", "@TimeZoneToText: unknown option \"Q\""},
      {"@Unicode(\"\")", "@Unicode: an empty text has no character"},
      {"@Text(@Now; \"D5\")", "@Text: unknown date-time format \"D5\""},
      {"@Accessed", "@Accessed: the store does not record when a note was last read"},
      {"@UserAccess(\"\"; [AccessLevel])", "@UserAccess: needs the database's access control list"},
  };
  ExpectErrors(rows);
  // A false left side decides '&' before the error is reached.
  EXPECT_EQ(fixtures::RunFormula("0 & @DbColumn(\"\"; \"\"; \"V\"; 1)", environment_).value,
            Value::Number(0));
}

}  // namespace
}  // namespace quendral::platform::formula
