#include <gtest/gtest.h>

#include <random>
#include <string>

#include "formula_test_support.h"

namespace quendral::platform::formula {
namespace {

using fixtures::CompileOrDie;

CompileError CompileFailure(std::string_view text) {
  std::vector<std::uint8_t> compiled{1, 2, 3};
  CompileError error;
  EXPECT_FALSE(Compile(text, &compiled, &error)) << text;
  EXPECT_TRUE(compiled.empty());
  return error;
}

void ExpectError(std::string_view text, std::size_t position, std::string_view message) {
  const CompileError error = CompileFailure(text);
  EXPECT_EQ(error.message, message) << text;
  EXPECT_EQ(error.position, position) << text;
}

TEST(CompileErrors, SayWhatAndWhere) {
  ExpectError("Subject + \"open", 10, "Unterminated string");
  ExpectError("x := {open", 5, "Unterminated string");
  ExpectError("\"ends in a backslash\\", 0, "Unterminated string");
  ExpectError("(1 + 2", 6, "Expected ')'");
  ExpectError("@If(a; b; c", 11, "Expected ')'");
  ExpectError("@If(a; b c)", 9, "Expected ')'");
  ExpectError("1 # 2", 2, "Unknown operator");
  ExpectError("a ~ b", 2, "Unknown operator");
  ExpectError("1 +", 3, "Expected an expression");
  ExpectError("1 + )", 4, "Expected an expression");
  ExpectError("a b", 2, "Expected ';'");
  ExpectError("FIELD := 1", 6, "Expected a field name after FIELD");
  ExpectError("default 3 := 1", 8, "Expected a field name after DEFAULT");
  ExpectError("FIELD Status = 1", 13, "Expected ':='");
  ExpectError("REM 12", 4, "Expected a string after REM");
  ExpectError("1 + select", 4, "Unexpected keyword select");
  ExpectError("1e999", 0, "Number out of range");
  ExpectError("x + @", 4, "Expected a function name after '@'");
  ExpectError("@Left(\"abc\")", 0, "Wrong number of arguments for @Left");
  ExpectError("1; @If(a; b)", 3, "Wrong number of arguments for @If");
  ExpectError("@Today(1)", 0, "Wrong number of arguments for @Today");
  ExpectError("@IsAvailable(\"Status\")", 0, "@IsAvailable expects a field name");
}

TEST(CompileErrors, FirstErrorWins) {
  // The unknown operator makes the expression incomplete too; the operator
  // is what the author has to fix.
  ExpectError("1 + #", 4, "Unknown operator");
}

TEST(CompileErrors, NullErrorIsAllowed) {
  std::vector<std::uint8_t> compiled;
  EXPECT_FALSE(Compile("(", &compiled, nullptr));
  EXPECT_TRUE(Compile("1", &compiled, nullptr));
}

TEST(CompileBounds, TextLongerThanTheLimitIsRejected) {
  std::string text(kMaxFormulaTextLength, ' ');
  text.back() = '1';
  EXPECT_FALSE(CompileOrDie(text).empty());
  text.push_back(' ');
  const CompileError error = CompileFailure(text);
  EXPECT_EQ(error.message, "Formula too long");
}

TEST(CompileBounds, DeepParenthesesAreAnErrorNotACrash) {
  const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
  EXPECT_EQ(CompileFailure(deep.substr(0, 32000)).message, "Formula nested too deeply");
  const std::string fine = std::string(200, '(') + "1" + std::string(200, ')');
  EXPECT_FALSE(CompileOrDie(fine).empty());
}

TEST(CompileBounds, DeepTreesAreAnError) {
  std::string calls;
  for (int i = 0; i < kMaxNestingDepth - 1; ++i) {
    calls += "@Trim(";
  }
  calls += "x" + std::string(kMaxNestingDepth - 1, ')');
  EXPECT_FALSE(CompileOrDie(calls).empty());
  EXPECT_EQ(CompileFailure("@Trim(" + calls + ")").message, "Formula nested too deeply");
  EXPECT_EQ(CompileFailure(std::string(5000, '-') + "1").message, "Formula nested too deeply");
  EXPECT_EQ(CompileFailure("a:" + std::string(5000, '!') + "1").message,
            "Formula nested too deeply");
}

TEST(CompileBounds, LongChainsStayShallow) {
  std::string sum = "1";
  std::string list = "\"a\"";
  for (int i = 0; i < 3000; ++i) {
    sum += "+1";
    list += ":\"a\"";
  }
  EXPECT_FALSE(CompileOrDie(sum).empty());
  EXPECT_FALSE(CompileOrDie(list).empty());
}

TEST(CompileBounds, OversizedCompiledFormIsRejected) {
  // Two text bytes per name reference, five compiled bytes each.
  std::string text = "a";
  while (text.size() + 2 <= kMaxFormulaTextLength) {
    text += ":a";
  }
  EXPECT_EQ(CompileFailure(text).message, "Compiled formula too large");
}

TEST(CompiledForm, ZeroIsTiny) {
  const std::vector<std::uint8_t> zero = CompileOrDie("0");
  EXPECT_LE(zero.size(), 8u);
  EXPECT_EQ(CompiledLength(zero.data(), zero.size()), zero.size());
}

TEST(CompiledForm, CarriesItsOwnLength) {
  const std::vector<std::uint8_t> compiled = CompileOrDie("@If(Status = \"Closed\"; 1; 0)");
  std::vector<std::uint8_t> padded = compiled;
  padded.insert(padded.end(), 50, 0xAB);
  EXPECT_EQ(CompiledLength(padded.data(), padded.size()), compiled.size());
  EXPECT_EQ(CompiledLength(compiled.data(), compiled.size() - 1), 0u);
  EXPECT_EQ(CompiledLength(nullptr, 0), 0u);
}

TEST(CompiledForm, ZeroCopiedOverALongerFormulaDecompilesToZero) {
  std::vector<std::uint8_t> area =
      CompileOrDie("@IsMember(\"[Admin]\"; @UserRoles) | Status = \"Closed\" & @Created < @Today");
  const std::vector<std::uint8_t> zero = CompileOrDie("0");
  ASSERT_LT(zero.size(), area.size());
  std::copy(zero.begin(), zero.end(), area.begin());

  std::string text;
  ASSERT_TRUE(Decompile(area.data(), area.size(), &text));
  EXPECT_EQ(text, "0");
  fixtures::FakeEnvironment environment;
  Value result;
  ASSERT_TRUE(Evaluate(area.data(), area.size(), environment, &result, nullptr));
  EXPECT_EQ(result, Value::Number(0));
}

TEST(CompiledForm, EmptyFormulaDecompilesToEmptyText) {
  for (const char* text : {"", "  ", ";;", " ; "}) {
    const std::vector<std::uint8_t> compiled = CompileOrDie(text);
    std::string decompiled = "x";
    ASSERT_TRUE(Decompile(compiled.data(), compiled.size(), &decompiled));
    EXPECT_EQ(decompiled, "");
  }
}

TEST(CompiledForm, DamagedBytesAreRejected) {
  const std::vector<std::uint8_t> good = CompileOrDie("@Left(Subject; 3) + \"!\"");
  std::string text;
  // A length that cuts into the header or the statement is invalid, and so
  // are bytes that end before the claimed length.
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    if (cut == 4) {
      continue;  // just the header: the empty formula
    }
    std::vector<std::uint8_t> bad = good;
    bad[2] = static_cast<std::uint8_t>(cut);
    EXPECT_FALSE(Decompile(bad.data(), bad.size(), &text)) << cut;
    EXPECT_EQ(CompiledLength(good.data(), cut), 0u);
  }
  std::vector<std::uint8_t> bad = good;
  bad[0] ^= 0xFF;
  EXPECT_FALSE(Decompile(bad.data(), bad.size(), &text));
}

// What the decompiler accepts must print as text that compiles back, so
// forms the compiler never writes are refused.
TEST(CompiledForm, FormsTheCompilerNeverWritesAreRejected) {
  std::string text;
  std::vector<std::uint8_t> name = CompileOrDie("REX");
  ASSERT_EQ(name.back(), 'X');
  name.back() = 'M';  // a keyword is no field name
  EXPECT_FALSE(Decompile(name.data(), name.size(), &text));

  std::vector<std::uint8_t> number = CompileOrDie("1.5");
  ASSERT_EQ(number.back(), 0x3F);  // high byte of the double 1.5
  number.back() |= 0x80;           // literals are never negative
  EXPECT_FALSE(Decompile(number.data(), number.size(), &text));
  number.back() = 0x7F;
  number[number.size() - 2] = 0xF0;  // nor infinite
  EXPECT_FALSE(Decompile(number.data(), number.size(), &text));
}

TEST(CompiledForm, RandomBytesAreRecognisedAsInvalid) {
  std::mt19937 random(7);
  int accepted = 0;
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::uint8_t> bytes(1 + random() % 64);
    for (std::uint8_t& byte : bytes) {
      byte = static_cast<std::uint8_t>(random());
    }
    accepted += CompiledLength(bytes.data(), bytes.size()) > 0 ? 1 : 0;
  }
  EXPECT_EQ(accepted, 0);
}

}  // namespace
}  // namespace quendral::platform::formula
