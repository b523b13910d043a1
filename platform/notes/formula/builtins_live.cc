// Functions whose answer only the running platform has: view lookups, other
// databases, mail, the directory and the client's user interface. Each
// evaluates to an error value naming the function and what it needs, so
// that a reader of the result knows the formula could not be decided here.
#include "platform/notes/formula/builtins.h"
#include "platform/notes/formula/call.h"

namespace quendral::platform::formula {
namespace {

bool Needs(Call& call, Value* result, std::string_view what) {
  *result = Value::Error(std::string(call.name()) + " needs " + std::string(what));
  return true;
}

}  // namespace

bool EvaluateNeedsView(Call& call, Value* result) {
  return Needs(call, result, "a live database view");
}

bool EvaluateNeedsDatabase(Call& call, Value* result) {
  return Needs(call, result, "a live database");
}

bool EvaluateNeedsMail(Call& call, Value* result) {
  return Needs(call, result, "the live mail system");
}

bool EvaluateNeedsDirectory(Call& call, Value* result) {
  return Needs(call, result, "a live directory");
}

bool EvaluateNeedsClient(Call& call, Value* result) {
  return Needs(call, result, "the client's user interface");
}

}  // namespace quendral::platform::formula
