#include "platform/notes/formula/encoding.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/base/byte_reader.h"
#include "platform/base/coding.h"
#include "platform/notes/formula/datetime_constant.h"
#include "platform/notes/formula/formula.h"
#include "platform/notes/formula/functions.h"

namespace quendral::platform::formula {
namespace {

// Chosen so that text and small integers rarely begin with them.
constexpr std::uint8_t kMarker[2] = {0xE5, 0x71};

// Tags of expression nodes; statements are tagged by Statement::Kind.
enum Tag : std::uint8_t {
  kSmallInteger = 0x20,  // one byte, 0-255
  kNumber,               // eight bytes, the double's bits little-endian
  kText,                 // u16 length, bytes
  kName,                 // u16 length, bytes
  kCall,                 // u8 function index, u16 count, arguments
  kUnknownCall,          // u16 length, name, u16 count, arguments
  kNegate,               // operand
  kNot,                  // operand
  kChain,                // u16 count, operand, then (u8 operator, operand) for the rest
  kDateTime,             // u16 length, the constant's canonical text
  kKeyword,              // u16 length, the word in capitals
  kSubscript,            // list, index
  kAssign,               // u16 length, name, value
  kFieldAssign,          // u16 length, name, value
};

class Writer {
 public:
  explicit Writer(std::vector<std::uint8_t>* out) : out_(out) {}

  void Byte(std::uint8_t byte) { out_->push_back(byte); }
  void Word(std::size_t value) { base::AppendLittle16(out_, static_cast<std::uint16_t>(value)); }
  void String(std::string_view text) {
    Word(text.size());
    out_->insert(out_->end(), text.begin(), text.end());
  }
  void Double(double number) { base::AppendLittleDouble(out_, number); }

 private:
  std::vector<std::uint8_t>* out_;
};

void EncodeNode(const Node& node, Writer* writer);

void EncodeNumber(double number, Writer* writer) {
  if (number >= 0 && number <= 255 && number == std::floor(number) && !std::signbit(number)) {
    writer->Byte(kSmallInteger);
    writer->Byte(static_cast<std::uint8_t>(number));
    return;
  }
  writer->Byte(kNumber);
  writer->Double(number);
}

void EncodeCall(const Node& node, Writer* writer) {
  if (node.function >= 0) {
    writer->Byte(kCall);
    writer->Byte(static_cast<std::uint8_t>(node.function));
  } else {
    writer->Byte(kUnknownCall);
    writer->String(node.text);
  }
  writer->Word(node.children.size());
  for (const Node& argument : node.children) {
    EncodeNode(argument, writer);
  }
}

void EncodeNode(const Node& node, Writer* writer) {
  switch (node.kind) {
    case Node::Kind::kNumber:
      EncodeNumber(node.number, writer);
      break;
    case Node::Kind::kText:
      writer->Byte(kText);
      writer->String(node.text);
      break;
    case Node::Kind::kName:
      writer->Byte(kName);
      writer->String(node.text);
      break;
    case Node::Kind::kCall:
      EncodeCall(node, writer);
      break;
    case Node::Kind::kNegate:
    case Node::Kind::kNot:
      writer->Byte(node.kind == Node::Kind::kNegate ? kNegate : kNot);
      EncodeNode(node.children.front(), writer);
      break;
    case Node::Kind::kDateTime:
    case Node::Kind::kKeyword:
      writer->Byte(node.kind == Node::Kind::kDateTime ? kDateTime : kKeyword);
      writer->String(node.text);
      break;
    case Node::Kind::kSubscript:
      writer->Byte(kSubscript);
      EncodeNode(node.children[0], writer);
      EncodeNode(node.children[1], writer);
      break;
    case Node::Kind::kAssign:
    case Node::Kind::kFieldAssign:
      writer->Byte(node.kind == Node::Kind::kAssign ? kAssign : kFieldAssign);
      writer->String(node.text);
      EncodeNode(node.children.front(), writer);
      break;
    case Node::Kind::kChain:
      writer->Byte(kChain);
      writer->Word(node.children.size());
      EncodeNode(node.children.front(), writer);
      for (std::size_t i = 1; i < node.children.size(); ++i) {
        writer->Byte(static_cast<std::uint8_t>(node.operators[i - 1]));
        EncodeNode(node.children[i], writer);
      }
      break;
  }
}

// The fields of the encoding over the bounds-checked byte reader.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t length) : bytes_(data, length) {}

  bool AtEnd() const { return bytes_.at_end(); }
  // Whether `count` nodes could follow: each takes at least two bytes. This
  // keeps a forged count from making a large allocation.
  bool CouldHold(std::size_t count) const { return count <= bytes_.remaining() / 2; }
  bool Byte(std::uint8_t* byte) { return bytes_.ReadU8(byte); }
  bool Word(std::size_t* value) {
    std::uint16_t word = 0;
    if (!bytes_.ReadU16(&word)) {
      return false;
    }
    *value = word;
    return true;
  }
  bool String(std::string* text) {
    std::size_t size = 0;
    std::span<const std::uint8_t> bytes;
    if (!Word(&size) || !bytes_.ReadBytes(size, &bytes)) {
      return false;
    }
    text->assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
  }
  bool Double(double* number) { return bytes_.ReadDouble(number); }

 private:
  base::ByteReader bytes_;
};

// Accepts exactly what the compiler produces, so that every decoded formula
// prints as text that compiles back to it.
class Decoder {
 public:
  explicit Decoder(Reader reader) : reader_(reader) {}

  bool ReadStatements(Program* program);

 private:
  bool ReadStatement(Statement* statement);
  bool ReadNode(int depth, Node* node);
  bool ReadNumber(double* number);
  bool ReadCall(int depth, bool known, Node* node);
  bool ReadChain(int depth, Node* node);
  bool ReadChildren(int depth, std::size_t count, Node* node);
  bool ReadName(std::string* name) { return reader_.String(name) && IsValidName(*name); }
  bool ReadDateTime(std::string* text);
  bool ReadKeyword(std::string* word);

  Reader reader_;
};

bool Decoder::ReadStatements(Program* program) {
  while (!reader_.AtEnd()) {
    Statement statement;
    if (!ReadStatement(&statement)) {
      return false;
    }
    program->statements.push_back(std::move(statement));
  }
  return true;
}

bool Decoder::ReadStatement(Statement* statement) {
  using Kind = Statement::Kind;
  std::uint8_t tag = 0;
  if (!reader_.Byte(&tag) || tag < static_cast<std::uint8_t>(Kind::kExpression) ||
      tag > static_cast<std::uint8_t>(Kind::kRem)) {
    return false;
  }
  statement->kind = static_cast<Kind>(tag);
  switch (statement->kind) {
    case Kind::kRem:
      return reader_.String(&statement->name);
    case Kind::kAssign:
    case Kind::kField:
    case Kind::kDefault:
      if (!ReadName(&statement->name)) {
        return false;
      }
      break;
    default:
      break;
  }
  return ReadNode(1, &statement->value);
}

bool Decoder::ReadNode(int depth, Node* node) {
  using Kind = Node::Kind;
  std::uint8_t tag = 0;
  if (depth > kMaxNestingDepth || !reader_.Byte(&tag)) {
    return false;
  }
  switch (tag) {
    case kSmallInteger: {
      std::uint8_t small = 0;
      node->kind = Kind::kNumber;
      const bool read = reader_.Byte(&small);
      node->number = small;
      return read;
    }
    case kNumber:
      node->kind = Kind::kNumber;
      return ReadNumber(&node->number);
    case kText:
      node->kind = Kind::kText;
      return reader_.String(&node->text);
    case kName:
      node->kind = Kind::kName;
      return ReadName(&node->text);
    case kCall:
    case kUnknownCall:
      return ReadCall(depth, tag == kCall, node);
    case kNegate:
    case kNot:
      node->kind = tag == kNegate ? Kind::kNegate : Kind::kNot;
      return ReadChildren(depth, 1, node);
    case kChain:
      return ReadChain(depth, node);
    case kDateTime:
      node->kind = Kind::kDateTime;
      return ReadDateTime(&node->text);
    case kKeyword:
      node->kind = Kind::kKeyword;
      return ReadKeyword(&node->text);
    case kSubscript:
      node->kind = Kind::kSubscript;
      return ReadChildren(depth, 2, node);
    case kAssign:
    case kFieldAssign:
      node->kind = tag == kAssign ? Kind::kAssign : Kind::kFieldAssign;
      return ReadName(&node->text) && ReadChildren(depth, 1, node);
    default:
      return false;
  }
}

bool Decoder::ReadDateTime(std::string* text) {
  DateTimeConstant constant;
  return reader_.String(text) && ParseDateTimeConstant(*text, &constant) &&
         CanonicalText(constant) == *text;
}

bool Decoder::ReadKeyword(std::string* word) {
  return reader_.String(word) && !word->empty() && IsNameStart(word->front()) &&
         std::all_of(word->begin(), word->end(),
                     [](char c) { return IsNamePart(c) && !(c >= 'a' && c <= 'z'); });
}

// Literals are never negative: minus is an operator of its own.
bool Decoder::ReadNumber(double* number) {
  return reader_.Double(number) && std::isfinite(*number) && !std::signbit(*number);
}

bool Decoder::ReadCall(int depth, bool known, Node* node) {
  node->kind = Node::Kind::kCall;
  if (known) {
    std::uint8_t index = 0;
    if (!reader_.Byte(&index) || index >= Functions().size()) {
      return false;
    }
    node->function = index;
  } else {
    if (!reader_.String(&node->text) || node->text.size() < 2 || node->text[0] != '@' ||
        !IsNameStart(node->text[1]) || FindFunction(node->text) >= 0) {
      return false;
    }
    for (std::size_t i = 2; i < node->text.size(); ++i) {
      if (!IsNamePart(node->text[i])) {
        return false;
      }
    }
  }
  std::size_t count = 0;
  if (!reader_.Word(&count) || !ReadChildren(depth, count, node)) {
    return false;
  }
  return !known || AcceptsArguments(Functions()[node->function], node->children);
}

bool Decoder::ReadChain(int depth, Node* node) {
  node->kind = Node::Kind::kChain;
  std::size_t count = 0;
  if (!reader_.Word(&count) || count < 2 || !reader_.CouldHold(count)) {
    return false;
  }
  node->children.resize(count);
  node->operators.reserve(count - 1);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) {
      std::uint8_t op = 0;
      if (!reader_.Byte(&op) || op < 1 || op > kLastOperator) {
        return false;
      }
      node->operators.push_back(static_cast<Operator>(op));
      if (LevelOf(node->operators.back()) != LevelOf(node->operators.front())) {
        return false;
      }
    }
    if (!ReadNode(depth + 1, &node->children[i])) {
      return false;
    }
  }
  UpdateDepth(node);
  return true;
}

bool Decoder::ReadChildren(int depth, std::size_t count, Node* node) {
  if (!reader_.CouldHold(count)) {
    return false;
  }
  node->children.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    node->children.emplace_back();
    if (!ReadNode(depth + 1, &node->children.back())) {
      return false;
    }
  }
  UpdateDepth(node);
  return true;
}

}  // namespace

bool Encode(const Program& program, std::vector<std::uint8_t>* compiled) {
  compiled->clear();
  Writer writer(compiled);
  writer.Byte(kMarker[0]);
  writer.Byte(kMarker[1]);
  writer.Word(0);  // the length, known at the end
  for (const Statement& statement : program.statements) {
    writer.Byte(static_cast<std::uint8_t>(statement.kind));
    if (statement.kind == Statement::Kind::kRem) {
      writer.String(statement.name);
      continue;
    }
    if (statement.kind != Statement::Kind::kExpression &&
        statement.kind != Statement::Kind::kSelect) {
      writer.String(statement.name);
    }
    EncodeNode(statement.value, &writer);
  }
  if (compiled->size() > kMaxCompiledLength) {
    compiled->clear();
    return false;
  }
  base::StoreLittle16(compiled->data() + 2, static_cast<std::uint16_t>(compiled->size()));
  return true;
}

bool Decode(const std::uint8_t* data, std::size_t available, Program* program,
            std::size_t* length) {
  *program = Program();
  if (data == nullptr || available < kCompiledHeaderLength || data[0] != kMarker[0] ||
      data[1] != kMarker[1]) {
    return false;
  }
  *length = base::LoadLittle16(data + 2);
  if (*length < kCompiledHeaderLength || *length > available) {
    return false;
  }
  Decoder decoder(Reader(data + kCompiledHeaderLength, *length - kCompiledHeaderLength));
  return decoder.ReadStatements(program);
}

}  // namespace quendral::platform::formula
