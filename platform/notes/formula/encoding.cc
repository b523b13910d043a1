#include "platform/notes/formula/encoding.h"

#include <bit>
#include <cmath>
#include <string_view>

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
};

class Writer {
 public:
  explicit Writer(std::vector<std::uint8_t>* out) : out_(out) {}

  void Byte(std::uint8_t byte) { out_->push_back(byte); }
  void Word(std::size_t value) {
    Byte(static_cast<std::uint8_t>(value & 0xFF));
    Byte(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  void String(std::string_view text) {
    Word(text.size());
    out_->insert(out_->end(), text.begin(), text.end());
  }
  void Double(double number) {
    const auto bits = std::bit_cast<std::uint64_t>(number);
    for (int shift = 0; shift < 64; shift += 8) {
      Byte(static_cast<std::uint8_t>((bits >> shift) & 0xFF));
    }
  }

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

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t length) : data_(data), length_(length) {}

  bool AtEnd() const { return offset_ == length_; }
  // Whether `count` nodes could follow: each takes at least two bytes. This
  // keeps a forged count from making a large allocation.
  bool CouldHold(std::size_t count) const { return count <= (length_ - offset_) / 2; }
  bool Byte(std::uint8_t* byte) {
    if (offset_ >= length_) {
      return false;
    }
    *byte = data_[offset_++];
    return true;
  }
  bool Word(std::size_t* value) {
    std::uint8_t low = 0;
    std::uint8_t high = 0;
    if (!Byte(&low) || !Byte(&high)) {
      return false;
    }
    *value = low | (std::size_t{high} << 8);
    return true;
  }
  bool String(std::string* text) {
    std::size_t size = 0;
    if (!Word(&size) || size > length_ - offset_) {
      return false;
    }
    text->assign(reinterpret_cast<const char*>(data_ + offset_), size);
    offset_ += size;
    return true;
  }
  bool Double(double* number) {
    std::uint64_t bits = 0;
    for (int shift = 0; shift < 64; shift += 8) {
      std::uint8_t byte = 0;
      if (!Byte(&byte)) {
        return false;
      }
      bits |= std::uint64_t{byte} << shift;
    }
    *number = std::bit_cast<double>(bits);
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t length_;
  std::size_t offset_ = 0;
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
    default:
      return false;
  }
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
  (*compiled)[2] = static_cast<std::uint8_t>(compiled->size() & 0xFF);
  (*compiled)[3] = static_cast<std::uint8_t>(compiled->size() >> 8);
  return true;
}

bool Decode(const std::uint8_t* data, std::size_t available, Program* program,
            std::size_t* length) {
  *program = Program();
  if (data == nullptr || available < kCompiledHeaderLength || data[0] != kMarker[0] ||
      data[1] != kMarker[1]) {
    return false;
  }
  *length = data[2] | (std::size_t{data[3]} << 8);
  if (*length < kCompiledHeaderLength || *length > available) {
    return false;
  }
  Decoder decoder(Reader(data + kCompiledHeaderLength, *length - kCompiledHeaderLength));
  return decoder.ReadStatements(program);
}

}  // namespace quendral::platform::formula
