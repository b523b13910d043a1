#include <gtest/gtest.h>

#include "formula_test_support.h"

namespace quendral::platform::formula {
namespace {

using fixtures::Canonical;

TEST(CanonicalText, KeywordsAndFunctionsAreSpelledCanonically) {
  EXPECT_EQ(Canonical("field Status:=\"Open\";select @all"),
            "FIELD Status := \"Open\"; SELECT @All");
  EXPECT_EQ(Canonical("default x := 1; rem {note}"), "DEFAULT x := 1; REM \"note\"");
  EXPECT_EQ(Canonical("@DOCUMENTUNIQUEID + @lowercase(@USERNAME)"),
            "@DocumentUniqueID + @LowerCase(@UserName)");
  EXPECT_EQ(Canonical("@now()"), "@Now");
}

TEST(CanonicalText, UnknownFunctionsKeepTheirSpelling) {
  EXPECT_EQ(Canonical("@unHeard(\"\" ; \"\";\"View\";Key;2)"),
            "@unHeard(\"\"; \"\"; \"View\"; Key; 2)");
  EXPECT_EQ(Canonical("@Frobnicate"), "@Frobnicate");
}

TEST(CanonicalText, SpacingAndSeparators) {
  EXPECT_EQ(Canonical("  a+b*c  ;;  x:=1;"), "a + b * c; x := 1");
  EXPECT_EQ(Canonical("a : b : c"), "a:b:c");
  EXPECT_EQ(Canonical("a<>b"), "a != b");
  EXPECT_EQ(Canonical("a<=b|a>=b&!c"), "a <= b | a >= b & !c");
}

TEST(CanonicalText, MinimalParentheses) {
  EXPECT_EQ(Canonical("((a)) + ((b * c))"), "a + b * c");
  EXPECT_EQ(Canonical("(a + b) * c"), "(a + b) * c");
  EXPECT_EQ(Canonical("a - (b - c)"), "a - (b - c)");
  EXPECT_EQ(Canonical("(a = b) = c"), "(a = b) = c");
  EXPECT_EQ(Canonical("-(a:b)"), "-a:b");
  EXPECT_EQ(Canonical("(-a):b"), "(-a):b");
  EXPECT_EQ(Canonical("1:(-2):3"), "1:-2:3");
  EXPECT_EQ(Canonical("1:-(2:3)"), "1:-(2:3)");
  EXPECT_EQ(Canonical("a:(b:c)"), "a:(b:c)");
  EXPECT_EQ(Canonical("-(-(a))"), "--a");
  EXPECT_EQ(Canonical("!(a = b)"), "!a = b");
  EXPECT_EQ(Canonical("(!a) = b"), "(!a) = b");
  EXPECT_EQ(Canonical("!(a & b)"), "!(a & b)");
  EXPECT_EQ(Canonical("@If((a & b); (c); (d | e))"), "@If(a & b; c; d | e)");
}

TEST(CanonicalText, LiteralsAreRewrittenCanonically) {
  EXPECT_EQ(Canonical("{say \"hi\"} + \"back\\\\slash\""),
            "\"say \\\"hi\\\"\" + \"back\\\\slash\"");
  EXPECT_EQ(Canonical("\"\\q\""), "\"q\"");
  EXPECT_EQ(Canonical("1.50 + .5 + 1e3 + 100000000000000000000 + 0.0000001"),
            "1.5 + 0.5 + 1000 + 1e+20 + 1e-07");
}

// Decompiling, compiling the text and decompiling again gives the same text.
TEST(CanonicalText, RoundTripOverACorpus) {
  const char* corpus[] = {
      "0",
      "",
      "@IsMember(\"[Admin]\"; @UserRoles) | Status = \"Closed\" & @Created < @Today",
      "FIELD Form := Form;FIELD Form := @Now;SELECT @ALL",
      "x := @Explode(Categories; \";\"); @Implode(@Trim(x); \", \")",
      "@If(@IsAvailable(Total); @Sum(Total : 1 : -2 * 3); -(1 + 2) / 4)",
      "REM {first}; rem \"sec\\\"ond\"; 1",
      "a:-b:!c:-(d:e):(f:g)",
      "-a:b",
      "!-!-x",
      "(((a + b) - c) * d) / (e / f) = g <> h >= i",
      "@Subset(@Explode(\"a b c\"); -1) + @Right(\"abc\"; \"b\")",
      "@year(@now) + @month(@today) * @day(@modified)",
      "DEFAULT Owner := @UserName; Owner",
      "1.25e-300 : 5e-324 : 1.7976931348623157e308",
      "\"\\\\\\\"\" + {}",
      "x := 1; X := x + 1; SELECT X > 1",
      "@dbcolumn(\"\"; \"\"; \"v\"; 1)",
      "(a)",
      "Ünïcode + $Conflict_ + _x9",
  };
  for (const char* text : corpus) {
    const std::string once = Canonical(text);
    EXPECT_EQ(Canonical(once), once) << text;
  }
}

TEST(CanonicalText, SameFormulaInAnyCaseCompilesAlike) {
  EXPECT_EQ(fixtures::CompileOrDie("SELECT @ALL"), fixtures::CompileOrDie("select @all"));
  EXPECT_EQ(fixtures::CompileOrDie("@IsMember(a; b)"), fixtures::CompileOrDie("@ISMEMBER(a;b)"));
}

}  // namespace
}  // namespace quendral::platform::formula
